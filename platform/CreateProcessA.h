#pragma once
#include <QStringList>
#include <optional>

#include "platform/CloseHandle.h"

namespace platform {

// A child process the program has started. Giving it up (CloseHandle or the destructor) never
// waits for it: a child that has ended is collected at once, a running one as soon as it ends,
// so no finished child lingers in the process table.
class ProcessInformation {
 public:
  ProcessInformation() = default;
  explicit ProcessInformation(int processId) : processId_(processId) {}
  ProcessInformation(ProcessInformation&& other) noexcept;
  ProcessInformation& operator=(ProcessInformation&& other) noexcept;
  ProcessInformation(const ProcessInformation&) = delete;
  ProcessInformation& operator=(const ProcessInformation&) = delete;
  ~ProcessInformation();

  bool IsOpen() const { return processId_ > 0; }
  int ProcessId() const { return processId_; }

 private:
  friend void CloseHandle(ProcessInformation& process);
  int processId_ = 0;
};

void CloseHandle(ProcessInformation& process);

// Stands in for CreateProcessA: starts arguments[0] with the whole argument vector as it is
// (never through a shell, so blanks, quotes, "$(...)" and line breaks reach the program intact),
// without a window, with standard input empty and standard output and standard error both on
// `output`. No other descriptor of the program reaches the child. The environment and the
// current folder are the program's. Nothing when the program could not be started.
std::optional<ProcessInformation> CreateProcessA(const QStringList& arguments, const Handle& output);

}  // namespace platform
