#include "platform/CreatePipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

std::optional<Pipe> CreatePipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  return Pipe{Handle(ends[0]), Handle(ends[1])};
}

}  // namespace platform
