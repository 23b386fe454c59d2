#pragma once
extern "C" {
#include <libavutil/rational.h>
}
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kodavert {

// Everything the command line asks for, already checked and in the units the libraries use.
struct Options {
  std::string inputPath;
  std::string outputPath;
  bool overwrite = false;
  std::optional<double> startSeconds;       // -ss
  std::optional<double> lengthSeconds;      // -t
  std::optional<int64_t> videoBitrate;      // -b, bit/s
  std::optional<int64_t> bitrateTolerance;  // -bt, bit/s
  std::optional<int64_t> maxRate;           // -maxrate, bit/s
  std::optional<int64_t> bufferSize;        // -bufsize, bits
  std::optional<AVRational> frameRate;      // -r
  std::optional<int> width, height;         // -s
  std::optional<AVRational> aspectRatio;    // -aspect, display aspect
  std::string videoCodec;                   // -vcodec, as written
  std::optional<uint32_t> videoTag;         // -vtag
  std::optional<int> gopSize;               // -g
  std::optional<double> qscale;             // -qscale
  bool deinterlace = false;
  bool sameQuality = false;
  // -noautorotate: the picture stays as stored, however the input says to show it.
  bool noAutorotate = false;
  std::string containerFormat;                                   // -f
  std::string audioCodec;                                        // -acodec, as written
  std::optional<uint32_t> audioTag;                              // -atag
  std::optional<int64_t> audioBitrate;                           // -ab, bit/s
  std::optional<int> sampleRate;                                 // -ar
  std::optional<int> channels;                                   // -ac
  std::optional<double> audioQuality;                            // -aq, the encoder's own quality scale
  bool noVideo = false;                                          // -vn
  bool noAudio = false;                                          // -an
  std::string pixelFormat;                                       // -pix_fmt
  int cropTop = 0, cropBottom = 0, cropLeft = 0, cropRight = 0;  // -croptop...
  int padTop = 0, padBottom = 0, padLeft = 0, padRight = 0;      // -padtop...
  std::string padColor = "black";                                // -padcolor
  std::string target;                                            // -target, as written ("pal-dvd", "vcd")
  std::optional<int> volume;                                     // -vol, 256 is unchanged
  std::string scaleFlags;                                        // -sws_flags
  std::optional<int64_t> videoFrames;                            // -vframes
  std::optional<int> pass;                                       // -pass 1 or 2
  // -fit: square pixels at the input's display aspect, within the input and this box; 0 bounds
  // nothing, so {0, 0} keeps the display size.
  std::optional<std::pair<int, int>> fitBox;
  std::optional<AVRational> frameRateCap;     // -fpsmax
  bool toneMap = false;                       // -tonemap: HDR input made SDR BT.709
  bool ownPalette = false;                    // -ownpalette: a palette from the video, in a first pass
  std::string passLogPrefix = "ffmpeg2pass";  // -passlogfile

  // Where the first pass leaves its statistics for the second.
  std::string PassLogPath() const { return passLogPrefix + "-0.log"; }
  std::vector<std::pair<std::string, std::string>> metadata;  // -title, -author, -metadata...
  // Options that are not the converter's own, in command-line order without their dash: the
  // encoders' and the muxer's AVOptions, under today's or their former names.
  std::vector<std::pair<std::string, std::string>> codecOptions;
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;                  // set when options is empty
  std::vector<std::string> warnings;  // options accepted that no longer change anything
  bool help = false;                  // -h: print the accepted options and do nothing else
};

// "Usage: <converter> -i "input" [options] "output"", the first line of -h and the end of every
// complaint about the command line.
[[nodiscard]] std::string UsageLine();

// The accepted options and their families, for -h.
[[nodiscard]] std::string HelpText();

// Reads `kodavert.dll -i input options... output`; any unknown option or bad value is an error.
[[nodiscard]] ParseResult ParseCommandLine(int argc, const char* const* argv);

}  // namespace kodavert
