#include "platform/TerminateProcess.h"

#include <QCoreApplication>
#include <QTimer>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <memory>

namespace platform {
namespace {
constexpr int GraceMilliseconds = 2000;

// Called directly: the C library's wrappers of this version lack C linkage for C++.
int ProcessDescriptor(int processId) { return static_cast<int>(::syscall(SYS_pidfd_open, processId, 0)); }
bool Signal(int processDescriptor, int signal) {
  return ::syscall(SYS_pidfd_send_signal, processDescriptor, signal, nullptr, 0) == 0;
}
bool HasEnded(int processDescriptor) {
  // The process descriptor becomes readable when the process ends.
  pollfd entry{processDescriptor, POLLIN, 0};
  return ::poll(&entry, 1, 0) != 0;
}
}  // namespace

Handle OpenProcess(int processId) {
  if (processId <= 0) return Handle();
  return Handle(ProcessDescriptor(processId));
}

void TerminateProcess(const Handle& process) {
  if (!process.IsOpen() || !Signal(process.Descriptor(), SIGTERM)) return;
  auto watched = std::make_shared<Handle>(::fcntl(process.Descriptor(), F_DUPFD_CLOEXEC, 0));
  if (!watched->IsOpen()) return;
  QTimer::singleShot(GraceMilliseconds, QCoreApplication::instance(), [watched] {
    if (!HasEnded(watched->Descriptor())) Signal(watched->Descriptor(), SIGKILL);
  });
}

}  // namespace platform
