#pragma once
#include "converter/LibavPtr.h"

#include <memory>
#include <optional>
#include <string>

namespace kodavert {

struct DecodedStream {
  AVStream* stream = nullptr;
  CodecContextPtr decoder;
};

// First stage: the demuxer and one decoder each for the best video and the best audio stream.
class InputFile {
 public:
  struct OpenResult {
    std::unique_ptr<InputFile> file;
    std::string error;
  };
  [[nodiscard]] static OpenResult Open(const std::string& path);

  // Writes the input's description in the stock manner ("Input #0, ...", "Duration: ...").
  void Describe(const std::string& path) const;
  // Positions the demuxer at or before `seconds` from the start; decoding up to it is the caller's.
  void SeekBefore(double seconds);
  // Seconds from the start of the video's last key frame at or before `seconds`, found by reading
  // from there; nothing when the input cannot seek or has none. The reading position is lost.
  std::optional<double> VideoKeyFrameBefore(double seconds);
  // Start of the input in AV_TIME_BASE units; output timestamps count from here.
  int64_t StartTime() const;
  std::optional<double> DurationSeconds() const;
  // The video's nominal frame rate, or nothing when the file gives no usable one.
  std::optional<AVRational> VideoFrameRate() const;
  [[nodiscard]] int ReadPacket(AVPacket* packet) { return av_read_frame(context_.get(), packet); }

  DecodedStream* Video() { return video_.decoder ? &video_ : nullptr; }
  DecodedStream* Audio() { return audio_.decoder ? &audio_ : nullptr; }
  // Streams that no output needs are skipped by the demuxer.
  void DiscardUnused(bool keepVideo, bool keepAudio);
  // Opens the video decoder again with one thread; before the first packet only. Where it cannot,
  // the decoder as it was stays.
  void DecodeVideoOnOneThread();

 private:
  explicit InputFile(InputContextPtr context) : context_(std::move(context)) {}
  void OpenDecoder(AVMediaType type, DecodedStream& target);

  InputContextPtr context_;
  DecodedStream video_;
  DecodedStream audio_;
};

}  // namespace kodavert
