#pragma once
#include "converter/LibavPtr.h"
#include "converter/Plan.h"

#include <memory>
#include <string>

namespace kodavert {

struct PaletteResult {
  FramePtr palette;
  double seconds = 0;  // of the input the pass went through, from the cut's start
  std::string error;   // also empty when a stop request ended the pass without a palette
};

// The first of the two passes of an output with its own palette: reads the input's picture
// through the same filters as the second, up to a histogram of its colours. Its progress lines
// count half the input, the second pass the other half. `plan`'s video has no palette yet.
[[nodiscard]] PaletteResult MakePalette(const OutputPlan& plan);

// A palette of black, of the shape the first pass gives, so that the second pass's filters and
// encoder can be set up before the first pass runs. Nothing when out of memory.
[[nodiscard]] std::shared_ptr<AVFrame> BlankPalette();

}  // namespace kodavert
