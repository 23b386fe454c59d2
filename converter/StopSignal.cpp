#include "converter/StopSignal.h"

#include <atomic>
#include <csignal>

namespace kodavert {
namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");

extern "C" void OnStopSignal(int) { stopRequested.store(true); }

}  // namespace

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  // A reader that goes away must not kill the conversion: writes then simply fail.
  std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() { return stopRequested.load(); }

int InterruptCallback(void*) { return StopRequested() ? 1 : 0; }

}  // namespace kodavert
