#include "platform/CloseHandle.h"

#include <unistd.h>

namespace platform {

Handle& Handle::operator=(Handle&& other) noexcept {
  if (this != &other) {
    CloseHandle(*this);
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

Handle::~Handle() { CloseHandle(*this); }

void CloseHandle(Handle& handle) {
  // close() releases the descriptor even when it reports EINTR, so it is never retried.
  if (handle.descriptor_ >= 0) ::close(std::exchange(handle.descriptor_, -1));
}

}  // namespace platform
