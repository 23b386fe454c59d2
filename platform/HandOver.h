#pragma once
#include <QObject>
#include <QString>
#include <optional>

class QLocalServer;

namespace platform {

// A second start hands its argument (a file's absolute path or an address) to the instance that
// runs, over a local socket beside the single-instance lock in the user's runtime folder. Only the
// same user may connect, and a message that is malformed or longer than HandOverLimit is dropped.

inline constexpr qsizetype HandOverLimit = 64 * 1024;

// "quillbrook-open\n" followed by the argument in UTF-8.
QByteArray HandOverMessage(const QString& argument);
// The argument a message carries; none when it is not one of ours, too long or not UTF-8.
std::optional<QString> HandOverArgument(const QByteArray& message);

// Gives `argument` to the running instance; false when none listens. Waits at most a second.
bool HandOver(const QString& argument, const QString& name = QStringLiteral("quillbrook"));

// The running instance's end: announces every argument handed over to it.
class HandOverServer : public QObject {
  Q_OBJECT
 public:
  explicit HandOverServer(QObject* parent = nullptr);
  // Call only while holding the single-instance lock: a socket left by a crashed instance is
  // replaced. False when the socket cannot be made; the program then runs without it.
  bool Listen(const QString& name = QStringLiteral("quillbrook"));

 signals:
  void received(const QString& argument);

 private:
  void Accept();
  QLocalServer* server_;
};

}  // namespace platform
