#include "platform/widgets/ShellExecute.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(const QString&)>& Double() {
  return testing::Hook<struct ShellExecuteDouble, void(const QString&)>();
}
}  // namespace

void ShellExecute(const QString& address) {
  if (Double()) {
    Double()(address);
    return;
  }
  // Tolerant parsing keeps the address as the user or the page wrote it; the desktop's handler
  // (xdg-open on Linux) is started detached, so a slow browser never holds up the window.
  QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

namespace testing {
void SetShellExecuteDouble(std::function<void(const QString&)> recorder) { Double() = std::move(recorder); }
}  // namespace testing

}  // namespace platform
