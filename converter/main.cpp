// kodavert.dll: converts one video or sound file into another format, taking the classic
// command-line options of the stock converter (see README.md for their meanings here).
#include "converter/Conversion.h"
#include "converter/Diagnostics.h"
#include "converter/StopSignal.h"

#if __has_include(<sched.h>)
#include <sched.h>
#endif

namespace {

// A conversion is batch work, and its threads wake each other all the time: the reader hands
// frames to the encoders' workers, the workers to the encoders' own pools. A thread woken that way
// should wait for its turn instead of cutting into an encoder thread in the middle of a row, which
// stalls the rows that wait on it (x265 at 320x240 lost 6 to 9% of its wall time to that). Threads
// started later, the encoders' pools among them, inherit the policy; the desktop's own threads
// still preempt ours as before.
void RunAsBatchWork() {
#ifdef SCHED_BATCH
  const sched_param normal{};
  sched_setscheduler(0, SCHED_BATCH, &normal);  // refused: the same output, a little later
#endif
}

}  // namespace

int main(int argc, char** argv) {
  RunAsBatchWork();
  kodavert::InstallStopHandlers();
  kodavert::DiagnosticsSession diagnostics;
  const kodavert::ParseResult parsed = kodavert::ParseCommandLine(argc, argv);
  if (parsed.help) {
    kodavert::WriteLine(kodavert::HelpText());
    return kodavert::kExitSuccess;
  }
  if (!parsed.options) {
    kodavert::Error(parsed.error + " " + kodavert::UsageLine());
    return kodavert::kExitUsage;
  }
  return kodavert::Convert(*parsed.options, parsed.warnings);
}
