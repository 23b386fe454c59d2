#pragma once
#include <QString>
#include <functional>

namespace platform {

// Stands in for ShellExecuteA with the verb "Open": hands an address (a web page, a "mailto:" link)
// to the desktop's default handler and returns at once. The address goes over as one argument,
// never through a shell; the outcome is not reported, as the callers expect nothing of it.
void ShellExecute(const QString& address);

namespace testing {
// Every later ShellExecute goes to `recorder` instead of the desktop; an empty function restores it.
void SetShellExecuteDouble(std::function<void(const QString&)> recorder);
}  // namespace testing

}  // namespace platform
