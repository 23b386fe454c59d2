#include "platform/End.h"

#include <cstdio>
#include <cstdlib>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void()>& Double() { return testing::Hook<struct EndDouble, void()>(); }
}  // namespace

void End() {
  if (Double()) {
    Double()();
    return;
  }
  std::fflush(nullptr);
  // No destructors run: a nested event loop (a fetch in progress, a modal window) may be on the
  // stack, and nothing the program holds needs saving.
  std::_Exit(0);
}

namespace testing {
void SetEndDouble(std::function<void()> ended) { Double() = std::move(ended); }
}  // namespace testing

}  // namespace platform
