#include "platform/TerminateProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform {
namespace {
constexpr int GraceMilliseconds = 2000;

// Called directly: the C library's wrappers of this version lack C linkage for C++.
int ProcessDescriptor(int processId) { return static_cast<int>(::syscall(SYS_pidfd_open, processId, 0)); }
bool Signal(int processDescriptor, int signal) {
  return ::syscall(SYS_pidfd_send_signal, processDescriptor, signal, nullptr, 0) == 0;
}
}  // namespace

Handle OpenProcess(int processId) {
  if (processId <= 0) return Handle();
  return Handle(ProcessDescriptor(processId));
}

void TerminateProcess(const Handle& process) {
  if (!process.IsOpen() || !Signal(process.Descriptor(), SIGTERM)) return;
  Handle watched(::fcntl(process.Descriptor(), F_DUPFD_CLOEXEC, 0));
  if (!watched.IsOpen()) return;
  // The process descriptor becomes readable when the process ends.
  std::thread([watched = std::move(watched)] {
    pollfd entry{watched.Descriptor(), POLLIN, 0};
    int ready;
    do ready = ::poll(&entry, 1, GraceMilliseconds);
    while (ready < 0 && errno == EINTR);
    if (ready == 0) Signal(watched.Descriptor(), SIGKILL);
  }).detach();
}

}  // namespace platform
