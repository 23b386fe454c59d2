#include "converter/Options.h"

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/parseutils.h>
}
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace kodavert {
namespace {

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || rest != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseInt(const std::string& text, int min, int max) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || rest != end || value < min || value > max) return std::nullopt;
  return value;
}

// Plain numbers are kbit/s; a value that carries its own unit (k or M) is taken as written.
std::optional<int64_t> ParseBitrate(const std::string& text) {
  if (text.empty()) return std::nullopt;
  double scale = 1000;
  std::string number = text;
  if (text.back() == 'k' || text.back() == 'K' || text.back() == 'M') {
    scale = text.back() == 'M' ? 1e6 : 1e3;
    number.pop_back();
  }
  const auto value = ParseNumber(number);
  if (!value || *value <= 0 || *value * scale > 1e10) return std::nullopt;
  return static_cast<int64_t>(std::llround(*value * scale));
}

std::optional<double> ParseSeconds(const std::string& text) {
  int64_t microseconds = 0;
  if (text.empty() || av_parse_time(&microseconds, text.c_str(), 1) < 0 || microseconds < 0)
    return std::nullopt;
  return microseconds / 1e6;
}

// The NTSC family is written as decimals but meant as multiples of 1000/1001.
std::optional<AVRational> ParseFrameRate(const std::string& text) {
  AVRational rate{};
  if (av_parse_video_rate(&rate, text.c_str()) < 0 || rate.num <= 0 || av_q2d(rate) > 1000)
    return std::nullopt;
  for (int base : {24, 30, 60}) {
    const AVRational ntsc{base * 1000, 1001};
    if (std::fabs(av_q2d(rate) - av_q2d(ntsc)) < 0.006) return ntsc;
  }
  return rate;
}

std::optional<uint32_t> ParseTag(const std::string& text) {
  if (text.size() == 4) return MKTAG(text[0], text[1], text[2], text[3]);
  if (const auto number = ParseInt(text, 0, INT32_MAX)) return static_cast<uint32_t>(*number);
  return std::nullopt;
}

using Setter = std::function<bool(Options&, const std::string&)>;

template <typename T, typename Parse>
Setter Set(std::optional<T> Options::*field, Parse parse) {
  return [field, parse](Options& options, const std::string& value) {
    const auto parsed = parse(value);
    if (parsed) options.*field = static_cast<T>(*parsed);
    return parsed.has_value();
  };
}

Setter SetText(std::string Options::*field) {
  return [field](Options& options, const std::string& value) {
    options.*field = value;
    return !value.empty();
  };
}

Setter SetInt(std::optional<int> Options::*field, int min, int max) {
  return Set(field, [min, max](const std::string& text) { return ParseInt(text, min, max); });
}

bool SetFrameSize(Options& options, const std::string& value) {
  int width = 0, height = 0;
  if (av_parse_video_size(&width, &height, value.c_str()) < 0) return false;
  options.width = width;
  options.height = height;
  return true;
}

bool SetAspect(Options& options, const std::string& value) {
  AVRational ratio{};
  if (value.empty() || av_parse_ratio(&ratio, value.c_str(), 10000, 0, nullptr) < 0 ||
      ratio.num <= 0 || ratio.den <= 0)
    return false;
  options.aspectRatio = ratio;
  return true;
}

bool SetPositive(std::optional<double> Options::*field, Options& options, const std::string& value) {
  const auto number = ParseNumber(value);
  if (!number || *number <= 0) return false;
  options.*field = *number;
  return true;
}

const std::map<std::string, Setter>& ValueOptions() {
  static const std::map<std::string, Setter> options{
      {"-i", SetText(&Options::inputPath)},
      {"-ss", Set(&Options::startSeconds, ParseSeconds)},
      {"-t",
       [](Options& o, const std::string& v) {
         const auto seconds = ParseSeconds(v);
         if (seconds && *seconds > 0) o.lengthSeconds = seconds;
         return seconds && *seconds > 0;
       }},
      {"-b", Set(&Options::videoBitrate, ParseBitrate)},
      {"-bt", Set(&Options::bitrateTolerance, ParseBitrate)},
      {"-maxrate", Set(&Options::maxRate, ParseBitrate)},
      {"-bufsize", Set(&Options::bufferSize, ParseBitrate)},
      {"-ab", Set(&Options::audioBitrate, ParseBitrate)},
      {"-r", Set(&Options::frameRate, ParseFrameRate)},
      {"-s", SetFrameSize},
      {"-aspect", SetAspect},
      {"-vcodec", SetText(&Options::videoCodec)},
      {"-acodec", SetText(&Options::audioCodec)},
      {"-vtag", Set(&Options::videoTag, ParseTag)},
      {"-atag", Set(&Options::audioTag, ParseTag)},
      {"-g", SetInt(&Options::gopSize, 0, 100000)},
      {"-qscale",
       [](Options& o, const std::string& v) { return SetPositive(&Options::qscale, o, v); }},
      {"-f", SetText(&Options::containerFormat)},
      {"-ar", SetInt(&Options::sampleRate, 1000, 768000)},
      {"-ac", SetInt(&Options::channels, 1, 8)},
  };
  return options;
}

const std::map<std::string, bool Options::*>& FlagOptions() {
  static const std::map<std::string, bool Options::*> flags{
      {"-y", &Options::overwrite},
      {"-deinterlace", &Options::deinterlace},
      {"-sameq", &Options::sameQuality},
  };
  return flags;
}

ParseResult Fail(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  Options options;
  std::optional<std::string> output;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (const auto flag = FlagOptions().find(argument); flag != FlagOptions().end()) {
      options.*(flag->second) = true;
    } else if (const auto option = ValueOptions().find(argument); option != ValueOptions().end()) {
      if (i + 1 >= argc) return Fail("option " + argument + " needs a value.");
      const std::string value = argv[++i];
      if (!option->second(options, value))
        return Fail("invalid value '" + value + "' for option " + argument + ".");
    } else if (argument == "-target") {
      return Fail("-target presets are not supported; give -vcodec, -s, -r, -b and -f instead.");
    } else if (argument.size() > 1 && argument.front() == '-') {
      return Fail("unknown option " + argument + ".");
    } else if (output) {
      return Fail("more than one output file given ('" + *output + "' and '" + argument +
                  "'); give the input with -i and the output last.");
    } else {
      output = argument;
    }
  }
  if (options.inputPath.empty()) return Fail("no input file given; use -i \"input\".");
  if (!output || output->empty()) return Fail("no output file given; put it last on the command line.");
  options.outputPath = *output;
  return {std::move(options), {}};
}

}  // namespace kodavert
