#pragma once
#include <optional>

#include "platform/CloseHandle.h"

namespace platform {

struct Pipe {
  Handle read;
  Handle write;
};

// Stands in for CreatePipe: an anonymous pipe. Neither end is inherited by a child of its own
// accord; the launch hands the write end to the child explicitly, so nothing else of the
// program leaks into it. Nothing when the system refuses (too many open descriptors).
std::optional<Pipe> CreatePipe();

}  // namespace platform
