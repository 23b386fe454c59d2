#include "conversion/KillProcessesByName.h"

#include <QCoreApplication>
#include <QHash>

#include "platform/CreateToolhelp32Snapshot.h"
#include "platform/TerminateProcess.h"

namespace conversion {
namespace {

// Whether the process `id` descends from `ancestor`, by the parents the snapshot shows. The
// number of steps is bounded, so a list read while processes come and go cannot loop.
bool DescendsFrom(int id, qint64 ancestor, const QHash<int, int>& parents) {
  for (int steps = 0; id > 1 && steps < 1024; ++steps) {
    id = parents.value(id, 0);
    if (id == ancestor) return true;
  }
  return false;
}

}  // namespace

bool ImageNameMatches(const QString& processImageName, const QString& imageName) {
  // An empty name would match every process.
  return !imageName.isEmpty() && processImageName.endsWith(imageName, Qt::CaseInsensitive);
}

void KillProcessesByName(const QString& imageName) {
  const qint64 self = QCoreApplication::applicationPid();
  const std::vector<platform::ProcessEntry> processes = platform::CreateToolhelp32Snapshot();
  QHash<int, int> parents;
  for (const platform::ProcessEntry& entry : processes) parents.insert(entry.th32ProcessID, entry.th32ParentProcessID);
  for (const platform::ProcessEntry& entry : processes) {
    if (!ImageNameMatches(entry.szExeFile, imageName) || !DescendsFrom(entry.th32ProcessID, self, parents)) continue;
    platform::TerminateProcess(platform::OpenProcess(entry.th32ProcessID));
  }
}

}  // namespace conversion
