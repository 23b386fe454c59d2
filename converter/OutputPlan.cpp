#include "converter/OutputPlan.h"

#include "converter/Diagnostics.h"
#include "converter/EncoderNames.h"
#include "converter/Limits.h"

extern "C" {
#include <libavutil/display.h>
}
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <tuple>

namespace kodavert {
namespace {

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

const AVCodec* ChooseEncoder(const std::string& name, AVMediaType type, AVCodecID fallback, std::string& error) {
  const char* medium = type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
  if (name.empty()) {
    const AVCodec* encoder = avcodec_find_encoder(fallback);
    if (!encoder) error = std::string("no ") + medium + " encoder is installed for " + avcodec_get_name(fallback) + ".";
    return encoder;
  }
  const AVCodec* encoder = FindEncoder(name, type);
  if (!encoder)
    error = "unknown " + std::string(medium) + " codec '" + name + "'; use one such as " +
            (type == AVMEDIA_TYPE_VIDEO ? "mpeg4, xvid, h264 or wmv2." : "mp3, aac or pcm_s16le.");
  return encoder;
}

// A phone stores a picture held upright as a landscape one, with a display matrix saying how to
// turn it. The filters that turn it as the stock tool does, and whether its sides swap.
std::pair<std::string, bool> Upright(const AVStream& stream) {
  size_t size = 0;
  const auto* matrix =
      reinterpret_cast<const int32_t*>(av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, &size));
  if (!matrix || size < 9 * sizeof(int32_t)) return {};
  // Clockwise degrees, from 0 up to 360.
  double turn = -std::round(av_display_rotation_get(matrix));
  turn -= 360 * std::floor(turn / 360 + 0.9 / 360);
  // The matrix's second row tells a mirrored quarter turn from a plain one.
  if (std::fabs(turn - 90) < 1) return {matrix[3] > 0 ? "transpose=cclock_flip" : "transpose=clock", true};
  if (std::fabs(turn - 270) < 1) return {matrix[3] < 0 ? "transpose=clock_flip" : "transpose=cclock", true};
  if (std::fabs(turn - 180) < 1) {
    if (matrix[0] < 0 && matrix[4] < 0) return {"hflip,vflip", false};
    return {matrix[0] < 0 ? "hflip" : matrix[4] < 0 ? "vflip" : "", false};
  }
  if (std::fabs(turn) > 1) return {"rotate=" + std::to_string(turn) + "*PI/180", false};
  return {matrix[4] < 0 ? "vflip" : "", false};
}

// Square pixels showing the picture as its pixel aspect says, the shape kept to well within 2%:
// narrow pixels narrow the picture, wide ones lower it, so that it never grows beyond the input;
// then it is made to fit the box, and its sides even.
std::pair<int, int> FitPicture(int width, int height, AVRational pixelAspect, std::pair<int, int> box) {
  double displayWidth = width, displayHeight = height;
  if (pixelAspect.num > 0 && pixelAspect.den > 0) {
    const double aspect = av_q2d(pixelAspect);
    if (aspect < 1) displayWidth *= aspect;
    if (aspect > 1) displayHeight /= aspect;
  }
  double shrink = 1;
  if (box.first > 0) shrink = std::min(shrink, box.first / displayWidth);
  if (box.second > 0) shrink = std::min(shrink, box.second / displayHeight);
  const auto even = [](double side) { return std::max(2, static_cast<int>(side / 2 + 0.5) * 2); };
  return {even(displayWidth * shrink), even(displayHeight * shrink)};
}

bool IsHdr(AVColorTransferCharacteristic transfer) {
  return transfer == AVCOL_TRC_SMPTE2084 || transfer == AVCOL_TRC_ARIB_STD_B67;
}

// The input's colour tags go with its picture. A tone-mapped one is SDR BT.709, and says so.
void PlanColours(VideoPlan& video, const Options& options, const AVCodecContext& decoder) {
  video.primaries = decoder.color_primaries;
  video.transfer = decoder.color_trc;
  video.matrix = decoder.colorspace;
  if (!options.toneMap || !IsHdr(decoder.color_trc)) return;
  video.toneMapFrom = decoder.color_trc;
  video.primaries = AVCOL_PRI_BT709;
  video.transfer = AVCOL_TRC_BT709;
  video.matrix = AVCOL_SPC_BT709;
}

VideoPlan PlanVideo(const Options& options, InputFile& input, const AVCodec* encoder, std::string& error) {
  const AVCodecContext* decoder = input.Video()->decoder.get();
  VideoPlan video;
  video.encoder = encoder;
  // Size, crop and -s are those of the picture as it is shown.
  bool sideways = false;
  if (!options.noAutorotate) std::tie(video.upright, sideways) = Upright(*input.Video()->stream);
  const int shownWidth = sideways ? decoder->height : decoder->width;
  const int shownHeight = sideways ? decoder->width : decoder->height;
  const int sourceWidth = shownWidth - options.cropLeft - options.cropRight;
  const int sourceHeight = shownHeight - options.cropTop - options.cropBottom;
  if (sourceWidth < 2 || sourceHeight < 2) {
    error = "the crop (-croptop, -cropbottom, -cropleft, -cropright) leaves nothing of the " +
            SizeText(shownWidth, shownHeight) + " picture.";
    return video;
  }
  const int padWidth = options.padLeft + options.padRight, padHeight = options.padTop + options.padBottom;
  std::optional<int> width = options.width, height = options.height;
  if (!width && options.fitBox) {
    // Turned on its side, a pixel's width becomes its height.
    AVRational pixelAspect = decoder->sample_aspect_ratio;
    if (sideways) std::swap(pixelAspect.num, pixelAspect.den);
    std::tie(width, height) = FitPicture(sourceWidth, sourceHeight, pixelAspect, *options.fitBox);
    video.squarePixels = true;
  }
  // As in the stock tool of the time, -s is the picture's size and the padding comes on top.
  video.width = width.value_or(sourceWidth) + padWidth;
  video.height = height.value_or(sourceHeight) + padHeight;
  video.pixelFormat = ChoosePixelFormat(encoder, decoder->pix_fmt, options.pixelFormat);
  FitFrameSize(video, options.width.has_value());
  AVRational rate = options.frameRate.value_or(input.VideoFrameRate().value_or(AVRational{25, 1}));
  if (!options.frameRate && options.frameRateCap && av_cmp_q(rate, *options.frameRateCap) > 0)
    rate = *options.frameRateCap;
  video.frameRate = FitFrameRate(encoder, rate);
  PlanColours(video, options, *decoder);
  video.ownPalette = options.ownPalette && video.pixelFormat == AV_PIX_FMT_PAL8;
  if (encoder->id == AV_CODEC_ID_DVVIDEO) FitDv(video, !options.pixelFormat.empty());
  video.pictureWidth = video.width - padWidth;
  video.pictureHeight = video.height - padHeight;
  if (video.pictureWidth < 1 || video.pictureHeight < 1)
    error = "the padding (-padtop, -padbottom, -padleft, -padright) is larger than the " +
            SizeText(video.width, video.height) + " frame.";
  video.tag = options.videoTag;
  video.deinterlace = options.deinterlace;
  video.cropTop = options.cropTop;
  video.cropBottom = options.cropBottom;
  video.cropLeft = options.cropLeft;
  video.cropRight = options.cropRight;
  video.padTop = options.padTop;
  video.padLeft = options.padLeft;
  video.padColor = options.padColor;
  video.scaleFlags = options.scaleFlags;
  video.aspectRatio = options.aspectRatio;
  video.bitrate = options.videoBitrate;
  video.bitrateTolerance = options.bitrateTolerance;
  video.maxRate = options.maxRate;
  video.bufferSize = options.bufferSize;
  video.gopSize = options.gopSize;
  video.qscale = options.qscale;
  video.sameQuality = options.sameQuality;
  video.pass = options.pass;
  video.passLogPath = options.PassLogPath();
  return video;
}

AudioPlan PlanAudio(const Options& options, const AVCodecContext& decoder, const AVCodec* encoder) {
  AudioPlan audio;
  audio.encoder = encoder;
  const int rate = options.sampleRate.value_or(decoder.sample_rate);
  audio.sampleRate = NearestSampleRate(encoder, rate);
  if (audio.sampleRate != rate)
    Warning(std::string(encoder->name) + " cannot write " + std::to_string(rate) + " Hz; writing " +
            std::to_string(audio.sampleRate) + " Hz instead.");
  const int channels = options.channels.value_or(decoder.ch_layout.nb_channels);
  audio.channels = FitChannels(encoder, channels);
  if (audio.channels != channels)
    Warning(std::string(encoder->name) + " cannot write " + std::to_string(channels) + " channels; writing " +
            std::to_string(audio.channels) + " instead.");
  const AVSampleFormat source = decoder.sample_fmt;
  audio.sampleFormat = encoder->sample_fmts ? encoder->sample_fmts[0] : source;
  // The decoder's own samples, or failing that the same samples laid out the other way (libopus
  // takes float only interleaved): a first choice of 16 bits would round them once more before a
  // lossy encoder.
  for (const bool exact : {false, true})
    for (const AVSampleFormat* format = encoder->sample_fmts; format && *format != AV_SAMPLE_FMT_NONE; ++format)
      if (exact ? *format == source : av_get_packed_sample_fmt(*format) == av_get_packed_sample_fmt(source))
        audio.sampleFormat = *format;
  if (audio.sampleFormat == AV_SAMPLE_FMT_NONE) audio.sampleFormat = AV_SAMPLE_FMT_S16;
  audio.bitrate = options.audioBitrate;
  audio.quality = options.audioQuality;
  audio.tag = options.audioTag;
  FitAudioBitrate(audio);
  audio.volume = options.volume;
  return audio;
}

// A copied stream keeps its picture or sound as it is; an option that would change it cannot be
// honoured. The name of the first such option given, or nothing.
std::string ChangesCopiedStream(const Options& options, AVMediaType type) {
  const std::pair<bool, const char*> video[] = {
      {options.width.has_value(), "-s"},
      {options.frameRate.has_value(), "-r"},
      {options.videoBitrate.has_value(), "-b"},
      {options.qscale.has_value(), "-qscale"},
      {options.aspectRatio.has_value(), "-aspect"},
      {options.deinterlace, "-deinterlace"},
      {options.sameQuality, "-sameq"},
      {!options.pixelFormat.empty(), "-pix_fmt"},
      {options.cropTop + options.cropBottom + options.cropLeft + options.cropRight > 0, "-croptop"},
      {options.padTop + options.padBottom + options.padLeft + options.padRight > 0, "-padtop"}};
  const std::pair<bool, const char*> audio[] = {{options.sampleRate.has_value(), "-ar"},
                                                {options.channels.has_value(), "-ac"},
                                                {options.audioBitrate.has_value(), "-ab"},
                                                {options.audioQuality.has_value(), "-aq"},
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
    plan.error = std::string("a ") + plan.format->name + " file cannot carry the input's " + avcodec_get_name(codec) +
                 " " + medium + " (" + which + "); name an encoder instead.";
    return false;
  }
  if (type == AVMEDIA_TYPE_VIDEO) {
    plan.video.emplace();
    plan.video->tag = options.videoTag;
    plan.video->frames = options.videoFrames;
  } else {
    plan.audio.emplace();
    plan.audio->tag = options.audioTag;
  }
  return true;
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

// -vframes counts pictures of the output; the sound ends with them. Copied pictures are counted
// as they are copied.
void LimitToFrames(OutputPlan& plan, const Options& options) {
  if (!options.videoFrames || (plan.video && !plan.video->encoder)) return;
  if (!plan.video) {
    Warning("-vframes has no pictures to count in this output; the whole length is converted.");
    return;
  }
  const double seconds = *options.videoFrames / av_q2d(plan.video->frameRate);
  std::optional<double>& length = plan.cut.lengthSeconds;
  if (!length || seconds < *length) length = seconds;
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
  if (wantsAudio && input.Audio() && options.audioCodec == "copy") {
    if (!PlanCopy(plan, options, *input.Audio())) return plan;
  } else if (wantsAudio && input.Audio()) {
    const AVCodec* encoder =
        ChooseEncoder(options.audioCodec, AVMEDIA_TYPE_AUDIO, plan.format->audio_codec, plan.error);
    if (!encoder) return plan;
    plan.audio = PlanAudio(options, *input.Audio()->decoder, encoder);
  }
  // Such a file would hold nothing of the input, however long it played.
  if (wantsAudio && !input.Audio() && !plan.video) {
    plan.error =
        "the input has no sound, and this output (a sound format, or -vn) holds sound only; "
        "there is nothing to convert.";
    return plan;
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
  if (!DistributeCodecOptions(plan, options)) return plan;
  plan.inputPath = options.inputPath;
  plan.outputPath = options.outputPath;
  plan.metadata = options.metadata;
  plan.cut = {options.startSeconds, options.lengthSeconds};
  LimitToFrames(plan, options);
  return plan;
}

}  // namespace kodavert