// kodavert.dll: converts one video or sound file into another format, taking the classic
// command-line options of the stock converter (see README.md for their meanings here).
#include "converter/Conversion.h"
#include "converter/Diagnostics.h"
#include "converter/StopSignal.h"

int main(int argc, char** argv) {
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
