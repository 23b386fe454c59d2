#pragma once
#include "converter/LibavPtr.h"
#include "converter/Plan.h"

#include <memory>
#include <string>

namespace kodavert {

// What a decoder delivers, as far as the filters care. Files whose header and frames disagree
// (a Speex stream without a header, a picture size that changes) are met by building the filters
// anew from the frames.
struct SourceFormat {
  int width = 0;
  int height = 0;
  int pixelFormat = -1;
  int aspectNum = 0;  // pixel aspect, 0 when unknown
  int aspectDen = 1;
  int sampleRate = 0;
  int sampleFormat = -1;
  std::string channelLayout;

  static SourceFormat Of(const AVCodecContext& decoder);
  static SourceFormat Of(const AVFrame& frame);
  bool operator==(const SourceFormat&) const = default;
};

// Third stage: one libavfilter graph per stream, from the decoder's frames to frames exactly as
// the encoder takes them (size, rate, format, cut).
class FilterChain {
 public:
  struct CreateResult {
    std::unique_ptr<FilterChain> chain;
    std::string error;
  };
  // `timeBase` is that of the timestamps pushed in.
  [[nodiscard]] static CreateResult ForVideo(const VideoPlan& plan, const Cut& cut, const SourceFormat& source,
                                             AVRational timeBase, std::optional<AVRational> sourceRate);
  // `frameSize` is the fixed number of samples per frame the encoder needs (0: any number).
  [[nodiscard]] static CreateResult ForAudio(const AudioPlan& plan, const Cut& cut, const SourceFormat& source,
                                             AVRational timeBase, int frameSize);

  bool Accepts(const AVFrame& frame) const { return SourceFormat::Of(frame) == source_; }
  [[nodiscard]] int Push(AVFrame* frame);
  // Ends the input at `pts` (in the input time base), so that rate conversion fills up to there.
  [[nodiscard]] int End(int64_t pts);
  [[nodiscard]] int Pull(AVFrame* frame);
  const AVFilterContext* Sink() const { return sink_; }

 private:
  [[nodiscard]] static CreateResult Build(const SourceFormat& source, const std::string& sourceArguments,
                                          const std::string& description, const AVFrame* palette = nullptr);

  SourceFormat source_;
  FilterGraphPtr graph_;
  AVFilterContext* sourceFilter_ = nullptr;
  AVFilterContext* sink_ = nullptr;
};

}  // namespace kodavert
