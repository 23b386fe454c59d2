#pragma once
#include "converter/LibavPtr.h"
#include "converter/Plan.h"

#include <string>

namespace kodavert {

struct EncoderResult {
  CodecContextPtr encoder;
  std::string error;
};

// Why `quality` (-qscale) lies outside the fixed-quality scale of `encoder`, or empty.
[[nodiscard]] std::string CheckFixedQuality(const AVCodec* encoder, double quality);

// The video encoder takes the frame geometry and time base that the filter sink delivers.
[[nodiscard]] EncoderResult OpenVideoEncoder(const VideoPlan& plan, const AVFilterContext& sink, bool globalHeader);
// The audio encoder is opened before its filters, which then cut frames to its frame size.
[[nodiscard]] EncoderResult OpenAudioEncoder(const AudioPlan& plan, bool globalHeader);

}  // namespace kodavert
