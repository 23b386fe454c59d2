#include "converter/Limits.h"

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

namespace kodavert {

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

namespace {

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

}  // namespace

// MPEG program streams carry only MPEG and Dolby sound; the iPod and iPhone formats ask for AAC
// in a ".mpg" file, so they get the container those devices play, under the name asked for.
void FitContainer(OutputPlan& plan, const Options& options) {
  const AVCodec* asked = plan.audio ? plan.audio->encoder : FindEncoder(options.audioCodec, AVMEDIA_TYPE_AUDIO);
  if (strcmp(plan.format->name, "mpeg") != 0 || !asked) return;
  static constexpr std::array carried{AV_CODEC_ID_MP1, AV_CODEC_ID_MP2,     AV_CODEC_ID_MP3,      AV_CODEC_ID_AC3,
                                      AV_CODEC_ID_DTS, AV_CODEC_ID_PCM_DVD, AV_CODEC_ID_PCM_S16BE};
  const AVCodecID audio = asked->id;
  if (std::find(carried.begin(), carried.end(), audio) != carried.end()) return;
  plan.format = av_guess_format("mp4", nullptr, nullptr);
  Warning(std::string("an MPEG program stream cannot carry ") + avcodec_get_name(audio) +
          " sound; writing an MP4 file (as iPod and iPhone play) named '" + options.outputPath + "' instead.");
}

namespace {

std::pair<int, int> StandardH263Size(int width, int height) {
  static constexpr std::array<std::pair<int, int>, 5> sizes{
      {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}}};
  auto distance = [&](std::pair<int, int> size) {
    return std::fabs(std::log(double(size.first) * size.second / (double(width) * height)));
  };
  return *std::min_element(sizes.begin(), sizes.end(), [&](auto a, auto b) { return distance(a) < distance(b); });
}

}  // namespace

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
    Warning(std::string(why) + "; writing " + SizeText(video.width, video.height) + " instead of " +
            (sizeGiven ? "" : "the source's ") + SizeText(width, height) + ".");
}

AVRational FitFrameRate(const AVCodec* encoder, AVRational rate) {
  if (encoder->supported_framerates) {
    const AVRational nearest =
        encoder->supported_framerates[av_find_nearest_q_idx(rate, encoder->supported_framerates)];
    if (av_cmp_q(nearest, rate) != 0)
      Warning(std::string(encoder->name) + " takes only standard frame rates; writing " + RateText(nearest) +
              " frames per second instead of " + RateText(rate) + ".");
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
    const std::string asked = SizeText(video.width, video.height);
    video.width = 720;
    video.height = pal ? 576 : 480;
    if (!formatGiven) video.pixelFormat = pal ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_YUV411P;
    profile = av_dv_codec_profile2(video.width, video.height, video.pixelFormat, av_inv_q(video.frameRate));
    Warning("DV takes only 720x576 (PAL) or 720x480 (NTSC) pictures; writing " + SizeText(video.width, video.height) +
            " instead of " + asked + ".");
  }
  if (!profile) return;  // a picture format DV does not know: the encoder will say so
  const AVRational rate = av_inv_q(profile->time_base);
  if (av_cmp_q(rate, video.frameRate) != 0)
    Warning("DV at " + SizeText(video.width, video.height) + " runs at " + RateText(rate) +
            " frames per second; writing that instead of " + RateText(video.frameRate) + ".");
  video.frameRate = rate;
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

namespace {

// AMR-NB knows eight bit rates only; the nearest one stands in for any other.
int64_t NearestAmrBitrate(int64_t bitrate) {
  static constexpr std::array<int64_t, 8> rates{4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};
  return *std::min_element(rates.begin(), rates.end(),
                           [&](int64_t a, int64_t b) { return std::llabs(a - bitrate) < std::llabs(b - bitrate); });
}

}  // namespace

void FitAudioBitrate(AudioPlan& audio) {
  if (!audio.bitrate) return;
  const int64_t asked = *audio.bitrate;
  if (audio.encoder->id == AV_CODEC_ID_AMR_NB) {
    audio.bitrate = NearestAmrBitrate(asked);
    if (*audio.bitrate != asked)
      Warning("AMR-NB has only eight bit rates; writing " + Kbit(*audio.bitrate) + " kbit/s instead of " + Kbit(asked) +
              " kbit/s.");
  } else if (av_get_exact_bits_per_sample(audio.encoder->id) > 0) {
    audio.bitrate.reset();
    Warning(std::string(audio.encoder->name) + " is uncompressed and has no bit rate to choose; -ab " + Kbit(asked) +
            " is ignored.");
  }
}

bool IsXvid(const AVCodec* encoder) { return encoder && !strcmp(encoder->name, "libxvid"); }

// A codec tag is written only where the container's own tag table knows it for this codec, as the
// muxer refuses any other. XviD pictures carry the XviD mark wherever it is known (players look for
// it to pick their decoder); a tag from the command line that cannot be kept is said.
void FitTag(const AVOutputFormat* format, AVCodecID codec, std::optional<uint32_t>& tag, bool xvid) {
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

}  // namespace kodavert
