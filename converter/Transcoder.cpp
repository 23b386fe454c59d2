#include "converter/Transcoder.h"

#include "converter/Diagnostics.h"
#include "converter/Encoders.h"
#include "converter/StopSignal.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

namespace kodavert {
namespace {
// Nothing has arrived yet; the stock tool waits as long before asking again.
constexpr std::chrono::milliseconds kReadRetryDelay{10};
}  // namespace

Transcoder::Transcoder(InputFile& input, OutputFile& output) : input_(input), output_(output) {}

std::string Transcoder::Setup(const OutputPlan& plan) {
  if (!decoded_ || !filtered_ || !packet_) return OutOfMemory;
  cut_ = plan.cut;
  inputPath_ = plan.inputPath;
  input_.DiscardUnused(plan.video.has_value(), plan.audio.has_value());
  // A copied picture starts at its key frame at or before the cut. A container that can hide what
  // comes before the start (MP4's edit lists) starts the other streams at the cut itself; in the
  // others (AVI stores no times for its sound) every stream starts at that key frame, to stay in step.
  const bool findKey = cut_.startSeconds > 0 && plan.video && !plan.video->encoder && !output_.StoresNegativeTimes();
  if (findKey)
    if (const std::optional<double> key = input_.VideoKeyFrameBefore(*cut_.startSeconds)) {
      if (cut_.lengthSeconds) *cut_.lengthSeconds += *cut_.startSeconds - *key;
      cut_.startSeconds = key;
    }
  if (plan.video) {
    if (std::string error = AddVideo(*plan.video); !error.empty()) return error;
    // A picture left as stored keeps the input's word on how to show it, where the container can
    // hold it (MP4, MOV).
    if (plan.video->upright.empty() &&
        !OutputFile::CarryDisplayMatrix(*input_.Video()->stream, *pipelines_.back().output))
      return OutOfMemory;
  }
  if (plan.audio)
    if (std::string error = AddAudio(*plan.audio); !error.empty()) return error;
  const double start = cut_.startSeconds.value_or(0);
  for (Pipeline& pipeline : pipelines_)
    if (pipeline.input)
      pipeline.shift = av_rescale_q(input_.StartTime() + static_cast<int64_t>(start * AV_TIME_BASE), AV_TIME_BASE_Q,
                                    pipeline.input->stream->time_base);
  for (Pipeline& pipeline : pipelines_)
    if (pipeline.copied && cut_.lengthSeconds)
      pipeline.end = pipeline.shift + av_rescale_q(static_cast<int64_t>(*cut_.lengthSeconds * AV_TIME_BASE),
                                                   AV_TIME_BASE_Q, pipeline.input->stream->time_base);
  if (start > 0 || findKey) input_.SeekBefore(start);
  return {};
}

std::string Transcoder::AddVideo(const VideoPlan& plan) {
  if (!plan.encoder) return AddCopy(input_.Video(), plan.tag, plan.frames);
  // An encoder with a pool of its own over a picture of about the input's size is the slow stage by
  // far: the decoder's frame threads then gain no time, and each holds pictures of its own (9 MiB
  // at 1080p VP9). A smaller picture leaves the decoder as the pace, and it keeps them.
  const int64_t sourcePixels = int64_t{input_.Video()->decoder->width} * input_.Video()->decoder->height;
  if ((plan.encoder->capabilities & AV_CODEC_CAP_OTHER_THREADS) &&
      2 * int64_t{plan.pictureWidth} * plan.pictureHeight >= sourcePixels)
    input_.DecodeVideoOnOneThread();
  Pipeline pipeline;
  pipeline.input = input_.Video();
  const AVRational timeBase = pipeline.input->stream->time_base;
  const std::optional<AVRational> sourceRate = input_.VideoFrameRate();
  pipeline.makeFilters = [this, plan, timeBase, sourceRate](const SourceFormat& source) {
    return FilterChain::ForVideo(plan, cut_, source, timeBase, sourceRate);
  };
  auto chain = pipeline.makeFilters(SourceFormat::Of(*pipeline.input->decoder));
  if (!chain.chain) return chain.error;
  pipeline.filters = std::move(chain.chain);
  auto encoder = OpenVideoEncoder(plan, *pipeline.filters->Sink(), output_.NeedsGlobalHeader());
  if (!encoder.encoder) return encoder.error;
  pipeline.encoder = std::move(encoder.encoder);
  pipeline.frameDuration = av_rescale_q(1, av_inv_q(sourceRate.value_or(AVRational{25, 1})), timeBase);
  passLogPath_ = plan.passLogPath;
  if (plan.pass == 1 && strcmp(pipeline.encoder->codec->name, "libx264")) {
    pipeline.passLog.reset(fopen(passLogPath_.c_str(), "w"));
    if (!pipeline.passLog) return "cannot write the first pass's log '" + passLogPath_ + "'.";
  }
  // Handing each picture over one frame late makes sure that its sound has arrived before it:
  // sound packets need not end where pictures do (NTSC DV takes 1601.6 samples a picture).
  if (output_.PacksSoundWithPictures())
    pipeline.holdBack = av_rescale_q(1, av_inv_q(plan.frameRate), pipeline.encoder->time_base);
  pipelines_.push_back(std::move(pipeline));
  return AddOutputStream(pipelines_.back(), plan.tag);
}

std::string Transcoder::AddAudio(const AudioPlan& plan) {
  if (!plan.encoder) return AddCopy(input_.Audio(), plan.tag);
  Pipeline pipeline;
  pipeline.input = input_.Audio();
  auto encoder = OpenAudioEncoder(plan, output_.NeedsGlobalHeader());
  if (!encoder.encoder) return encoder.error;
  pipeline.encoder = std::move(encoder.encoder);
  const bool anyFrameSize = pipeline.encoder->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
  const int frameSize = anyFrameSize ? 0 : pipeline.encoder->frame_size;
  const AVRational timeBase = pipeline.input->stream->time_base;
  pipeline.makeFilters = [this, plan, timeBase, frameSize](const SourceFormat& source) {
    return FilterChain::ForAudio(plan, cut_, source, timeBase, frameSize);
  };
  auto chain = pipeline.makeFilters(SourceFormat::Of(*pipeline.input->decoder));
  if (!chain.chain) return chain.error;
  pipeline.filters = std::move(chain.chain);
  pipelines_.push_back(std::move(pipeline));
  return AddOutputStream(pipelines_.back(), plan.tag);
}

std::string Transcoder::AddOutputStream(Pipeline& pipeline, std::optional<uint32_t> tag) {
  pipeline.output = output_.AddStream(*pipeline.encoder, tag);
  if (!pipeline.output || !pipeline.packet) return "cannot add a stream to the output.";
  // Uncompressed sound costs less to encode than to hand over to another thread.
  if (av_get_exact_bits_per_sample(pipeline.encoder->codec_id) > 0) return {};
  try {
    pipeline.worker =
        std::make_unique<EncoderWorker>([this, &pipeline](const AVFrame* frame) { return Encode(pipeline, frame); });
  } catch (const std::system_error&) {
    // Without a thread of its own the encoder runs on the reading thread: slower, same output.
  }
  return {};
}

void Transcoder::SetPictureFiltersAside() {
  for (Pipeline& pipeline : pipelines_)
    if (pipeline.makeFilters && pipeline.Type() == AVMEDIA_TYPE_VIDEO) pipeline.filters.reset();
}

std::string Transcoder::UsePalette(double seconds) {
  progress_.ShowAs(seconds / 2, 0.5);
  for (Pipeline& pipeline : pipelines_)
    if (pipeline.makeFilters && pipeline.Type() == AVMEDIA_TYPE_VIDEO) {
      auto rebuilt = pipeline.makeFilters(SourceFormat::Of(*pipeline.input->decoder));
      if (!rebuilt.chain) return rebuilt.error;
      pipeline.filters = std::move(rebuilt.chain);
    }
  return {};
}

Transcoder::Pipeline* Transcoder::PipelineFor(int streamIndex) {
  for (Pipeline& pipeline : pipelines_)
    if (pipeline.input && pipeline.input->stream->index == streamIndex) return &pipeline;
  return nullptr;
}

bool Transcoder::AllEnded() const {
  for (const Pipeline& pipeline : pipelines_)
    if (!pipeline.ended) return false;
  return true;
}

std::string Transcoder::Run() {
  std::string error = Feed();
  // Every worker is finished before returning, also after a failure: the output is theirs until then.
  for (Pipeline& pipeline : pipelines_) {
    std::string encoding = pipeline.worker                     ? pipeline.worker->Finish()
                           : error.empty() && !pipeline.copied ? Encode(pipeline, nullptr)
                                                               : std::string();
    if (error.empty()) error = std::move(encoding);
    // A full disk may show only when the log is closed.
    if (pipeline.passLog && fclose(pipeline.passLog.release()) != 0 && error.empty())
      error = "cannot write the first pass's log '" + passLogPath_ + "'.";
  }
  if (error.empty() && !StopRequested()) error = CheckEveryStreamWritten();
  if (!error.empty()) return error;
  progress_.ReportFinal(output_.BytesWritten());
  return {};
}

void Transcoder::NoteReadTime(const Pipeline& pipeline, const AVPacket& packet) {
  const int64_t time = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
  if (time == AV_NOPTS_VALUE) return;
  const AVRational timeBase = pipeline.input->stream->time_base;
  const double seconds = av_q2d(timeBase) * double(time) - input_.StartTime() / double(AV_TIME_BASE);
  if (!lastReadSeconds_ || seconds > *lastReadSeconds_) lastReadSeconds_ = seconds;
}

// A cut past the data that a cut-off download still holds (its header promises more), or an
// input whose packets all fail to decode, would otherwise give a file that plays nothing.
std::string Transcoder::CheckEveryStreamWritten() const {
  for (const Pipeline& pipeline : pipelines_) {
    if (pipeline.packetsWritten > 0) continue;
    const double start = cut_.startSeconds.value_or(0);
    char startText[32];
    snprintf(startText, sizeof startText, "%g", start);
    if (start > 0 && (!lastReadSeconds_ || *lastReadSeconds_ < start))
      return std::string("the cut starts at ") + startText +
             " s, after the end of the input's data; there is nothing to convert.";
    return std::string("nothing of the input's ") + av_get_media_type_string(pipeline.Type()) +
           " could be decoded; there is nothing to convert.";
  }
  return {};
}

std::string Transcoder::Feed() {
  while (!StopRequested() && !AllEnded()) {
    const int result = input_.ReadPacket(packet_.get());
    // Nothing has arrived yet: wait a little, as the stock tool does, rather than spin.
    if (result == AVERROR(EAGAIN)) {
      std::this_thread::sleep_for(kReadRetryDelay);
      continue;
    }
    // A stop request interrupts the read; that is no fault of the input.
    if (result == AVERROR_EOF || (result < 0 && StopRequested())) break;
    if (result < 0) {
      readError_ = "cannot read '" + inputPath_ + "' to its end: " + ErrorText(result) +
                   ". The output holds what was read before.";
      break;
    }
    Pipeline* pipeline = PipelineFor(packet_->stream_index);
    if (pipeline) NoteReadTime(*pipeline, *packet_);
    std::string error = !pipeline || pipeline->ended ? ""
                        : pipeline->copied           ? Copy(*pipeline, *packet_)
                                                     : Decode(*pipeline, packet_.get());
    av_packet_unref(packet_.get());
    if (!error.empty()) return error;
    std::lock_guard lock(muxing_);
    progress_.Report(output_.BytesWritten());
  }
  for (Pipeline& pipeline : pipelines_) {
    std::string error;
    if (pipeline.copied) continue;
    if (!pipeline.ended) error = Decode(pipeline, nullptr);
    // The end of the last frame, not its start, is where the output ends.
    if (error.empty() && !pipeline.ended) error = Filter(pipeline, nullptr, pipeline.nextPts);
    if (!error.empty()) return error;
  }
  return {};
}

// Output time counts from the start of the input (or of the cut). Sound whose timestamps run
// backwards, as some recorders write them, continues where the previous frame ended instead.
int64_t Transcoder::NextTimestamp(Pipeline& pipeline, const AVFrame& frame) {
  const bool audio = pipeline.encoder->codec_type == AVMEDIA_TYPE_AUDIO;
  int64_t pts = frame.best_effort_timestamp;
  pts = pts == AV_NOPTS_VALUE ? pipeline.nextPts : pts - pipeline.shift;
  if (audio && pipeline.nextPts != AV_NOPTS_VALUE && (pts == AV_NOPTS_VALUE || pts < pipeline.nextPts))
    pts = pipeline.nextPts;
  const AVRational timeBase = pipeline.input->stream->time_base;
  const int64_t duration = audio                    ? av_rescale_q(frame.nb_samples, {1, frame.sample_rate}, timeBase)
                           : frame.pkt_duration > 0 ? frame.pkt_duration
                                                    : pipeline.frameDuration;
  if (pts != AV_NOPTS_VALUE) pipeline.nextPts = pts + duration;
  return pts;
}

// A damaged packet costs its frames, not the conversion: the decoder reports it itself. Running
// out of memory is no damage, and would only go on failing.
std::string Transcoder::Decode(Pipeline& pipeline, const AVPacket* packet) {
  AVCodecContext* decoder = pipeline.input->decoder.get();
  int result = avcodec_send_packet(decoder, packet);
  if (result < 0 && packet && result != AVERROR(ENOMEM)) return {};
  while (result != AVERROR(ENOMEM) && !pipeline.ended &&
         (result = avcodec_receive_frame(decoder, decoded_.get())) >= 0) {
    AVFrame* frame = decoded_.get();
    frame->pts = NextTimestamp(pipeline, *frame);
    std::string error = Filter(pipeline, frame);
    av_frame_unref(frame);
    if (!error.empty()) return error;
  }
  if (result == AVERROR(ENOMEM))
    return std::string("the ") + decoder->codec->name + " decoder failed: " + ErrorText(result) + ".";
  return {};
}

std::string Transcoder::Filter(Pipeline& pipeline, AVFrame* frame, int64_t endPts) {
  if (frame && !pipeline.filters->Accepts(*frame)) {
    auto rebuilt = pipeline.makeFilters(SourceFormat::Of(*frame));
    if (!rebuilt.chain) return rebuilt.error;
    pipeline.filters = std::move(rebuilt.chain);
  }
  const int result = frame ? pipeline.filters->Push(frame) : pipeline.filters->End(endPts);
  if (result < 0 && result != AVERROR_EOF)
    return "the " + std::string(av_get_media_type_string(pipeline.encoder->codec_type)) +
           " filters failed: " + ErrorText(result) + ".";
  return Drain(pipeline);
}

std::string Transcoder::Drain(Pipeline& pipeline) {
  for (;;) {
    const int result = pipeline.filters->Pull(filtered_.get());
    if (result == AVERROR(EAGAIN)) return {};
    if (result == AVERROR_EOF) {
      pipeline.ended = true;
      return {};
    }
    if (result < 0) return "the filters failed: " + ErrorText(result) + ".";
    filtered_->pict_type = AV_PICTURE_TYPE_NONE;
    // Fixed-quantiser encoders take the quantiser from each frame.
    filtered_->quality = pipeline.encoder->global_quality;
    std::string error = pipeline.worker ? pipeline.worker->Send(*filtered_) : Encode(pipeline, filtered_.get());
    av_frame_unref(filtered_.get());
    if (!error.empty()) return error;
  }
}

// Encoder delay makes the first decoding times negative. A container that cannot store them
// would shift every stream to make up for one of them, which in a file without sound timestamps
// (AVI) shows as missing pictures at the start; each stream is shifted by its own delay instead.
// Muxers also refuse decoding times that do not increase, which a damaged input can yield.
void Transcoder::KeepDecodingOrder(Pipeline& pipeline, AVPacket& packet) const {
  if (packet.dts == AV_NOPTS_VALUE) return;
  if (pipeline.lastDts == AV_NOPTS_VALUE && packet.dts < 0 && !output_.StoresNegativeTimes())
    pipeline.delay = -packet.dts;
  packet.dts += pipeline.delay;
  if (packet.pts != AV_NOPTS_VALUE) packet.pts += pipeline.delay;
  if (pipeline.lastDts != AV_NOPTS_VALUE && packet.dts <= pipeline.lastDts) {
    packet.dts = pipeline.lastDts + 1;
    if (packet.pts != AV_NOPTS_VALUE && packet.pts < packet.dts) packet.pts = packet.dts;
  }
  pipeline.lastDts = packet.dts;
}

std::string Transcoder::Encode(Pipeline& pipeline, const AVFrame* frame) {
  AVCodecContext* encoder = pipeline.encoder.get();
  if (const int result = avcodec_send_frame(encoder, frame); result < 0 && result != AVERROR_EOF)
    return std::string("the ") + encoder->codec->name + " encoder failed: " + ErrorText(result) + ".";
  for (;;) {
    const int result = avcodec_receive_packet(encoder, pipeline.packet.get());
    if (pipeline.passLog && encoder->stats_out && (result >= 0 || result == AVERROR_EOF) &&
        fputs(encoder->stats_out, pipeline.passLog.get()) < 0)
      return "cannot write the first pass's log '" + passLogPath_ + "'.";
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return {};
    if (result < 0) return std::string("the ") + encoder->codec->name + " encoder failed: " + ErrorText(result) + ".";
    if (std::string error = Write(pipeline, *pipeline.packet); !error.empty()) return error;
  }
}

std::string Transcoder::Write(Pipeline& pipeline, AVPacket& packet) {
  std::lock_guard lock(muxing_);
  packet.stream_index = pipeline.output->index;
  if (packet.pts != AV_NOPTS_VALUE) packet.pts += pipeline.holdBack;
  if (packet.dts != AV_NOPTS_VALUE) packet.dts += pipeline.holdBack;
  av_packet_rescale_ts(&packet, pipeline.TimeBase(), pipeline.output->time_base);
  KeepDecodingOrder(pipeline, packet);
  progress_.Written(packet, pipeline.output->time_base, pipeline.Type() == AVMEDIA_TYPE_VIDEO);
  if (const int written = output_.Write(&packet); written < 0)
    return "cannot write the output: " + ErrorText(written) + ".";
  ++pipeline.packetsWritten;
  return {};
}

}  // namespace kodavert
