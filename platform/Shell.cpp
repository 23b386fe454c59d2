#include "platform/Shell.h"

#include <QProcess>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(const QStringList&)>& Double() {
  return testing::Hook<struct ShellDouble, void(const QStringList&)>();
}
}  // namespace

void Shell(const QStringList& command) {
  if (Double()) {
    Double()(command);
    return;
  }
  if (!command.isEmpty()) QProcess::startDetached(command.first(), command.mid(1));
}

QStringList ExplorerCommand(const QString& folder) {
#ifdef Q_OS_WIN
  return {QStringLiteral("explorer"), folder};
#else
  return {QStringLiteral("xdg-open"), folder};
#endif
}

namespace testing {
void SetShellDouble(std::function<void(const QStringList&)> recorder) { Double() = std::move(recorder); }
}  // namespace testing

}  // namespace platform
