#pragma once
#include "converter/Options.h"

#include <optional>

namespace kodavert {

// -target: the disc and tape standards ("vcd", "svcd", "dvd", "dv"), each for a television norm
// ("pal-", "ntsc-" or "film-"; without one, the source's frame rate decides).
[[nodiscard]] bool IsTarget(const std::string& target);

// Fills in what the standard prescribes (container, codecs, size, rate, bit rates, buffer, muxing)
// wherever the command line does not say otherwise itself.
void ApplyTarget(Options& options, std::optional<AVRational> sourceRate);

}  // namespace kodavert
