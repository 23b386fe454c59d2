#pragma once
#include <QStringList>
#include <functional>

namespace platform {

// Stands in for starting a command line: starts command[0] with the rest as its arguments, one
// by one (never through a shell), detached, and returns at once. A program that cannot be
// started is not reported, as the callers expect nothing of it.
void Shell(const QStringList& command);

// The command that shows `folder` in the desktop's file manager. The folder is not tested first.
QStringList ExplorerCommand(const QString& folder);

namespace testing {
// Every later Shell goes to `recorder` instead of starting anything; an empty function restores it.
void SetShellDouble(std::function<void(const QStringList&)> recorder);
}  // namespace testing

}  // namespace platform
