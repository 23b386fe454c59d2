#include "converter/PalettePass.h"

#include "converter/Diagnostics.h"
#include "converter/FilterChain.h"
#include "converter/InputFile.h"
#include "converter/Progress.h"
#include "converter/StopSignal.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kodavert {
namespace {

class PalettePass {
 public:
  explicit PalettePass(const OutputPlan& plan) : output_(plan), plan_(*plan.video) {}

  PaletteResult Run() {
    InputFile::OpenResult opened = InputFile::Open(output_.inputPath);
    if (!opened.file) return Fail(opened.error);
    input_ = std::move(opened.file);
    video_ = input_->Video();
    if (!video_) return Fail("the input's picture cannot be decoded a second time.");
    if (!frame_ || !packet_) return Fail(OutOfMemory);
    input_->DiscardUnused(true, false);
    const double start = output_.cut.startSeconds.value_or(0);
    const AVRational timeBase = video_->stream->time_base;
    shift_ = av_rescale_q(input_->StartTime() + static_cast<int64_t>(start * AV_TIME_BASE), AV_TIME_BASE_Q, timeBase);
    frameDuration_ = av_rescale_q(1, av_inv_q(input_->VideoFrameRate().value_or(AVRational{25, 1})), timeBase);
    if (start > 0) input_->SeekBefore(start);
    if (std::string error = Rebuild(SourceFormat::Of(*video_->decoder)); !error.empty()) return Fail(error);
    progress_.ShowAs(0, 0.5);
    while (!StopRequested() && !palette_) {
      const int result = input_->ReadPacket(packet_.get());
      if (result == AVERROR(EAGAIN)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        continue;
      }
      if (result < 0) break;  // a damaged end shows again, and is reported, in the second pass
      std::string error;
      if (packet_->stream_index == video_->stream->index) {
        NoteReadTime(*packet_);
        error = Decode(packet_.get());
      }
      av_packet_unref(packet_.get());
      if (!error.empty()) return Fail(error);
      progress_.Report(0);
    }
    if (StopRequested()) return {};
    if (std::string error = Decode(nullptr); !error.empty()) return Fail(error);
    if (!palette_ && chain_->End(nextPts_) < 0) return Fail("the palette could not be made.");
    if (std::string error = Pull(); !error.empty()) return Fail(error);
    if (!palette_) return Fail("nothing of the input's picture could be decoded; there is nothing to convert.");
    palette_->pts = 0;
    return {std::move(palette_), seconds_, {}};
  }

 private:
  static PaletteResult Fail(std::string error) { return {nullptr, 0, std::move(error)}; }

  std::string Rebuild(const SourceFormat& source) {
    FilterChain::CreateResult created =
        FilterChain::ForVideo(plan_, output_.cut, source, video_->stream->time_base, input_->VideoFrameRate());
    chain_ = std::move(created.chain);
    return created.error;
  }

  void NoteReadTime(const AVPacket& packet) {
    const int64_t time = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
    if (time == AV_NOPTS_VALUE) return;
    double seconds = av_q2d(video_->stream->time_base) * double(time - shift_);
    if (output_.cut.lengthSeconds) seconds = std::min(seconds, *output_.cut.lengthSeconds);
    if (seconds > seconds_) progress_.Reached(seconds_ = seconds);
  }

  // Timestamps as the second pass gives them, so that the same frames make the palette.
  std::string Decode(const AVPacket* packet) {
    AVCodecContext* decoder = video_->decoder.get();
    int result = avcodec_send_packet(decoder, packet);
    if (result < 0 && packet && result != AVERROR(ENOMEM)) return {};
    while (!palette_ && (result = avcodec_receive_frame(decoder, frame_.get())) >= 0) {
      int64_t pts = frame_->best_effort_timestamp;
      pts = pts == AV_NOPTS_VALUE ? nextPts_ : pts - shift_;
      if (pts != AV_NOPTS_VALUE) nextPts_ = pts + (frame_->pkt_duration > 0 ? frame_->pkt_duration : frameDuration_);
      frame_->pts = pts;
      std::string error;
      if (!chain_->Accepts(*frame_)) error = Rebuild(SourceFormat::Of(*frame_));
      if (error.empty() && chain_->Push(frame_.get()) < 0) error = "the palette's filters failed.";
      av_frame_unref(frame_.get());
      if (error.empty()) error = Pull();
      if (!error.empty()) return error;
    }
    if (result == AVERROR(ENOMEM)) return "the " + std::string(decoder->codec->name) + " decoder ran out of memory.";
    return {};
  }

  // The palette comes once, when the cut ends or the input does.
  std::string Pull() {
    FramePtr frame(av_frame_alloc());
    if (!frame) return OutOfMemory;
    const int result = chain_->Pull(frame.get());
    if (result >= 0) palette_ = std::move(frame);
    return result >= 0 || result == AVERROR(EAGAIN) || result == AVERROR_EOF ? "" : "the palette could not be made.";
  }

  const OutputPlan& output_;
  const VideoPlan& plan_;
  std::unique_ptr<InputFile> input_;
  DecodedStream* video_ = nullptr;
  std::unique_ptr<FilterChain> chain_;
  FramePtr frame_{av_frame_alloc()};
  PacketPtr packet_{av_packet_alloc()};
  FramePtr palette_;
  Progress progress_;
  int64_t shift_ = 0;
  int64_t nextPts_ = AV_NOPTS_VALUE;
  int64_t frameDuration_ = 0;
  double seconds_ = 0;
};

}  // namespace

std::shared_ptr<AVFrame> BlankPalette() {
  FramePtr frame(av_frame_alloc());
  if (!frame) return nullptr;
  frame->width = frame->height = 16;
  frame->format = AV_PIX_FMT_RGB32;
  if (av_frame_get_buffer(frame.get(), 0) < 0) return nullptr;
  for (int row = 0; row < frame->height; ++row) std::fill_n(frame->data[0] + row * frame->linesize[0], 16 * 4, 0);
  frame->pts = 0;
  return std::shared_ptr<AVFrame>(std::move(frame));
}

PaletteResult MakePalette(const OutputPlan& plan) { return PalettePass(plan).Run(); }

}  // namespace kodavert
