#include "conversion/KillProcessesByName.h"

#include <QCoreApplication>

#include "platform/CreateToolhelp32Snapshot.h"
#include "platform/TerminateProcess.h"

namespace conversion {

bool ImageNameMatches(const QString& processImageName, const QString& imageName) {
  // An empty name would match every process.
  return !imageName.isEmpty() && processImageName.endsWith(imageName, Qt::CaseInsensitive);
}

void KillProcessesByName(const QString& imageName) {
  const qint64 self = QCoreApplication::applicationPid();
  for (const platform::ProcessEntry& entry : platform::CreateToolhelp32Snapshot()) {
    if (entry.th32ProcessID == self || !ImageNameMatches(entry.szExeFile, imageName)) continue;
    platform::Handle process = platform::OpenProcess(entry.th32ProcessID);
    platform::TerminateProcess(process);
  }
}

}  // namespace conversion
