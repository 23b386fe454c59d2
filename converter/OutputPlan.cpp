#include "converter/OutputPlan.h"

#include "converter/Diagnostics.h"
#include "converter/EncoderNames.h"

extern "C" {
#include <libavcodec/dv_profile.h>
#include <libavutil/pixdesc.h>
}
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>

namespace kodavert {
namespace {

std::string Size(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::string RateText(AVRational rate) {
  char text[32];
  snprintf(text, sizeof text, "%.3g", av_q2d(rate));
  return text;
}

std::string Kbit(int64_t bitrate) {
  char text[32];
  snprintf(text, sizeof text, "%g", bitrate / 1000.0);
  return text;
}

bool IsNamed(const AVOutputFormat* format, const char* name) { return !strcmp(format->name, name); }

const AVOutputFormat* ChooseFormat(const Options& options, std::string& error) {
  if (!options.containerFormat.empty()) {
    const AVOutputFormat* format = av_guess_format(options.containerFormat.c_str(), nullptr, nullptr);
    if (!format) error = "unknown container format '" + options.containerFormat + "' given with -f.";
    return format;
  }
  const AVOutputFormat* format = av_guess_format(nullptr, options.outputPath.c_str(), nullptr);
  if (!format)
    error = "cannot tell the container from the output name '" + options.outputPath +
            "'; give it a known extension (.avi, .mp4, .mp3...) or name the container with -f.";
  return format;
}

// A container that only ever holds sound, even when its muxer would take a cover picture.
bool CarriesVideo(const AVOutputFormat* format) {
  return format->video_codec != AV_CODEC_ID_NONE && !IsNamed(format, "mp3");
}

const AVCodec* ChooseEncoder(const std::string& name, AVMediaType type, AVCodecID fallback,
                             std::string& error) {
  const char* medium = type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
  if (name.empty()) {
    const AVCodec* encoder = avcodec_find_encoder(fallback);
    if (!encoder)
      error = std::string("no ") + medium + " encoder is installed for " + avcodec_get_name(fallback) + ".";
    return encoder;
  }
  const AVCodec* encoder = FindEncoder(name, type);
  if (!encoder)
    error = "unknown " + std::string(medium) + " codec '" + name + "'; use one such as " +
            (type == AVMEDIA_TYPE_VIDEO ? "mpeg4, xvid, h264 or wmv2." : "mp3, aac or pcm_s16le.");
  return encoder;
}

// MPEG program streams carry only MPEG and Dolby sound; the iPod and iPhone formats ask for AAC
// in a ".mpg" file, so they get the container those devices play, under the name asked for.
void FitContainer(OutputPlan& plan, const Options& options) {
  const AVCodec* asked = plan.audio ? plan.audio->encoder
                                    : FindEncoder(options.audioCodec, AVMEDIA_TYPE_AUDIO);
  if (!IsNamed(plan.format, "mpeg") || !asked) return;
  static constexpr std::array carried{AV_CODEC_ID_MP1, AV_CODEC_ID_MP2, AV_CODEC_ID_MP3,
                                      AV_CODEC_ID_AC3, AV_CODEC_ID_DTS, AV_CODEC_ID_PCM_DVD,
                                      AV_CODEC_ID_PCM_S16BE};
  const AVCodecID audio = asked->id;
  if (std::find(carried.begin(), carried.end(), audio) != carried.end()) return;
  plan.format = av_guess_format("mp4", nullptr, nullptr);
  Warning(std::string("an MPEG program stream cannot carry ") + avcodec_get_name(audio) +
          " sound; writing an MP4 file (as iPod and iPhone play) named '" + options.outputPath +
          "' instead.");
}

std::pair<int, int> StandardH263Size(int width, int height) {
  static constexpr std::array<std::pair<int, int>, 5> sizes{
      {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}}};
  auto distance = [&](std::pair<int, int> size) {
    return std::fabs(std::log(double(size.first) * size.second / (double(width) * height)));
  };
  return *std::min_element(sizes.begin(), sizes.end(),
                           [&](auto a, auto b) { return distance(a) < distance(b); });
}

void FitFrameSize(VideoPlan& video, bool sizeGiven) {
  const int width = video.width, height = video.height;
  const char* why = nullptr;
  if (video.encoder->id == AV_CODEC_ID_H263) {
    std::tie(video.width, video.height) = StandardH263Size(width, height);
    why = "H.263 takes only its standard frame sizes";
  } else if (video.encoder->id == AV_CODEC_ID_RV20) {
    // RealMedia stores a packet's size in 16 bits. A larger picture than this does not always fit
    // even at the coarsest quantiser, so it is made smaller, keeping its shape.
    constexpr double kLargestRealPicture = 1280 * 720;
    const double shrink = std::min(1.0, std::sqrt(kLargestRealPicture / (double(width) * height)));
    video.width = std::max(4, int(width * shrink) / 4 * 4);
    video.height = std::max(4, int(height * shrink) / 4 * 4);
    why = shrink < 1 ? "RealMedia packets must stay under 64 kB" : "RealVideo 2 needs sides that are multiples of 4";
  } else if (av_pix_fmt_desc_get(video.pixelFormat)->log2_chroma_w > 0) {
    video.width = std::max(2, width / 2 * 2);
    video.height = std::max(2, height / 2 * 2);
    why = "the picture format needs even sides";
  }
  if (width != video.width || height != video.height)
    Warning(std::string(why) + "; writing " + Size(video.width, video.height) + " instead of " +
            (sizeGiven ? "" : "the source's ") + Size(width, height) + ".");
}

AVRational FitFrameRate(const AVCodec* encoder, AVRational rate) {
  if (encoder->supported_framerates) {
    const AVRational nearest =
        encoder->supported_framerates[av_find_nearest_q_idx(rate, encoder->supported_framerates)];
    if (av_cmp_q(nearest, rate) != 0)
      Warning(std::string(encoder->name) + " takes only standard frame rates; writing " +
              RateText(nearest) + " frames per second instead of " + RateText(rate) + ".");
    rate = nearest;
  }
  // MPEG-4 and its kin store the time base in 16 bits.
  av_reduce(&rate.num, &rate.den, rate.num, rate.den, 65535);
  return rate;
}

AVPixelFormat ChoosePixelFormat(const AVCodec* encoder, AVPixelFormat source, const std::string& asked) {
  if (!asked.empty()) {
    const AVPixelFormat format = av_get_pix_fmt(asked.c_str());
    bool supported = !encoder->pix_fmts;
    for (const AVPixelFormat* known = encoder->pix_fmts; known && *known != AV_PIX_FMT_NONE; ++known)
      supported = supported || *known == format;
    if (supported) return format;
    const AVPixelFormat nearest = avcodec_find_best_pix_fmt_of_list(encoder->pix_fmts, format, 0, nullptr);
    Warning(std::string(encoder->name) + " cannot take the picture format " + asked + "; writing " +
            av_get_pix_fmt_name(nearest) + " instead.");
    return nearest;
  }
  if (source == AV_PIX_FMT_NONE) source = AV_PIX_FMT_YUV420P;  // the usual, until frames tell
  // JPEG pictures are full-range; the scaler widens the range on the way.
  static constexpr AVPixelFormat kFullRange[]{AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUVJ422P, AV_PIX_FMT_YUVJ444P,
                                              AV_PIX_FMT_NONE};
  if (encoder->id == AV_CODEC_ID_MJPEG) return avcodec_find_best_pix_fmt_of_list(kFullRange, source, 0, nullptr);
  if (!encoder->pix_fmts) return source;
  for (const AVPixelFormat* format = encoder->pix_fmts; *format != AV_PIX_FMT_NONE; ++format)
    if (*format == source) return source;
  return avcodec_find_best_pix_fmt_of_list(encoder->pix_fmts, source, 0, nullptr);
}

// DV knows one picture size, frame rate and colour sampling per television norm.
void FitDv(VideoPlan& video, bool formatGiven) {
  const AVDVProfile* profile = nullptr;
  for (const AVPixelFormat* format = video.encoder->pix_fmts; !profile && *format != AV_PIX_FMT_NONE; ++format)
    if (!formatGiven || *format == video.pixelFormat)
      if ((profile = av_dv_codec_profile2(video.width, video.height, *format, av_inv_q(video.frameRate))))
        video.pixelFormat = *format;
  if (!profile) {
    const bool pal = std::fabs(av_q2d(video.frameRate) - 25) < std::fabs(av_q2d(video.frameRate) - 29.97);
    const std::string asked = Size(video.width, video.height);
    video.width = 720;
    video.height = pal ? 576 : 480;
    if (!formatGiven) video.pixelFormat = pal ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_YUV411P;
    profile = av_dv_codec_profile2(video.width, video.height, video.pixelFormat, av_inv_q(video.frameRate));
    Warning("DV takes only 720x576 (PAL) or 720x480 (NTSC) pictures; writing " +
            Size(video.width, video.height) + " instead of " + asked + ".");
  }
  if (!profile) return;  // a picture format DV does not know: the encoder will say so
  const AVRational rate = av_inv_q(profile->time_base);
  if (av_cmp_q(rate, video.frameRate) != 0)
    Warning("DV at " + Size(video.width, video.height) + " runs at " + RateText(rate) +
            " frames per second; writing that instead of " + RateText(video.frameRate) + ".");
  video.frameRate = rate;
}

VideoPlan PlanVideo(const Options& options, InputFile& input, const AVCodec* encoder, std::string& error) {
  const AVCodecContext* decoder = input.Video()->decoder.get();
  VideoPlan video;
  video.encoder = encoder;
  const int sourceWidth = decoder->width - options.cropLeft - options.cropRight;
  const int sourceHeight = decoder->height - options.cropTop - options.cropBottom;
  if (sourceWidth < 2 || sourceHeight < 2) {
    error = "the crop (-croptop, -cropbottom, -cropleft, -cropright) leaves nothing of the " +
            Size(decoder->width, decoder->height) + " picture.";
    return video;
  }
  const int padWidth = options.padLeft + options.padRight, padHeight = options.padTop + options.padBottom;
  // As in the stock tool of the time, -s is the picture's size and the padding comes on top.
  video.width = options.width.value_or(sourceWidth) + padWidth;
  video.height = options.height.value_or(sourceHeight) + padHeight;
  video.pixelFormat = ChoosePixelFormat(encoder, decoder->pix_fmt, options.pixelFormat);
  FitFrameSize(video, options.width.has_value());
  video.frameRate = FitFrameRate(encoder, options.frameRate.value_or(
                                              input.VideoFrameRate().value_or(AVRational{25, 1})));
  if (encoder->id == AV_CODEC_ID_DVVIDEO) FitDv(video, !options.pixelFormat.empty());
  video.pictureWidth = video.width - padWidth;
  video.pictureHeight = video.height - padHeight;
  if (video.pictureWidth < 1 || video.pictureHeight < 1)
    error = "the padding (-padtop, -padbottom, -padleft, -padright) is larger than the " +
            Size(video.width, video.height) + " frame.";
  video.tag = options.videoTag;
  return video;
}

int NearestSampleRate(const AVCodec* encoder, int rate) {
  if (encoder->id == AV_CODEC_ID_AMR_NB) return 8000;
  if (!encoder->supported_samplerates) return rate;
  int best = encoder->supported_samplerates[0];
  for (const int* candidate = encoder->supported_samplerates; *candidate; ++candidate)
    if (std::abs(*candidate - rate) < std::abs(best - rate)) best = *candidate;
  return best;
}

int FitChannels(const AVCodec* encoder, int channels) {
  if (encoder->id == AV_CODEC_ID_AMR_NB) return 1;
  if (!encoder->ch_layouts) return channels;
  int best = 0;
  for (const AVChannelLayout* layout = encoder->ch_layouts; layout->nb_channels; ++layout) {
    if (layout->nb_channels == channels) return channels;
    if (layout->nb_channels < channels) best = std::max(best, layout->nb_channels);
  }
  return best > 0 ? best : encoder->ch_layouts[0].nb_channels;
}

// AMR-NB knows eight bit rates only; the nearest one stands in for any other.
int64_t NearestAmrBitrate(int64_t bitrate) {
  static constexpr std::array<int64_t, 8> rates{4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};
  return *std::min_element(rates.begin(), rates.end(), [&](int64_t a, int64_t b) {
    return std::llabs(a - bitrate) < std::llabs(b - bitrate);
  });
}

void FitAudioBitrate(AudioPlan& audio) {
  if (!audio.bitrate) return;
  const int64_t asked = *audio.bitrate;
  if (audio.encoder->id == AV_CODEC_ID_AMR_NB) {
    audio.bitrate = NearestAmrBitrate(asked);
    if (*audio.bitrate != asked)
      Warning("AMR-NB has only eight bit rates; writing " + Kbit(*audio.bitrate) +
              " kbit/s instead of " + Kbit(asked) + " kbit/s.");
  } else if (av_get_exact_bits_per_sample(audio.encoder->id) > 0) {
    audio.bitrate.reset();
    Warning(std::string(audio.encoder->name) + " is uncompressed and has no bit rate to choose; -ab " +
            Kbit(asked) + " is ignored.");
  }
}

// Without a decoder the sound is silence made up here, by default CD-like.
AudioPlan PlanAudio(const Options& options, const AVCodecContext* decoder, const AVCodec* encoder) {
  AudioPlan audio;
  audio.encoder = encoder;
  const int rate = options.sampleRate.value_or(decoder ? decoder->sample_rate : 44100);
  audio.sampleRate = NearestSampleRate(encoder, rate);
  if (audio.sampleRate != rate)
    Warning(std::string(encoder->name) + " cannot write " + std::to_string(rate) +
            " Hz; writing " + std::to_string(audio.sampleRate) + " Hz instead.");
  const int channels = options.channels.value_or(decoder ? decoder->ch_layout.nb_channels : 2);
  audio.channels = FitChannels(encoder, channels);
  if (audio.channels != channels)
    Warning(std::string(encoder->name) + " cannot write " + std::to_string(channels) +
            " channels; writing " + std::to_string(audio.channels) + " instead.");
  const AVSampleFormat source = decoder ? decoder->sample_fmt : AV_SAMPLE_FMT_NONE;
  audio.sampleFormat = encoder->sample_fmts ? encoder->sample_fmts[0] : source;
  for (const AVSampleFormat* format = encoder->sample_fmts; format && *format != AV_SAMPLE_FMT_NONE; ++format)
    if (*format == source) audio.sampleFormat = *format;
  if (audio.sampleFormat == AV_SAMPLE_FMT_NONE) audio.sampleFormat = AV_SAMPLE_FMT_S16;
  audio.bitrate = options.audioBitrate;
  audio.quality = options.audioQuality;
  audio.tag = options.audioTag;
  FitAudioBitrate(audio);
  return audio;
}

std::optional<double> SilenceLength(const Options& options, const InputFile& input, std::string& error) {
  const std::optional<double> duration = input.DurationSeconds();
  if (!duration) {
    error = "the input has no sound and does not tell its length; there is nothing to write.";
    return std::nullopt;
  }
  double seconds = *duration - options.startSeconds.value_or(0);
  if (options.lengthSeconds) seconds = std::min(seconds, *options.lengthSeconds);
  if (seconds <= 0) {
    error = "the cut starts after the end of the input.";
    return std::nullopt;
  }
  char text[32];
  snprintf(text, sizeof text, "%.2f", seconds);
  Warning(std::string("the input has no sound; writing ") + text +
          " seconds of silence, as long as its video.");
  return seconds;
}

// A copied stream keeps its picture or sound as it is; an option that would change it cannot be
// honoured. The name of the first such option given, or nothing.
std::string ChangesCopiedStream(const Options& options, AVMediaType type) {
  const std::pair<bool, const char*> video[] = {
      {options.width.has_value(), "-s"},       {options.frameRate.has_value(), "-r"},
      {options.videoBitrate.has_value(), "-b"}, {options.qscale.has_value(), "-qscale"},
      {options.aspectRatio.has_value(), "-aspect"}, {options.deinterlace, "-deinterlace"},
      {options.sameQuality, "-sameq"},         {!options.pixelFormat.empty(), "-pix_fmt"},
      {options.cropTop + options.cropBottom + options.cropLeft + options.cropRight > 0, "-croptop"},
      {options.padTop + options.padBottom + options.padLeft + options.padRight > 0, "-padtop"}};
  const std::pair<bool, const char*> audio[] = {
      {options.sampleRate.has_value(), "-ar"},   {options.channels.has_value(), "-ac"},
      {options.audioBitrate.has_value(), "-ab"}, {options.audioQuality.has_value(), "-aq"},
      {options.volume.has_value(), "-vol"}};
  using Checks = std::span<const std::pair<bool, const char*>>;
  for (const auto& [given, name] : type == AVMEDIA_TYPE_VIDEO ? Checks(video) : Checks(audio))
    if (given) return name;
  return {};
}

// "-vcodec copy": the input's packets go into the output unchanged, if the container takes them.
bool PlanCopy(OutputPlan& plan, const Options& options, const DecodedStream& stream) {
  const AVMediaType type = stream.stream->codecpar->codec_type;
  const char* medium = type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
  const char* which = type == AVMEDIA_TYPE_VIDEO ? "-vcodec copy" : "-acodec copy";
  if (const std::string option = ChangesCopiedStream(options, type); !option.empty()) {
    plan.error = option + " cannot change the " + medium + " that " + which + " copies unchanged; leave one out.";
    plan.commandLineError = true;
    return false;
  }
  const AVCodecID codec = stream.stream->codecpar->codec_id;
  if (avformat_query_codec(plan.format, codec, FF_COMPLIANCE_NORMAL) == 0) {
    plan.error = std::string("a ") + plan.format->name + " file cannot carry the input's " +
                 avcodec_get_name(codec) + " " + medium + " (" + which + "); name an encoder instead.";
    return false;
  }
  if (type == AVMEDIA_TYPE_VIDEO) {
    plan.video.emplace();
    plan.video->tag = options.videoTag;
  } else {
    plan.audio.emplace();
    plan.audio->tag = options.audioTag;
  }
  return true;
}

bool IsXvid(const AVCodec* encoder) { return encoder && !strcmp(encoder->name, "libxvid"); }

// A codec tag is written only where the container's own tag table knows it for this codec, as the
// muxer refuses any other. XviD pictures carry the XviD mark wherever it is known (players look for
// it to pick their decoder); a tag from the command line that cannot be kept is said.
void FitTag(const AVOutputFormat* format, AVCodecID codec, std::optional<uint32_t>& tag, bool xvid = false) {
  const auto taken = [&](uint32_t candidate) {
    return !format->codec_tag || av_codec_get_id(format->codec_tag, candidate) == codec;
  };
  if (!tag && xvid && taken(MKTAG('X', 'V', 'I', 'D'))) tag = MKTAG('X', 'V', 'I', 'D');
  if (!tag || taken(*tag)) return;
  char name[AV_FOURCC_MAX_STRING_SIZE] = {};
  Warning(std::string("a ") + format->name + " file cannot carry the codec tag " + av_fourcc_make_string(name, *tag) +
          " for " + avcodec_get_name(codec) + "; the container's own is written.");
  tag.reset();
}

// Each encoder and the muxer take the command line's AVOptions they know.
bool DistributeCodecOptions(OutputPlan& plan, const Options& options) {
  OptionTargets targets = DistributeOptions(options.codecOptions, plan.video ? plan.video->encoder : nullptr,
                                            plan.audio ? plan.audio->encoder : nullptr, plan.format);
  for (const std::string& warning : targets.warnings) Warning(warning);
  plan.error = std::move(targets.error);
  plan.commandLineError = !plan.error.empty();
  if (plan.video) plan.video->options = std::move(targets.video);
  if (plan.audio) plan.audio->options = std::move(targets.audio);
  plan.muxerOptions = std::move(targets.muxer);
  return plan.error.empty();
}

}  // namespace

OutputPlan PlanOutput(const Options& options, InputFile& input) {
  OutputPlan plan;
  plan.format = ChooseFormat(options, plan.error);
  if (!plan.format) return plan;
  const bool wantsVideo = CarriesVideo(plan.format) && !options.noVideo;
  const bool wantsAudio = plan.format->audio_codec != AV_CODEC_ID_NONE && !options.noAudio;
  if (wantsVideo && input.Video() && options.videoCodec == "copy") {
    if (!PlanCopy(plan, options, *input.Video())) return plan;
  } else if (wantsVideo && input.Video()) {
    // A picture file's codec is named by its extension (.png, .bmp), not by its muxer.
    const AVCodecID usual =
        av_guess_codec(plan.format, nullptr, options.outputPath.c_str(), nullptr, AVMEDIA_TYPE_VIDEO);
    const AVCodec* encoder = ChooseEncoder(options.videoCodec, AVMEDIA_TYPE_VIDEO, usual, plan.error);
    if (!encoder) return plan;
    plan.video = PlanVideo(options, input, encoder, plan.error);
    if (!plan.error.empty()) {
      plan.commandLineError = true;
      return plan;
    }
  }
  // A sound-only file made from a silent video holds silence as long as the video, rather than
  // failing a format the user picked for it.
  const bool silence = wantsAudio && !CarriesVideo(plan.format) && !input.Audio() && input.Video();
  if (wantsAudio && input.Audio() && options.audioCodec == "copy") {
    if (!PlanCopy(plan, options, *input.Audio())) return plan;
  } else if (wantsAudio && (input.Audio() || silence)) {
    const AVCodec* encoder =
        ChooseEncoder(options.audioCodec, AVMEDIA_TYPE_AUDIO, plan.format->audio_codec, plan.error);
    if (!encoder) return plan;
    plan.audio = PlanAudio(options, input.Audio() ? input.Audio()->decoder.get() : nullptr, encoder);
    if (silence && !(plan.audio->silenceSeconds = SilenceLength(options, input, plan.error))) {
      plan.audio.reset();
      return plan;
    }
  }
  if (!plan.video && !plan.audio) {
    plan.error = "the input holds nothing this output can carry.";
    return plan;
  }
  if (wantsVideo && !plan.video) Warning("the input has no usable video; the output holds sound only.");
  if (wantsAudio && !plan.audio) Warning("the input has no usable sound; the output holds video only.");
  FitContainer(plan, options);
  if (plan.video)
    FitTag(plan.format, plan.video->encoder ? plan.video->encoder->id : input.Video()->stream->codecpar->codec_id,
           plan.video->tag, IsXvid(plan.video->encoder));
  if (plan.audio && input.Audio())
    FitTag(plan.format, plan.audio->encoder ? plan.audio->encoder->id : input.Audio()->stream->codecpar->codec_id,
           plan.audio->tag);
  DistributeCodecOptions(plan, options);
  return plan;
}

}  // namespace kodavert
