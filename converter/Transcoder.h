#pragma once
#include "converter/EncoderWorker.h"
#include "converter/FilterChain.h"
#include "converter/InputFile.h"
#include "converter/LibavPtr.h"
#include "converter/OutputFile.h"
#include "converter/Plan.h"
#include "converter/Progress.h"

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kodavert {

// Fourth and fifth stages: moves packets from the input through decoder, filters and encoder into
// the output, then drains every stage so that the last frames are written too. A stop request
// ends the reading early and takes the same draining path.
class Transcoder {
 public:
  Transcoder(InputFile& input, OutputFile& output);
  // Builds one decoder-filters-encoder pipeline per output stream; an error text on failure.
  [[nodiscard]] std::string Setup(const OutputPlan& plan);
  // Frees the picture's filters until UsePalette builds them again: the second pass's colour
  // cache need not sit in memory beside the first pass's histogram.
  void SetPictureFiltersAside();
  // An output with its own palette: the first pass has made it, in place of the blank one, after
  // reading `seconds` of the input. Its progress then counts for the second half.
  [[nodiscard]] std::string UsePalette(double seconds);
  // An error text also when some output stream received nothing at all: such a file plays nothing.
  [[nodiscard]] std::string Run();
  // Why the input failed to read before its end, or empty; the output holds what came before.
  const std::string& ReadError() const { return readError_; }

 private:
  struct Pipeline {
    DecodedStream* input = nullptr;
    std::unique_ptr<FilterChain> filters;
    std::function<FilterChain::CreateResult(const SourceFormat&)> makeFilters;
    CodecContextPtr encoder;
    AVStream* output = nullptr;
    int64_t shift = 0;                 // input timestamp that becomes zero in the output
    int64_t nextPts = AV_NOPTS_VALUE;  // where the next decoded frame should start
    int64_t lastDts = AV_NOPTS_VALUE;  // of the last packet written
    int64_t delay = 0;                 // added to the output timestamps
    int64_t frameDuration = 0;         // of a picture whose packet gives none
    int64_t holdBack = 0;              // added to the encoder's timestamps, in its time base
    std::unique_ptr<FILE, int (*)(FILE*)> passLog{nullptr, fclose};  // the first pass's notes
    bool ended = false;                                              // the filters will deliver no more frames
    PacketPtr packet{av_packet_alloc()};                             // the encoder's output, used by its worker only
    bool copied = false;           // the input's packets go out unchanged: no decoder, filters or encoder
    int64_t end = AV_NOPTS_VALUE;  // of a copied stream's cut, in its time base
    int64_t framesLeft = -1;       // of a copied picture, when -vframes counts them
    int64_t packetsWritten = 0;
    std::vector<PacketPtr> lead;  // of a copied stream: from the key frame before the cut's start
    size_t leadBytes = 0;
    bool started = false;        // a copied stream has reached the cut's start
    BitstreamFilterPtr reshape;  // of a copied stream: gives its packets the container's form

    AVRational TimeBase() const { return encoder ? encoder->time_base : input->stream->time_base; }
    AVMediaType Type() const { return input ? input->stream->codecpar->codec_type : encoder->codec_type; }
    std::unique_ptr<EncoderWorker> worker;  // none: the encoder runs on the reading thread
  };

  // Reads, decodes and filters everything, handing frames to the encoder workers.
  [[nodiscard]] std::string Feed();
  [[nodiscard]] std::string AddVideo(const VideoPlan& plan);
  [[nodiscard]] std::string AddAudio(const AudioPlan& plan);
  [[nodiscard]] std::string AddOutputStream(Pipeline& pipeline, std::optional<uint32_t> tag);
  [[nodiscard]] std::string AddCopy(DecodedStream* input, std::optional<uint32_t> tag,
                                    std::optional<int64_t> frames = std::nullopt);
  [[nodiscard]] std::string Copy(Pipeline& pipeline, AVPacket& packet);
  [[nodiscard]] std::string WriteCopied(Pipeline& pipeline, AVPacket& packet);
  Pipeline* PipelineFor(int streamIndex);
  [[nodiscard]] std::string Decode(Pipeline& pipeline, const AVPacket* packet);
  static int64_t NextTimestamp(Pipeline& pipeline, const AVFrame& frame);
  void KeepDecodingOrder(Pipeline& pipeline, AVPacket& packet) const;
  // A null frame ends the stream at `endPts`.
  [[nodiscard]] std::string Filter(Pipeline& pipeline, AVFrame* frame, int64_t endPts = AV_NOPTS_VALUE);
  // Runs on the pipeline's worker thread, if it has one.
  [[nodiscard]] std::string Encode(Pipeline& pipeline, const AVFrame* frame);
  [[nodiscard]] std::string Write(Pipeline& pipeline, AVPacket& packet);
  [[nodiscard]] std::string Drain(Pipeline& pipeline);
  bool AllEnded() const;
  void NoteReadTime(const Pipeline& pipeline, const AVPacket& packet);
  [[nodiscard]] std::string CheckEveryStreamWritten() const;

  Cut cut_;  // the plan's, unless a copied picture moves its start to a key frame
  std::string inputPath_;
  std::string passLogPath_;
  InputFile& input_;
  OutputFile& output_;
  std::mutex muxing_;  // the muxer and the progress count are shared by the encoder workers
  Progress progress_;
  std::deque<Pipeline> pipelines_;  // a deque keeps each pipeline in place for its worker
  FramePtr decoded_{av_frame_alloc()};
  FramePtr filtered_{av_frame_alloc()};
  PacketPtr packet_{av_packet_alloc()};
  std::string readError_;
  std::optional<double> lastReadSeconds_;  // the latest time read from the input, from its start
};

}  // namespace kodavert
