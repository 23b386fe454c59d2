#include <sys/socket.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>

#include "platform/HandOver.h"
#include "platform/PrevInstance.h"

namespace platform {
namespace {

constexpr char Magic[] = "quillbrook-open\n";
constexpr int WaitMilliseconds = 1000;

// The runtime folder is the user's alone, and the socket file is made for its owner only; the
// peer's credentials are still checked, in case the folder is a shared one such as /tmp.
bool FromThisUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == ::getuid();
}

}  // namespace

QByteArray HandOverMessage(const QString& argument) { return QByteArray(Magic) + argument.toUtf8(); }

std::optional<QString> HandOverArgument(const QByteArray& message) {
  if (message.size() > HandOverLimit || !message.startsWith(Magic)) return std::nullopt;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString argument = utf8(message.mid(qsizetype(sizeof Magic) - 1));
  if (utf8.hasError() || argument.isEmpty() || argument.contains(QChar(0))) return std::nullopt;
  return argument;
}

bool HandOver(const QString& argument, const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(InstanceFile(name + QStringLiteral(".socket")));
  if (!socket.waitForConnected(WaitMilliseconds)) return false;
  socket.write(HandOverMessage(argument));
  const bool sent = socket.waitForBytesWritten(WaitMilliseconds) || socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(WaitMilliseconds);
  return sent;
}

HandOverServer::HandOverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &HandOverServer::Accept);
}

bool HandOverServer::Listen(const QString& name) {
  const QString path = InstanceFile(name + QStringLiteral(".socket"));
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void HandOverServer::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!FromThisUser(*socket)) {
      socket->abort();
      continue;
    }
    // The message ends when the sender closes; one that never does is dropped after a while.
    QTimer::singleShot(5000, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::readyRead, socket, [socket] {
      if (socket->bytesAvailable() > HandOverLimit) socket->abort();
    });
    connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] {
      if (const auto argument = HandOverArgument(socket->readAll())) emit received(*argument);
    });
  }
}

}  // namespace platform
