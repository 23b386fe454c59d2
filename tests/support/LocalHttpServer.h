#pragma once
#include <QByteArray>
#include <QList>
#include <QSslConfiguration>
#include <QString>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "tests/support/ScopedEnvironment.h"

class QThread;

// A real HTTP/1.1 server on 127.0.0.1 with scripted answers, for tests of code that fetches web
// pages. It is an HTTP proxy as well: with http_proxy pointing at it, a request for
// "http://www.youtube.com/watch?v=x" arrives here as that absolute address, and with https_proxy
// a request for "https://www.youtube.com/..." arrives as a CONNECT that it may answer with TLS
// (ServeTls), so the code under test keeps its real host names and still never leaves the machine. It runs in a thread
// of its own and so answers while the test's thread blocks (a nested event loop, a child process).
class LocalHttpServer {
 public:
  struct Response {
    int status = 200;
    QList<std::pair<QByteArray, QByteArray>> headers{};  // e.g. {"Location", "http://..."}
    QByteArray body{};
    std::chrono::milliseconds delay{0};         // before the status line; hours for a server that never answers
    bool contentLength = true;                  // false: the end of the body is the end of the connection
    qsizetype dripBytes = 0;                    // more than 0: the body goes out this many bytes at a time,
    std::chrono::milliseconds dripInterval{0};  // with this pause between the pieces
    QByteArray raw{};  // not empty: sent as it is instead of status line, headers and body, then the connection ends
  };

  struct Request {
    QByteArray method;
    QByteArray target;  // as received: "/watch?v=x", "http://host/watch?v=x" (proxy), "host:443" (CONNECT)
  };

  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // "http://127.0.0.1:<port>", the value for http_proxy.
  QString Address() const;

  // The answer to every later request for `target`: a path with its query ("/watch?v=x"),
  // matched whether the request comes directly or as an absolute address through the proxy,
  // or "host:port" for a CONNECT. Anything not scripted gets 404 with an empty body.
  void Script(const QByteArray& target, Response response);

  // From now on a CONNECT that no script answers opens a tunnel in which this server speaks TLS
  // with `server` (certificate and key) and answers the requests by their scripts as usual.
  void ServeTls(const QSslConfiguration& server);

  // Every request received so far, oldest first.
  std::vector<Request> Requests() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
  QThread* thread_ = nullptr;
  quint16 port_ = 0;
};

// Points every proxy variable at `proxy` and clears no_proxy until it goes out of scope.
struct ScopedProxyEnvironment : ScopedEnvironment {
  explicit ScopedProxyEnvironment(const QString& proxy);
};

// `data` in the gzip format, a body for a "Content-Encoding: gzip" answer.
QByteArray Gzip(const QByteArray& data);
