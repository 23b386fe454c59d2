#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}
#include "converter/FormerOptions.h"

#include <string>
#include <vector>

namespace kodavert {

// The command line's options that are not the converter's own reach the encoders and the muxer as
// AVOptions, as they did in the stock tool of the time. Names and values that libavcodec has since
// renamed or moved into an encoder's private options (most of them x264's) are translated first,
// as the option table says.

// Whether some encoder or muxer knows `name` (without its dash), today or under a former name.
[[nodiscard]] bool IsCodecOption(const std::string& name);
// Whether the encoders' option `name` takes a whole number or a yes/no, so that the tools of the
// time took it as a switch meaning 1 where no value followed it ("-trellis -aic").
[[nodiscard]] bool IsNumericCodecOption(const std::string& name);

struct OptionTargets {
  OptionList video, audio, muxer;
  std::vector<std::string> warnings;  // options that none of the chosen encoders and muxer know
  std::string error;                  // a value its option refuses
};

// Gives each of the chosen encoders (either may be null) and the muxer the options it knows, each
// value already tried on a context of its own; an option meant for both streams goes to both.
[[nodiscard]] OptionTargets DistributeOptions(const OptionList& given, const AVCodec* video, const AVCodec* audio,
                                              const AVOutputFormat* format);

// Sets options already tried by DistributeOptions; an error text should one still fail.
[[nodiscard]] std::string ApplyOptions(void* object, const OptionList& options);

}  // namespace kodavert
