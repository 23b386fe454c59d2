#include "conversion/KillProcessesByName.h"

#include "conversion/ConverterRun.h"
#include "platform/CreateToolhelp32Snapshot.h"

namespace conversion {

bool ImageNameMatches(const QString& processImageName, const QString& imageName) {
  // An empty name would match every process.
  return !imageName.isEmpty() && processImageName.endsWith(imageName, Qt::CaseInsensitive);
}

void KillProcessesByName(const QString& imageName) {
  for (const platform::ProcessEntry& entry : platform::CreateToolhelp32Snapshot()) {
    if (!ImageNameMatches(entry.szExeFile, imageName)) continue;
    // Each is stopped the one way its run stops it, so it gets a single request and a single kill.
    if (ConverterRun* run = ConverterRun::Owning(entry.th32ProcessID)) run->Stop();
  }
}

}  // namespace conversion
