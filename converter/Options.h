#pragma once
extern "C" {
#include <libavutil/rational.h>
}
#include <cstdint>
#include <optional>
#include <string>

namespace kodavert {

// Everything the command line asks for, already checked and in the units the libraries use.
struct Options {
  std::string inputPath;
  std::string outputPath;
  bool overwrite = false;
  std::optional<double> startSeconds;     // -ss
  std::optional<double> lengthSeconds;    // -t
  std::optional<int64_t> videoBitrate;    // -b, bit/s
  std::optional<int64_t> bitrateTolerance;  // -bt, bit/s
  std::optional<int64_t> maxRate;         // -maxrate, bit/s
  std::optional<int64_t> bufferSize;      // -bufsize, bits
  std::optional<AVRational> frameRate;    // -r
  std::optional<int> width, height;       // -s
  std::optional<AVRational> aspectRatio;  // -aspect, display aspect
  std::string videoCodec;                 // -vcodec, as written
  std::optional<uint32_t> videoTag;       // -vtag
  std::optional<int> gopSize;             // -g
  std::optional<double> qscale;           // -qscale
  bool deinterlace = false;
  bool sameQuality = false;
  std::string containerFormat;            // -f
  std::string audioCodec;                 // -acodec, as written
  std::optional<uint32_t> audioTag;       // -atag
  std::optional<int64_t> audioBitrate;    // -ab, bit/s
  std::optional<int> sampleRate;          // -ar
  std::optional<int> channels;            // -ac
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // set when options is empty
};

// Reads `kodavert.dll -i input options... output`; any unknown option or bad value is an error.
[[nodiscard]] ParseResult ParseCommandLine(int argc, const char* const* argv);

}  // namespace kodavert
