#include "tests/support/LocalHttpServer.h"

#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <map>
#include <optional>

struct LocalHttpServer::State {
  mutable QMutex mutex;
  std::map<QByteArray, Response> scripts;
  std::vector<Request> requests;
  std::optional<QSslConfiguration> tls;
};

namespace {

// Every connection is a QSslSocket, so that a tunnel can turn secure halfway.
class Listener : public QTcpServer {
 protected:
  void incomingConnection(qintptr descriptor) override {
    auto* socket = new QSslSocket(this);
    if (socket->setSocketDescriptor(descriptor)) {
      addPendingConnection(socket);
    } else {
      delete socket;
    }
  }
};

using Response = LocalHttpServer::Response;
using Request = LocalHttpServer::Request;

Request ParseRequestHead(const QByteArray& head) {
  const QList<QByteArray> words = head.left(head.indexOf('\n')).trimmed().split(' ');
  return {words.value(0), words.value(1)};
}

// A proxy receives absolute addresses; a script names the path and query alone.
QByteArray ScriptKey(const Request& request) {
  if (request.method == "CONNECT") return request.target;
  for (const QByteArray& scheme : {QByteArray("http://"), QByteArray("https://")}) {
    if (request.target.startsWith(scheme)) {
      const qsizetype slash = request.target.indexOf('/', scheme.size());
      return slash < 0 ? QByteArray("/") : request.target.mid(slash);
    }
  }
  return request.target;
}

void Drip(QTcpSocket* socket, const QByteArray& body, qsizetype bytes, std::chrono::milliseconds interval) {
  auto* timer = new QTimer(socket);
  auto rest = std::make_shared<QByteArray>(body);
  QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, rest, bytes] {
    socket->write(rest->left(bytes));
    rest->remove(0, bytes);
    if (rest->isEmpty()) {
      timer->stop();
      socket->disconnectFromHost();
    }
  });
  timer->start(interval);
}

void Send(QTcpSocket* socket, const Response& response) {
  if (!response.raw.isEmpty()) {
    socket->write(response.raw);
    socket->disconnectFromHost();
    return;
  }
  QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\n";
  for (const auto& [name, value] : response.headers) head += name + ": " + value + "\r\n";
  if (response.contentLength) head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
  head += "Connection: close\r\n\r\n";
  socket->write(head);
  if (response.dripBytes > 0) {
    Drip(socket, response.body, response.dripBytes, response.dripInterval);
    return;
  }
  socket->write(response.body);
  socket->disconnectFromHost();  // after everything written has gone out
}

void Serve(QTcpSocket* socket, const std::shared_ptr<LocalHttpServer::State>& state) {
  auto received = std::make_shared<QByteArray>();
  QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, state, received] {
    received->append(socket->readAll());
    const qsizetype end = received->indexOf("\r\n\r\n");
    if (end < 0) return;
    const Request request = ParseRequestHead(received->left(end));
    received->clear();
    Response response{.status = 404};
    std::optional<QSslConfiguration> tls;
    {
      const QMutexLocker lock(&state->mutex);
      state->requests.push_back(request);
      const auto it = state->scripts.find(ScriptKey(request));
      if (it != state->scripts.end()) {
        response = it->second;
      } else if (request.method == "CONNECT") {
        tls = state->tls;
      }
    }
    auto* secure = qobject_cast<QSslSocket*>(socket);
    if (tls && secure && secure->mode() == QSslSocket::UnencryptedMode) {
      // The client speaks TLS only once the tunnel is confirmed, so the handshake starts here.
      socket->write("HTTP/1.1 200 Connection established\r\n\r\n");
      secure->setSslConfiguration(*tls);
      secure->startServerEncryption();
      return;
    }
    QTimer::singleShot(response.delay, socket, [socket, response] { Send(socket, response); });
  });
}

}  // namespace

LocalHttpServer::LocalHttpServer() : state_(std::make_shared<State>()), thread_(new QThread) {
  auto* server = new Listener;
  server->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, server, &QObject::deleteLater);
  thread_->start();
  QMetaObject::invokeMethod(
      server,
      [this, server] {
        server->listen(QHostAddress::LocalHost, 0);
        port_ = server->serverPort();
        QObject::connect(server, &QTcpServer::newConnection, server, [server, state = state_] {
          while (QTcpSocket* socket = server->nextPendingConnection()) Serve(socket, state);
        });
      },
      Qt::BlockingQueuedConnection);
}

LocalHttpServer::~LocalHttpServer() {
  thread_->quit();
  thread_->wait();
  delete thread_;
}

QString LocalHttpServer::Address() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

void LocalHttpServer::Script(const QByteArray& target, Response response) {
  const QMutexLocker lock(&state_->mutex);
  state_->scripts[target] = std::move(response);
}

void LocalHttpServer::ServeTls(const QSslConfiguration& server) {
  const QMutexLocker lock(&state_->mutex);
  state_->tls = server;
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const {
  const QMutexLocker lock(&state_->mutex);
  return state_->requests;
}

ScopedProxyEnvironment::ScopedProxyEnvironment(const QString& proxy)
    : ScopedEnvironment{{"http_proxy", proxy.toUtf8()},
                        {"https_proxy", proxy.toUtf8()},
                        {"HTTP_PROXY", proxy.toUtf8()},
                        {"HTTPS_PROXY", proxy.toUtf8()},
                        {"no_proxy", {}},
                        {"NO_PROXY", {}}} {}

QByteArray Gzip(const QByteArray& data) {
  QProcess gzip;
  gzip.start(QStringLiteral("gzip"), {QStringLiteral("-c")});
  gzip.write(data);
  gzip.closeWriteChannel();
  gzip.waitForFinished();
  return gzip.readAllStandardOutput();
}
