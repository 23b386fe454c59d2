#include "converter/OutputFile.h"

#include "converter/Diagnostics.h"

#include <cstdio>

namespace kodavert {

OutputFile::OutputFile(const AVOutputFormat* format, std::string path) : path_(std::move(path)) {
  AVFormatContext* raw = nullptr;
  avformat_alloc_output_context2(&raw, format, nullptr, path_.c_str());
  context_.reset(raw);
}

OutputFile::~OutputFile() {
  if (opened_) avio_closep(&context_->pb);
}

AVStream* OutputFile::AddStream(const AVCodecContext& encoder, std::optional<uint32_t> tag) {
  AVStream* stream = avformat_new_stream(context_.get(), nullptr);
  if (!stream || avcodec_parameters_from_context(stream->codecpar, &encoder) < 0) return nullptr;
  stream->time_base = encoder.time_base;
  stream->avg_frame_rate = encoder.framerate;
  stream->sample_aspect_ratio = encoder.sample_aspect_ratio;
  stream->codecpar->codec_tag = tag.value_or(0);
  return stream;
}

void OutputFile::Describe() const {
  VerboseLogScope verbose;
  av_dump_format(context_.get(), 0, path_.c_str(), 1);
}

std::string OutputFile::Begin() {
  if (const int result = avio_open(&context_->pb, path_.c_str(), AVIO_FLAG_WRITE); result < 0)
    return "cannot create '" + path_ + "': " + ErrorText(result) +
           ". Check that the output folder exists and may be written.";
  opened_ = true;
  if (const int result = avformat_write_header(context_.get(), nullptr); result < 0)
    return "cannot start writing '" + path_ + "': " + ErrorText(result) + ".";
  return {};
}

std::string OutputFile::Finish() {
  if (const int result = av_write_trailer(context_.get()); result < 0)
    return "cannot complete '" + path_ + "': " + ErrorText(result) + ".";
  return {};
}

void OutputFile::Discard() {
  if (!opened_) return;
  avio_closep(&context_->pb);
  opened_ = false;
  std::remove(path_.c_str());
}

int64_t OutputFile::BytesWritten() const {
  return opened_ && context_->pb ? avio_tell(context_->pb) : 0;
}

}  // namespace kodavert
