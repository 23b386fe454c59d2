#include "platform/ReadFile.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

ReadResult ReadFile(const Handle& pipeRead, int maxBytes) {
  pollfd entry{pipeRead.Descriptor(), POLLIN, 0};
  int ready;
  do ready = ::poll(&entry, 1, 0);
  while (ready < 0 && errno == EINTR);
  if (ready < 0 || (entry.revents & POLLNVAL)) return {};
  if (ready == 0) return {ReadResult::State::Nothing, {}};

  // Readable or hung up: either way the read returns at once, with data or with the end.
  QByteArray bytes(maxBytes, Qt::Uninitialized);
  ssize_t got;
  do got = ::read(pipeRead.Descriptor(), bytes.data(), bytes.size());
  while (got < 0 && errno == EINTR);
  if (got <= 0) return {};
  bytes.truncate(got);
  return {ReadResult::State::Data, bytes};
}

}  // namespace platform
