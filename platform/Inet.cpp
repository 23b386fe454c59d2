#include "platform/Inet.h"

#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace platform {
namespace {

// Asks the desktop for every request, so a proxy change takes effect without a restart.
class SystemProxyFactory : public QNetworkProxyFactory {
 public:
  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override { return systemProxyForQuery(query); }
};

// The charset parameter of a Content-Type value ("text/html; charset=ISO-8859-1"), or empty.
QByteArray CharsetOf(const QByteArray& contentType) {
  for (const QByteArray& parameter : contentType.split(';')) {
    const QByteArray p = parameter.trimmed();
    if (p.toLower().startsWith("charset=")) {
      QByteArray name = p.mid(8).trimmed();
      if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"')) name = name.mid(1, name.size() - 2);
      return name;
    }
  }
  return {};
}

// No charset, or one unknown here, means UTF-8. The whole body is decoded at once, so a stateless
// decoder turns a truncated last character into U+FFFD instead of silently holding it back.
QString DecodeBody(const QByteArray& body, const QByteArray& contentType) {
  QStringDecoder decoder(CharsetOf(contentType).constData(), QStringConverter::Flag::Stateless);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  return decoder.decode(body);
}

// Reading the system's authorities opens some 150 files, so it waits for the first request instead
// of delaying the window. A plain http request may be redirected to https, so any request counts.
// The file is read again only if SSL_CERT_FILE names another one, which only a test does.
void TrustBeforeFirstRequest() {
  static std::optional<QString> trustedFile;
  QString file = qEnvironmentVariable("SSL_CERT_FILE");
  if (trustedFile == file) return;
  TrustCertificatesFromEnvironment();
  trustedFile = std::move(file);
}

}  // namespace

bool IsWebAddress(const QUrl& url) {
  if (!url.isValid() || url.host().isEmpty()) return false;
  for (const char* scheme : WebSchemes)
    if (url.scheme() == QLatin1String(scheme)) return true;
  return false;
}

qsizetype TrustCertificatesFromEnvironment() {
  const QString file = qEnvironmentVariable("SSL_CERT_FILE");
  if (file.isEmpty()) return 0;
  const QList<QSslCertificate> added =
      QSslCertificate::fromPath(file, QSsl::Pem, QSslCertificate::PatternSyntax::FixedString);
  if (added.isEmpty()) return 0;
  // The system's authorities are listed too: a configuration given certificates of its own
  // stops loading them on demand.
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setCaCertificates(QSslConfiguration::systemCaCertificates() + added);
  QSslConfiguration::setDefaultConfiguration(configuration);
  return added.size();
}

Inet::Inet() { manager_.setProxyFactory(new SystemProxyFactory); }

void Inet::Cancel() {
  if (running_) running_->abort();
}

std::optional<QString> Inet::OpenURL(const QString& address) {
  const QUrl url(address, QUrl::TolerantMode);
  if (!IsWebAddress(url)) return std::nullopt;

  TrustBeforeFirstRequest();

  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setTransferTimeout(static_cast<int>(timeLimit_.count()));
  const std::unique_ptr<QNetworkReply> reply(manager_.get(request));
  running_ = reply.get();
  LimitSize(reply.get());

  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
  deadline.start(totalTimeLimit_);

  // Painting, timers and sockets go on; clicks and keys wait until the page is in.
  QEventLoop loop;
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  running_ = nullptr;

  // A redirect that was not followed, or any other answer that is not a success, is not the
  // page that was asked for.
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) return std::nullopt;
  return DecodeBody(reply->readAll(), reply->rawHeader("Content-Type"));
}

QString Inet::GetChunk(int /*size*/) { return {}; }

// A declared length over the limit ends the transfer before the body comes; a body without one
// (or lying about it) ends as soon as what has arrived is over the limit.
void Inet::LimitSize(QNetworkReply* r) const {
  const qint64 limit = sizeLimit_;
  QObject::connect(r, &QNetworkReply::metaDataChanged, r, [r, limit] {
    if (r->header(QNetworkRequest::ContentLengthHeader).toLongLong() > limit) r->abort();
  });
  QObject::connect(r, &QNetworkReply::readyRead, r, [r, limit] {
    if (r->bytesAvailable() > limit) r->abort();
  });
}

}  // namespace platform
