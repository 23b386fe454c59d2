#include "platform/FileLookup.h"

#include <QFileInfo>

namespace platform {

bool OrdinaryFileExists(const QString& path) {
  const QFileInfo item(path);
  return !path.isEmpty() && item.isFile() && !item.isHidden();
}

bool FolderOrFileExists(const QString& path) {
  const QFileInfo item(path);
  return !path.isEmpty() && (item.isFile() || item.isDir()) && !item.isHidden();
}

}  // namespace platform
