#pragma once
#include "platform/CloseHandle.h"

namespace platform {

// Stands in for OpenProcess with the right to terminate: a handle that keeps naming the same
// process even if its id is reused. Not open when the process is gone.
Handle OpenProcess(int processId);

// Stands in for TerminateProcess: asks the process to stop (so that a converter can finish the
// file it has written) and kills it about two seconds later if it is still there. Returns at
// once; the kill comes from a timer on the calling thread, whose event loop must run. Failures
// (the process is gone, or is not ours to stop) are ignored.
void TerminateProcess(const Handle& process);

}  // namespace platform
