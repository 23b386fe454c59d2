#pragma once
#include "converter/InputFile.h"
#include "converter/Options.h"
#include "converter/Plan.h"

namespace kodavert {

// Turns the command line into the plan; nothing after this reads the options.
[[nodiscard]] OutputPlan PlanOutput(const Options& options, InputFile& input);

}  // namespace kodavert
