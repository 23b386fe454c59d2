#include "platform/CreateToolhelp32Snapshot.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace platform {
namespace {

std::optional<ProcessEntry> ReadEntry(const QString& id) {
  const QString folder = QStringLiteral("/proc/") + id;
  struct stat owner;
  if (::stat(QFile::encodeName(folder).constData(), &owner) != 0) return std::nullopt;
  if (::geteuid() != 0 && owner.st_uid != ::geteuid()) return std::nullopt;
  QString executable = QFileInfo(folder + QStringLiteral("/exe")).symLinkTarget();
  if (executable.isEmpty()) return std::nullopt;  // a kernel thread, a zombie, or not readable
  executable.remove(QRegularExpression(QStringLiteral(" \\(deleted\\)$")));
  return ProcessEntry{id.toInt(), QFileInfo(executable).fileName()};
}

std::vector<ProcessEntry> ReadProcessList() {
  std::vector<ProcessEntry> entries;
  const QStringList ids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& id : ids) {
    bool numeric = false;
    id.toInt(&numeric);
    if (!numeric) continue;
    if (auto entry = ReadEntry(id)) entries.push_back(*entry);
  }
  return entries;
}

}  // namespace

std::vector<ProcessEntry> CreateToolhelp32Snapshot() { return ReadProcessList(); }

}  // namespace platform
