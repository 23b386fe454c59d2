#include "converter/InputFile.h"

#include "converter/Diagnostics.h"
#include "converter/StopSignal.h"

#include <algorithm>

namespace kodavert {
namespace {

const char* MediaName(AVMediaType type) { return type == AVMEDIA_TYPE_VIDEO ? "video" : "audio"; }

bool HasKnownFormat(const AVCodecParameters& parameters) {
  if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) return parameters.width > 0 && parameters.height > 0;
  return parameters.sample_rate > 0 && parameters.ch_layout.nb_channels > 0;
}

// Opens `path` on its own, as the converter's input is opened, or nothing.
InputContextPtr OpenContext(const std::string& path, int& result) {
  AVFormatContext* raw = avformat_alloc_context();
  if (!raw) {
    result = AVERROR(ENOMEM);
    return nullptr;
  }
  raw->interrupt_callback = {InterruptCallback, nullptr};
  result = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);  // frees the context on failure
  return InputContextPtr(result < 0 ? nullptr : raw);
}

// The end of the last packet in AV_TIME_BASE units, read through a second opening of the file so
// that the converter's own input stays at its start; nothing when no packet has a time.
std::optional<int64_t> EndOfLastPacket(const std::string& path) {
  int result = 0;
  const InputContextPtr context = OpenContext(path, result);
  PacketPtr packet(av_packet_alloc());
  if (!context || !packet) return std::nullopt;
  std::optional<int64_t> end;
  while (av_read_frame(context.get(), packet.get()) >= 0) {
    const int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (time != AV_NOPTS_VALUE) {
      const AVRational base = context->streams[packet->stream_index]->time_base;
      end = std::max(end.value_or(INT64_MIN), av_rescale_q(time + packet->duration, base, AV_TIME_BASE_Q));
    }
    av_packet_unref(packet.get());
  }
  return end;
}

// Threads: 0 lets libavcodec choose (frame threads, or slices where the codec has only those).
CodecContextPtr StartDecoder(const AVCodec* codec, const AVStream& stream, int threads, std::string& error) {
  CodecContextPtr decoder(avcodec_alloc_context3(codec));
  if (!decoder || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0) {
    error = "out of memory";
    return nullptr;
  }
  decoder->pkt_timebase = stream.time_base;
  decoder->thread_count = threads;
  decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
  if (const int result = avcodec_open2(decoder.get(), codec, nullptr); result < 0) {
    error = ErrorText(result);
    return nullptr;
  }
  return decoder;
}

}  // namespace

InputFile::OpenResult InputFile::Open(const std::string& path) {
  int opened = 0;
  InputContextPtr context = OpenContext(path, opened);
  if (opened == AVERROR(ENOMEM)) return {nullptr, OutOfMemory};
  if (!context)
    return {nullptr, "cannot open '" + path + "': " + ErrorText(opened) +
                         ". Check that the file exists and is a video or audio file."};
  if (const int result = avformat_find_stream_info(context.get(), nullptr); result < 0)
    return {nullptr, "cannot read the streams of '" + path + "': " + ErrorText(result) + ". The file may be damaged."};
  // A file saved as it was recorded (a browser's recorder, a live stream) may not say how long it
  // is, and the conversion window needs the length for its percentage. A file on disk can be read
  // through once to learn it; a pipe cannot.
  const bool seekable = context->pb && (context->pb->seekable & AVIO_SEEKABLE_NORMAL);
  if ((context->duration == AV_NOPTS_VALUE || context->duration <= 0) && seekable)
    if (const std::optional<int64_t> end = EndOfLastPacket(path))
      context->duration = *end - (context->start_time == AV_NOPTS_VALUE ? 0 : context->start_time);
  std::unique_ptr<InputFile> file(new InputFile(std::move(context)));
  file->OpenDecoder(AVMEDIA_TYPE_VIDEO, file->video_);
  file->OpenDecoder(AVMEDIA_TYPE_AUDIO, file->audio_);
  return {std::move(file), {}};
}

void InputFile::OpenDecoder(AVMediaType type, DecodedStream& target) {
  const AVCodec* codec = nullptr;
  // Streams without an installed decoder are passed over here.
  const int index = av_find_best_stream(context_.get(), type, -1, -1, &codec, 0);
  if (index < 0) return;
  AVStream* stream = context_->streams[index];
  // A picture that a sound file carries as its cover is no video to convert.
  if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) return;
  // The built-in Speex decoder takes one frame from each packet; Flash packs several in one.
  if (stream->codecpar->codec_id == AV_CODEC_ID_SPEEX)
    if (const AVCodec* whole = avcodec_find_decoder_by_name("libspeex")) codec = whole;
  const auto warn = [&](const std::string& why) {
    Warning("the " + std::string(MediaName(type)) + " stream cannot be used (" + why + "); converting without it.");
  };
  if (!HasKnownFormat(*stream->codecpar)) return warn("the file does not say its format");
  std::string error;
  CodecContextPtr decoder = StartDecoder(codec, *stream, 0, error);
  if (!decoder) return warn(error);
  target = {stream, std::move(decoder)};
}

void InputFile::DecodeVideoOnOneThread() {
  if (!video_.decoder) return;
  std::string error;
  if (CodecContextPtr decoder = StartDecoder(video_.decoder->codec, *video_.stream, 1, error))
    video_.decoder = std::move(decoder);
}

void InputFile::Describe(const std::string& path) const {
  // The container's tag list is left out: it would push the "Duration:" line, which the
  // conversion window looks for, away from the start of the output.
  AVDictionary* tags = context_->metadata;
  context_->metadata = nullptr;
  {
    VerboseLogScope verbose;
    av_dump_format(context_.get(), 0, path.c_str(), 0);
  }
  context_->metadata = tags;
}

void InputFile::SeekBefore(double seconds) {
  const int64_t target = StartTime() + static_cast<int64_t>(seconds * AV_TIME_BASE);
  if (avformat_seek_file(context_.get(), -1, INT64_MIN, target, target, 0) < 0)
    Warning("the input cannot seek; reading from its start up to the cut instead.");
  for (DecodedStream* stream : {Video(), Audio()})
    if (stream) avcodec_flush_buffers(stream->decoder.get());
}

std::optional<double> InputFile::VideoKeyFrameBefore(double seconds) {
  const int64_t target = StartTime() + static_cast<int64_t>(seconds * AV_TIME_BASE);
  PacketPtr packet(av_packet_alloc());
  if (!video_.stream || !packet || avformat_seek_file(context_.get(), -1, INT64_MIN, target, target, 0) < 0)
    return std::nullopt;
  while (ReadPacket(packet.get()) >= 0) {
    const bool key = packet->stream_index == video_.stream->index && (packet->flags & AV_PKT_FLAG_KEY);
    const int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    av_packet_unref(packet.get());
    if (!key || time == AV_NOPTS_VALUE) continue;
    const int64_t found = av_rescale_q(time, video_.stream->time_base, AV_TIME_BASE_Q);
    if (found > target) return std::nullopt;
    return std::max<int64_t>(0, found - StartTime()) / double(AV_TIME_BASE);
  }
  return std::nullopt;
}

int64_t InputFile::StartTime() const { return context_->start_time == AV_NOPTS_VALUE ? 0 : context_->start_time; }

std::optional<double> InputFile::DurationSeconds() const {
  if (context_->duration == AV_NOPTS_VALUE || context_->duration <= 0) return std::nullopt;
  return context_->duration / double(AV_TIME_BASE);
}

std::optional<AVRational> InputFile::VideoFrameRate() const {
  if (!video_.stream) return std::nullopt;
  const AVRational rate = av_guess_frame_rate(context_.get(), video_.stream, nullptr);
  if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 240) return std::nullopt;
  return rate;
}

void InputFile::DiscardUnused(bool keepVideo, bool keepAudio) {
  for (unsigned i = 0; i < context_->nb_streams; ++i) {
    AVStream* stream = context_->streams[i];
    const bool keep =
        (keepVideo && Video() && stream == video_.stream) || (keepAudio && Audio() && stream == audio_.stream);
    stream->discard = keep ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  }
}

}  // namespace kodavert
