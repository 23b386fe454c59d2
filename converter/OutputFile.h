#pragma once
#include "converter/LibavPtr.h"

#include <optional>
#include <string>

namespace kodavert {

// Second stage: the muxer and the file it writes. Nothing touches the disk before Begin().
class OutputFile {
 public:
  OutputFile(const AVOutputFormat* format, std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool NeedsGlobalHeader() const { return context_->oformat->flags & AVFMT_GLOBALHEADER; }
  bool StoresNegativeTimes() const { return context_->oformat->flags & AVFMT_TS_NEGATIVE; }
  AVStream* AddStream(const AVCodecContext& encoder, std::optional<uint32_t> tag);
  // Writes the output's description ("Output #0, <format>, to '<path>':" and its streams).
  void Describe() const;
  // Creates the file and writes the container header; an error text on failure.
  std::string Begin();
  int Write(AVPacket* packet) { return av_interleaved_write_frame(context_.get(), packet); }
  // Completes the container so that what was written plays; an error text on failure.
  std::string Finish();
  // Takes back a file that failed half-way.
  void Discard();
  int64_t BytesWritten() const;

 private:
  OutputContextPtr context_;
  std::string path_;
  bool opened_ = false;
};

}  // namespace kodavert
