#pragma once
#include "converter/Options.h"

namespace kodavert {

// Exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// The output is complete and plays, but the input failed to read before its end.
inline constexpr int kExitInputDamaged = 3;
// Stopped by SIGTERM or SIGINT: what was converted so far is kept and plays, but the output is not
// what was asked for, and whoever watches the run must not take it for a finished one.
inline constexpr int kExitStopped = 255;

// One whole conversion, from opening the input to the completed output; the exit status.
// `warnings` from reading the command line are given after the input's description, which the
// window expects at the very start.
[[nodiscard]] int Convert(const Options& options, const std::vector<std::string>& warnings = {});

}  // namespace kodavert
