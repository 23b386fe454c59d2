#include "converter/Encoders.h"

#include "converter/Diagnostics.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavutil/opt.h>
}
#include <cstring>
#include <fstream>
#include <sstream>

namespace kodavert {
namespace {

// Constant quality that keeps what the source shows: the finest practical quantiser of the
// MPEG-style encoders, and x264's visually lossless rate factor.
constexpr double kSameQualityQuantiser = 2;
constexpr double kSameQualityRateFactor = 18;

bool IsX264(const AVCodec* encoder) { return !strcmp(encoder->name, "libx264"); }

// x264 takes the value as its rate factor, the others as their quantiser.
std::pair<double, double> FixedQualityRange(const AVCodec* encoder) {
  return IsX264(encoder) ? std::pair{0.0, 51.0} : std::pair{1.0, 31.0};
}

std::string SetFixedQuality(AVCodecContext& encoder, double quantiser) {
  if (IsX264(encoder.codec)) {
    // x264 refuses a constant quantiser together with a rate cap; its rate factor takes both.
    if (const int result = av_opt_set_double(encoder.priv_data, "crf", quantiser, 0); result < 0)
      return "cannot set x264's rate factor to " + std::to_string(quantiser) + ": " + ErrorText(result) + ".";
  } else {
    encoder.flags |= AV_CODEC_FLAG_QSCALE;
    encoder.global_quality = static_cast<int>(FF_QP2LAMBDA * quantiser);
  }
  return {};
}

std::string ApplyRateControl(const VideoPlan& plan, AVCodecContext& encoder) {
  if (plan.bitrate && !plan.sameQuality) encoder.bit_rate = *plan.bitrate;
  if (plan.bitrateTolerance) encoder.bit_rate_tolerance = static_cast<int>(*plan.bitrateTolerance);
  if (plan.maxRate) encoder.rc_max_rate = *plan.maxRate;
  if (plan.bufferSize) encoder.rc_buffer_size = static_cast<int>(*plan.bufferSize);
  if (plan.gopSize) encoder.gop_size = *plan.gopSize;
  if (plan.qscale) return SetFixedQuality(encoder, *plan.qscale);
  if (plan.sameQuality)
    return SetFixedQuality(encoder, IsX264(encoder.codec) ? kSameQualityRateFactor : kSameQualityQuantiser);
  return {};
}

// RealMedia stores packet sizes in 16 bits. A rate buffer just under that, refilled for every
// picture, makes the encoder encode again, coarser, any picture that would not fit.
void LimitPacketSize(AVCodecContext& encoder) {
  constexpr int kLargestPacketBits = 8 * 60000;
  encoder.rc_buffer_size = kLargestPacketBits;
  encoder.rc_initial_buffer_occupancy = kLargestPacketBits;
  encoder.rc_max_available_vbv_use = 1;
  encoder.rc_max_rate = int64_t(kLargestPacketBits) * 2 * encoder.time_base.den / encoder.time_base.num;
  if (encoder.width * encoder.height > 640 * 480)
    Warning("RealMedia packets must stay under 64 kB; pictures of " + std::to_string(encoder.width) + "x" +
            std::to_string(encoder.height) + " may be given a coarser quantiser to fit.");
}

// The MPEG-style encoders cannot close every GOP and also open one at each scene change. The
// presets of the time that ask for closed GOPs (-cgop) meant the first: scene changes then start none.
void KeepGopsClosed(AVCodecContext& encoder, const OptionList& given) {
  if (!(encoder.flags & AV_CODEC_FLAG_CLOSED_GOP) || IsX264(encoder.codec)) return;
  for (const auto& [name, value] : given)
    if (name == "sc_threshold") return;
  if (av_opt_set_int(encoder.priv_data, "sc_threshold", 1000000000, 0) >= 0)
    Warning(std::string(encoder.codec->name) +
            " cannot close its GOPs and also start one at each scene change; "
            "keeping them closed, with none at scene changes.");
}

// The first pass notes what each picture costs; the second reads that to spread the bit rate.
// x264 keeps its own notes, in the file named for it.
std::string PrepareTwoPass(const VideoPlan& plan, AVCodecContext& encoder, std::string& firstPass) {
  if (!plan.pass) return {};
  encoder.flags |= *plan.pass == 1 ? AV_CODEC_FLAG_PASS1 : AV_CODEC_FLAG_PASS2;
  if (IsX264(encoder.codec)) {
    if (const int result = av_opt_set(encoder.priv_data, "stats", plan.passLogPath.c_str(), 0); result < 0)
      return "cannot give x264 the log '" + plan.passLogPath + "': " + ErrorText(result) + ".";
    return {};
  }
  if (*plan.pass == 1) return {};
  std::ifstream log(plan.passLogPath);
  std::ostringstream text;
  text << log.rdbuf();
  firstPass = text.str();
  if (!log || firstPass.empty())
    return "cannot read the first pass's log '" + plan.passLogPath + "'; run the same line with -pass 1 first.";
  // Read while the encoder starts, and no longer.
  encoder.stats_in = firstPass.data();
  return {};
}

EncoderResult Open(CodecContextPtr encoder, bool globalHeader) {
  if (globalHeader) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  encoder->thread_count = 0;
  // A failed avcodec_open2() takes the codec off the context.
  const AVCodec* codec = encoder->codec;
  if (const int result = avcodec_open2(encoder.get(), codec, nullptr); result < 0)
    return {nullptr, std::string("cannot start the ") + codec->name + " encoder: " + ErrorText(result) + "."};
  return {std::move(encoder), {}};
}

}  // namespace

std::string CheckFixedQuality(const AVCodec* encoder, double quality) {
  const auto [lowest, highest] = FixedQualityRange(encoder);
  if (quality >= lowest && quality <= highest) return {};
  char text[96];
  snprintf(text, sizeof text, "-qscale %g is out of range for %s, which takes %g to %g.", quality, encoder->name,
           lowest, highest);
  return text;
}

EncoderResult OpenVideoEncoder(const VideoPlan& plan, const AVFilterContext& sink, bool globalHeader) {
  CodecContextPtr encoder(avcodec_alloc_context3(plan.encoder));
  if (!encoder) return {nullptr, OutOfMemory};
  encoder->width = av_buffersink_get_w(&sink);
  encoder->height = av_buffersink_get_h(&sink);
  encoder->pix_fmt = static_cast<AVPixelFormat>(av_buffersink_get_format(&sink));
  // MPEG-4 and H.263 store the pixel aspect in one byte per term.
  const AVRational aspect = av_buffersink_get_sample_aspect_ratio(&sink);
  av_reduce(&encoder->sample_aspect_ratio.num, &encoder->sample_aspect_ratio.den, aspect.num, aspect.den, 255);
  encoder->time_base = av_buffersink_get_time_base(&sink);
  encoder->framerate = plan.frameRate;
  encoder->color_primaries = plan.primaries;
  encoder->color_trc = plan.transfer;
  encoder->colorspace = plan.matrix;
  if (plan.toneMapFrom != AVCOL_TRC_UNSPECIFIED) encoder->color_range = AVCOL_RANGE_MPEG;
  // The command line's encoder options first, so that what the converter sets itself stays.
  if (std::string error = ApplyOptions(encoder.get(), plan.options); !error.empty()) return {nullptr, error};
  if (std::string error = ApplyRateControl(plan, *encoder); !error.empty()) return {nullptr, error};
  if (plan.encoder->id == AV_CODEC_ID_RV20 && !plan.bufferSize) LimitPacketSize(*encoder);
  KeepGopsClosed(*encoder, plan.options);
  std::string firstPass;
  if (std::string error = PrepareTwoPass(plan, *encoder, firstPass); !error.empty()) return {nullptr, error};
  EncoderResult opened = Open(std::move(encoder), globalHeader);
  if (opened.encoder) opened.encoder->stats_in = nullptr;
  return opened;
}

EncoderResult OpenAudioEncoder(const AudioPlan& plan, bool globalHeader) {
  CodecContextPtr encoder(avcodec_alloc_context3(plan.encoder));
  if (!encoder) return {nullptr, OutOfMemory};
  encoder->sample_rate = plan.sampleRate;
  av_channel_layout_default(&encoder->ch_layout, plan.channels);
  encoder->sample_fmt = plan.sampleFormat;
  encoder->time_base = {1, plan.sampleRate};
  if (std::string error = ApplyOptions(encoder.get(), plan.options); !error.empty()) return {nullptr, error};
  if (plan.bitrate) encoder->bit_rate = *plan.bitrate;
  if (plan.quality) {
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = static_cast<int>(FF_QP2LAMBDA * *plan.quality);
  }
  EncoderResult opened = Open(std::move(encoder), globalHeader);
  // Most encoders take only some bit rates for a given sample rate and channel count.
  if (!opened.encoder && plan.bitrate)
    opened.error += " It may not take -ab " + std::to_string(*plan.bitrate / 1000) + " kbit/s at " +
                    std::to_string(plan.sampleRate) + " Hz with " + std::to_string(plan.channels) +
                    " channel(s); give another -ab, -ar or -ac.";
  return opened;
}

}  // namespace kodavert
