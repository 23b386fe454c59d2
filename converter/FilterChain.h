#pragma once
#include "converter/LibavPtr.h"
#include "converter/Options.h"
#include "converter/OutputPlan.h"

#include <memory>
#include <string>

namespace kodavert {

// Third stage: one libavfilter graph per stream, from the decoder's frames to frames exactly as
// the encoder takes them (size, rate, format, cut).
class FilterChain {
 public:
  struct CreateResult {
    std::unique_ptr<FilterChain> chain;
    std::string error;
  };
  // `timeBase` is that of the timestamps pushed in; `frameSize` is the fixed number of samples per
  // frame an audio encoder needs (0 when any number does).
  static CreateResult ForVideo(const Options& options, const VideoPlan& plan,
                               const AVCodecContext& decoder, AVRational timeBase,
                               std::optional<AVRational> sourceRate);
  static CreateResult ForAudio(const Options& options, const AudioPlan& plan,
                               const AVCodecContext& decoder, AVRational timeBase, int frameSize);

  int Push(AVFrame* frame);
  // Ends the input at `pts` (in the input time base), so that rate conversion fills up to there.
  int End(int64_t pts);
  int Pull(AVFrame* frame);
  const AVFilterContext* Sink() const { return sink_; }

 private:
  static CreateResult Build(const std::string& sourceName, const std::string& sourceArguments,
                            const std::string& sinkName, const std::string& description);

  FilterGraphPtr graph_;
  AVFilterContext* source_ = nullptr;
  AVFilterContext* sink_ = nullptr;
};

}  // namespace kodavert
