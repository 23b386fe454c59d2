#pragma once
#include "converter/Options.h"
#include "converter/Plan.h"

#include <optional>
#include <string>

namespace kodavert {

// What each codec and container can carry. Every Fit brings a request within those limits and says
// what it changed with one warning line; the Nearest and Choose functions only find the value.

[[nodiscard]] std::string SizeText(int width, int height);

void FitContainer(OutputPlan& plan, const Options& options);
void FitFrameSize(VideoPlan& video, bool sizeGiven);
[[nodiscard]] AVRational FitFrameRate(const AVCodec* encoder, AVRational rate);
[[nodiscard]] AVPixelFormat ChoosePixelFormat(const AVCodec* encoder, AVPixelFormat source, const std::string& asked);
void FitDv(VideoPlan& video, bool formatGiven);
[[nodiscard]] int NearestSampleRate(const AVCodec* encoder, int rate);
[[nodiscard]] int FitChannels(const AVCodec* encoder, int channels);
void FitAudioBitrate(AudioPlan& audio);
[[nodiscard]] bool IsXvid(const AVCodec* encoder);
void FitTag(const AVOutputFormat* format, AVCodecID codec, std::optional<uint32_t>& tag, bool xvid = false);

}  // namespace kodavert
