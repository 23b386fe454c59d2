#include "converter/OutputFile.h"

#include "converter/Diagnostics.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace kodavert {

OutputFile::CreateResult OutputFile::Create(const AVOutputFormat* format, std::string path, const OptionList& options,
                                            const OptionList& metadata) {
  AVFormatContext* raw = nullptr;
  if (const int result = avformat_alloc_output_context2(&raw, format, nullptr, path.c_str()); result < 0)
    return {nullptr, "cannot prepare the output '" + path + "': " + ErrorText(result) + "."};
  OutputContextPtr context(raw);
  if (std::string error = ApplyOptions(context.get(), options); !error.empty()) return {nullptr, error};
  for (const auto& [key, value] : metadata)
    if (av_dict_set(&context->metadata, key.c_str(), value.c_str(), 0) < 0) return {nullptr, OutOfMemory};
  return {std::unique_ptr<OutputFile>(new OutputFile(std::move(context), std::move(path))), {}};
}

OutputFile::~OutputFile() { Close(); }

int OutputFile::Close() {
  if (!opened_) return 0;
  opened_ = false;
  return avio_closep(&context_->pb);
}

AVStream* OutputFile::AddStream(const AVCodecContext& encoder, std::optional<uint32_t> tag) {
  AVStream* stream = avformat_new_stream(context_.get(), nullptr);
  if (!stream || avcodec_parameters_from_context(stream->codecpar, &encoder) < 0) return nullptr;
  stream->time_base = encoder.time_base;
  stream->avg_frame_rate = encoder.framerate;
  stream->sample_aspect_ratio = encoder.sample_aspect_ratio;
  stream->codecpar->codec_tag = tag.value_or(0);
  // At a fixed quality the encoder's bit rate is only its unused default. A muxer that sizes its
  // timing from the stream's rate (MPEG program stream) would otherwise hold most of a 1080p
  // stream in memory, since its clock runs far ahead of the data.
  if (encoder.flags & AV_CODEC_FLAG_QSCALE) stream->codecpar->bit_rate = 0;
  return stream;
}

AVStream* OutputFile::AddCopiedStream(const AVStream& source, const AVCodecParameters& parameters,
                                      std::optional<uint32_t> tag) {
  AVStream* stream = avformat_new_stream(context_.get(), nullptr);
  if (!stream || avcodec_parameters_copy(stream->codecpar, &parameters) < 0) return nullptr;
  stream->time_base = source.time_base;
  stream->avg_frame_rate = source.avg_frame_rate;
  stream->sample_aspect_ratio = source.sample_aspect_ratio;
  // The input container's tag stays where this container's table gives it the same codec ("avc1"
  // in AVI); elsewhere it may mean something else, and the muxer picks its own.
  const AVCodecTag* const* table = context_->oformat->codec_tag;
  const bool kept = table && av_codec_get_id(table, parameters.codec_tag) == parameters.codec_id;
  stream->codecpar->codec_tag = tag.value_or(kept ? parameters.codec_tag : 0);
  return stream;
}

bool OutputFile::CarryDisplayMatrix(const AVStream& source, AVStream& target) {
  size_t size = 0;
  const uint8_t* matrix = av_stream_get_side_data(&source, AV_PKT_DATA_DISPLAYMATRIX, &size);
  if (!matrix) return true;
  uint8_t* carried = av_stream_new_side_data(&target, AV_PKT_DATA_DISPLAYMATRIX, size);
  if (carried) memcpy(carried, matrix, size);
  return carried;
}

void OutputFile::Describe() const {
  VerboseLogScope verbose;
  av_dump_format(context_.get(), 0, path_.c_str(), 1);
}

std::string OutputFile::Begin() {
  if (!(context_->oformat->flags & AVFMT_NOFILE)) {
    if (const int result = avio_open(&context_->pb, path_.c_str(), AVIO_FLAG_WRITE); result < 0)
      return "cannot create '" + path_ + "': " + ErrorText(result) +
             ". Check that the output folder exists and may be written.";
    opened_ = true;
  }
  wroteToPath_ = true;
  if (const int result = avformat_write_header(context_.get(), nullptr); result < 0)
    return "cannot start writing '" + path_ + "': " + ErrorText(result) + ".";
  return {};
}

// A network folder may report a failed write only when the file is closed.
std::string OutputFile::Finish() {
  int result = av_write_trailer(context_.get());
  if (const int closed = Close(); result >= 0) result = closed;
  if (result < 0) return "cannot complete '" + path_ + "': " + ErrorText(result) + ".";
  return {};
}

// A file that was never opened may be someone else's; a device (-y /dev/null) is not ours to remove.
void OutputFile::Discard() {
  Close();
  struct stat info {};
  if (wroteToPath_ && stat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) std::remove(path_.c_str());
}

int64_t OutputFile::BytesWritten() const { return opened_ && context_->pb ? avio_tell(context_->pb) : 0; }

}  // namespace kodavert
