#pragma once
#include <QByteArray>

#include "platform/CloseHandle.h"

namespace platform {

struct ReadResult {
  enum class State {
    Data,     // `bytes` holds what was read
    Nothing,  // the writer is still there but has written nothing new
    Ended,    // every writer has gone and everything has been read (or the read failed)
  };
  State state = State::Ended;
  QByteArray bytes;
};

// Stands in for ReadFile on a pipe's read end, with a look at the pipe first so that the
// caller's thread never waits: at most `maxBytes` of what is already there.
ReadResult ReadFile(const Handle& pipeRead, int maxBytes);

}  // namespace platform
