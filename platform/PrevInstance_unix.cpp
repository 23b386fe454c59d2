#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

#include "platform/PrevInstance.h"

namespace platform {

QString InstanceFile(const QString& fileName) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(fileName);
}

bool PrevInstance(const QString& lockName) {
  const QByteArray path = InstanceFile(lockName + QStringLiteral(".lock")).toLocal8Bit();
  // The descriptor stays open, and so the lock held, until the process ends; close-on-exec keeps
  // the converter and other children from inheriting it.
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;  // no lock to be had: better a second window than none at all
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return false;
  ::close(fd);
  return true;
}

}  // namespace platform
