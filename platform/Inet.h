#pragma once
#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <chrono>
#include <optional>

class QNetworkReply;
class QUrl;

namespace platform {

// The schemes of the web, the only addresses fetched or handed on to the desktop.
inline constexpr const char* WebSchemes[] = {"http", "https"};

// Whether the address has a web scheme and a host: the network layer would otherwise read local
// files ("file:", "qrc:", "data:") for an address the user typed, and the desktop would open them.
bool IsWebAddress(const QUrl& url);

// Stands in for the Internet Transfer Control: a blocking HTTP GET that returns a web page as
// text. While a request runs the caller's thread keeps painting and serving timers and sockets;
// only user input waits until the request is over, so a slow server never freezes the window.
//
// Redirects are followed, http to https included but never back; the desktop's proxy settings
// apply (on Linux the http_proxy, https_proxy and no_proxy environment). A request fails - and
// OpenURL yields nothing - on a transfer error; on a status other than success (4xx, 5xx, a
// redirect not followed); for an address that is not an http or https address; when no data
// arrives within the time limit; when the whole transfer outlasts the total time limit (a server
// that drips bytes); when the body, once unzipped, outgrows the size limit. The body is decoded
// with the charset the server names, UTF-8 otherwise; bytes that do not decode become U+FFFD.
// Verification of secure requests is never turned off: a certificate error fails the request.
// The certificates of the PEM file that SSL_CERT_FILE names, if any, are trusted beside the
// system's authorities, as OpenSSL programs do (a company's own authority, say); Qt itself does
// not read the variable. The first request of any Inet calls it, once for the process; gives how
// many certificates were added.
qsizetype TrustCertificatesFromEnvironment();

class Inet {
 public:
  static constexpr std::chrono::milliseconds DefaultTimeLimit{30'000};
  static constexpr std::chrono::milliseconds DefaultTotalTimeLimit{120'000};
  static constexpr qint64 DefaultSizeLimit = 16 * 1024 * 1024;

  Inet();
  Inet(const Inet&) = delete;
  Inet& operator=(const Inet&) = delete;

  // Abandons the request still in progress, if any; that request then fails.
  void Cancel();

  // Requests `address` unchanged and returns the whole body, or nothing when the request fails.
  std::optional<QString> OpenURL(const QString& address);

  // The next at most `size` characters of response text still pending. OpenURL hands over the
  // whole body, so nothing is ever left pending and this always gives an empty text; it is kept
  // for callers written for the control, which read on until an empty chunk.
  QString GetChunk(int size);

  void SetTimeLimit(std::chrono::milliseconds withoutData) { timeLimit_ = withoutData; }
  void SetTotalTimeLimit(std::chrono::milliseconds whole) { totalTimeLimit_ = whole; }
  void SetSizeLimit(qint64 bytes) { sizeLimit_ = bytes; }

 private:
  void LimitSize(QNetworkReply* reply) const;

  QNetworkAccessManager manager_;
  QPointer<QNetworkReply> running_;
  std::chrono::milliseconds timeLimit_ = DefaultTimeLimit;
  std::chrono::milliseconds totalTimeLimit_ = DefaultTotalTimeLimit;
  qint64 sizeLimit_ = DefaultSizeLimit;
};

}  // namespace platform
