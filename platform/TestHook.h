#pragma once
#include <functional>

namespace platform::testing {

// Where a stand-in keeps its test double: empty unless a test has set one, and then the stand-in
// calls it instead of the system. `Tag` keeps apart stand-ins whose doubles look alike.
template <typename Tag, typename Signature>
std::function<Signature>& Hook() {
  static std::function<Signature> hook;
  return hook;
}

}  // namespace platform::testing
