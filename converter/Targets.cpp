#include "converter/Targets.h"

#include "converter/EncoderOptions.h"

#include <cmath>
#include <cstring>

namespace kodavert {
namespace {

struct Standard {
  const char* name;
  const char* container;
  const char* videoCodec;
  const char* audioCodec;
  int width, ntscHeight, palHeight;
  int64_t videoBitrate, maxRate, bufferSize;  // bit/s, bits; 0: the encoder's own
  int ntscGop, palGop;                        // 0: the encoder's own
  int64_t audioBitrate;
  int sampleRate;
  const char* ntscPixelFormat;
  const char* palPixelFormat;
  OptionList muxing;  // and the encoder's further settings
};

// As the stock tool of the time set them; the buffer sizes are those of the standards' decoders.
// clang-format off
const Standard kStandards[] = {
    {"vcd", "vcd", "mpeg1video", "mp2", 352, 240, 288, 1150000, 1150000, 40 * 1024 * 8, 18, 15, 224000,
     44100, "", "", {{"minrate", "1150000"}, {"packetsize", "2324"}, {"muxrate", "1411200"}, {"preload", "440000"}}},
    {"svcd", "svcd", "mpeg2video", "mp2", 480, 480, 576, 2040000, 2516000, 224 * 1024 * 8, 18, 15, 224000,
     44100, "", "", {{"minrate", "0"}, {"packetsize", "2324"}, {"scan_offset", "1"}}},
    {"dvd", "dvd", "mpeg2video", "ac3", 720, 480, 576, 6000000, 9000000, 224 * 1024 * 8, 18, 15, 448000,
     48000, "", "", {{"minrate", "0"}, {"packetsize", "2048"}, {"muxrate", "10080000"}}},
    // NTSC DV samples its colour 4:1:1, PAL DV 4:2:0.
    {"dv", "dv", "dvvideo", "pcm_s16le", 720, 480, 576, 0, 0, 0, 0, 0, 0, 48000, "yuv411p", "yuv420p", {}},
};
// clang-format on

enum class Norm { kUnknown, kPal, kNtsc, kFilm };

Norm NormOf(const std::string& target, std::string& standard) {
  for (const auto& [prefix, norm] : {std::pair{"pal-", Norm::kPal}, {"ntsc-", Norm::kNtsc}, {"film-", Norm::kFilm}})
    if (target.rfind(prefix, 0) == 0) {
      standard = target.substr(strlen(prefix));
      return norm;
    }
  standard = target;
  return Norm::kUnknown;
}

const Standard* Find(const std::string& name) {
  for (const Standard& standard : kStandards)
    if (name == standard.name) return &standard;
  return nullptr;
}

Norm GuessNorm(std::optional<AVRational> rate) {
  if (!rate) return Norm::kPal;
  const double fps = av_q2d(*rate);
  if (std::fabs(fps - 25) < 0.5 || std::fabs(fps - 50) < 0.5) return Norm::kPal;
  if (std::fabs(fps - 24000.0 / 1001) < 0.3) return Norm::kFilm;
  return std::fabs(fps - 30000.0 / 1001) < 0.5 || std::fabs(fps - 60000.0 / 1001) < 0.5 ? Norm::kNtsc : Norm::kPal;
}

template <typename T>
void Default(std::optional<T>& field, T value) {
  if (!field && value) field = value;
}

void Default(std::string& field, const char* value) {
  if (field.empty()) field = value;
}

}  // namespace

bool IsTarget(const std::string& target) {
  std::string standard;
  NormOf(target, standard);
  return Find(standard) != nullptr;
}

void ApplyTarget(Options& options, std::optional<AVRational> sourceRate) {
  std::string name;
  Norm norm = NormOf(options.target, name);
  const Standard* standard = Find(name);
  if (!standard) return;
  if (norm == Norm::kUnknown) norm = GuessNorm(sourceRate);
  const bool pal = norm == Norm::kPal;
  Default(options.containerFormat, standard->container);
  Default(options.videoCodec, standard->videoCodec);
  Default(options.audioCodec, standard->audioCodec);
  if (!options.width) {
    options.width = standard->width;
    options.height = pal ? standard->palHeight : standard->ntscHeight;
  }
  if (!options.frameRate)
    options.frameRate = pal                   ? AVRational{25, 1}
                        : norm == Norm::kFilm ? AVRational{24000, 1001}
                                              : AVRational{30000, 1001};
  Default(options.videoBitrate, standard->videoBitrate);
  Default(options.maxRate, standard->maxRate);
  Default(options.bufferSize, standard->bufferSize);
  Default(options.gopSize, pal ? standard->palGop : standard->ntscGop);
  Default(options.audioBitrate, standard->audioBitrate);
  Default(options.sampleRate, standard->sampleRate);
  Default(options.channels, 2);
  Default(options.pixelFormat, pal ? standard->palPixelFormat : standard->ntscPixelFormat);
  // Given first, so that the command line's own settings of the same name win.
  options.codecOptions.insert(options.codecOptions.begin(), standard->muxing.begin(), standard->muxing.end());
}

}  // namespace kodavert
