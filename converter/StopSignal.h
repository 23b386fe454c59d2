#pragma once

namespace kodavert {

// SIGTERM and SIGINT only raise a flag: the conversion loop and libav's blocking input calls
// (through the interrupt callback) look at it and wind the output up properly.
void InstallStopHandlers();
bool StopRequested();
int InterruptCallback(void* unused);

}  // namespace kodavert
