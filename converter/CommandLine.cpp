#include "converter/Options.h"

#include "converter/EncoderOptions.h"
#include "converter/Targets.h"

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}
#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <cstring>
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

// Plain numbers are kbit/s, as the format list writes them; a value that carries its own unit
// ("128k", "128kb", "1.5M") is taken as written. A plain number too large to be meant in kbit/s
// ("-ab 128000", "-bufsize 1835008") is in bit/s, as later lines of the time wrote it.
std::optional<int64_t> ParseBitrate(const std::string& text, double plainBitsFrom) {
  std::string number = text;
  for (const char* unit : {"bps", "bit", "b"})
    if (number.size() > strlen(unit) + 1 && number.ends_with(unit) &&
        strchr("kKM", number[number.size() - strlen(unit) - 1])) {
      number.resize(number.size() - strlen(unit));
      break;
    }
  if (number.empty()) return std::nullopt;
  double scale = 1000;
  if (number.back() == 'k' || number.back() == 'K' || number.back() == 'M') {
    scale = number.back() == 'M' ? 1e6 : 1e3;
    number.pop_back();
  }
  const auto value = ParseNumber(number);
  if (!value || *value <= 0) return std::nullopt;
  if (text == number && *value >= plainBitsFrom) scale = 1;
  if (*value * scale > 1e10) return std::nullopt;
  return static_cast<int64_t>(std::llround(*value * scale));
}

std::optional<int64_t> ParseVideoBitrate(const std::string& text) { return ParseBitrate(text, 100000); }
// No sound is coded at a thousand kbit/s or more.
std::optional<int64_t> ParseAudioBitrate(const std::string& text) { return ParseBitrate(text, 1000); }

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

bool SetPositive(std::optional<double> Options::*field, Options& options, const std::string& value,
                 double atMost) {
  const auto number = ParseNumber(value);
  if (!number || *number <= 0 || *number > atMost) return false;
  options.*field = *number;
  return true;
}

Setter SetCount(int Options::*field) {
  return [field](Options& options, const std::string& value) {
    const auto number = ParseInt(value, 0, 16384);
    if (number) options.*field = *number;
    return number.has_value();
  };
}

// Colours were written as hexadecimal RGB ("000000"); today's names work as well.
bool SetPadColor(Options& options, const std::string& value) {
  std::string color = value;
  uint8_t rgba[4];
  if (color.size() == 6 && color.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
    color = "0x" + color;
  if (av_parse_color(rgba, color.c_str(), -1, nullptr) < 0) return false;
  options.padColor = color;
  return true;
}

bool SetPixelFormat(Options& options, const std::string& value) {
  options.pixelFormat = value;
  return av_get_pix_fmt(value.c_str()) != AV_PIX_FMT_NONE;
}

bool SetScaleFlags(Options& options, const std::string& value) {
  SwsContext* scaler = sws_alloc_context();
  const bool valid = scaler && av_opt_set(scaler, "sws_flags", value.c_str(), 0) >= 0;
  sws_freeContext(scaler);
  options.scaleFlags = value;
  return valid;
}

Setter SetMetadata(const char* key) {
  return [key](Options& options, const std::string& value) {
    options.metadata.emplace_back(key, value);
    return true;
  };
}

bool SetMetadataPair(Options& options, const std::string& value) {
  const size_t equals = value.find('=');
  if (equals == 0 || equals == std::string::npos) return false;
  options.metadata.emplace_back(value.substr(0, equals), value.substr(equals + 1));
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
      {"-b", Set(&Options::videoBitrate, ParseVideoBitrate)},
      {"-bt", Set(&Options::bitrateTolerance, ParseVideoBitrate)},
      {"-maxrate", Set(&Options::maxRate, ParseVideoBitrate)},
      {"-bufsize", Set(&Options::bufferSize, ParseVideoBitrate)},
      {"-ab", Set(&Options::audioBitrate, ParseAudioBitrate)},
      {"-r", Set(&Options::frameRate, ParseFrameRate)},
      {"-s", SetFrameSize},
      {"-aspect", SetAspect},
      {"-vcodec", SetText(&Options::videoCodec)},
      {"-acodec", SetText(&Options::audioCodec)},
      {"-vtag", Set(&Options::videoTag, ParseTag)},
      {"-atag", Set(&Options::audioTag, ParseTag)},
      {"-g", SetInt(&Options::gopSize, 0, 100000)},
      // The bound of the stock tool of the time; each encoder's own scale is narrower.
      {"-qscale",
       [](Options& o, const std::string& v) { return SetPositive(&Options::qscale, o, v, 255); }},
      {"-aq",
       [](Options& o, const std::string& v) {
         const auto quality = ParseNumber(v);
         if (quality && *quality >= 0) o.audioQuality = quality;
         return quality && *quality >= 0;
       }},
      {"-f", SetText(&Options::containerFormat)},
      {"-ar", SetInt(&Options::sampleRate, 1000, 768000)},
      {"-ac", SetInt(&Options::channels, 1, 8)},
      {"-vol", SetInt(&Options::volume, 0, 65536)},
      {"-vframes", Set(&Options::videoFrames, [](const std::string& v) { return ParseInt(v, 1, INT32_MAX); })},
      {"-pix_fmt", SetPixelFormat},
      {"-pass", SetInt(&Options::pass, 1, 2)},
      {"-passlogfile", SetText(&Options::passLogPrefix)},
      {"-sws_flags", SetScaleFlags},
      {"-croptop", SetCount(&Options::cropTop)},
      {"-cropbottom", SetCount(&Options::cropBottom)},
      {"-cropleft", SetCount(&Options::cropLeft)},
      {"-cropright", SetCount(&Options::cropRight)},
      {"-padtop", SetCount(&Options::padTop)},
      {"-padbottom", SetCount(&Options::padBottom)},
      {"-padleft", SetCount(&Options::padLeft)},
      {"-padright", SetCount(&Options::padRight)},
      {"-padcolor", SetPadColor},
      {"-target",
       [](Options& o, const std::string& v) {
         o.target = v;
         return IsTarget(v);
       }},
      {"-title", SetMetadata("title")},
      {"-author", SetMetadata("artist")},
      {"-comment", SetMetadata("comment")},
      {"-copyright", SetMetadata("copyright")},
      {"-album", SetMetadata("album")},
      {"-genre", SetMetadata("genre")},
      {"-year", SetMetadata("date")},
      {"-track", SetMetadata("track")},
      {"-metadata", SetMetadataPair},
  };
  return options;
}

const std::map<std::string, bool Options::*>& FlagOptions() {
  static const std::map<std::string, bool Options::*> flags{
      {"-y", &Options::overwrite},
      {"-deinterlace", &Options::deinterlace},
      {"-sameq", &Options::sameQuality},
      {"-vn", &Options::noVideo},
      {"-an", &Options::noAudio},
  };
  return flags;
}

// Options of the time that change nothing here: accepted, each with a warning that says why.
struct Retired {
  bool takesValue;
  const char* why;
};
const std::map<std::string, Retired>& RetiredOptions() {
  static const std::map<std::string, Retired> retired{
      {"-sn", {false, "subtitles are never written"}},
      {"-benchmark", {false, "no timing figures are printed"}},
      {"-vstats", {false, "no statistics file is written"}},
      {"-re", {false, "the input is always read as fast as it can be"}},
      {"-threads", {true, "the encoders use as many threads as there are cores"}},
      {"-async", {true, "the sound always follows its timestamps"}},
      {"-vsync", {true, "the output always has a constant frame rate"}},
      {"-v", {true, "the converter always prints the same lines"}},
      {"-loglevel", {true, "the converter always prints the same lines"}},
      {"-me_threshold", {true, "the encoders no longer have it"}},
      {"-mb_threshold", {true, "the encoders no longer have it"}},
      {"-rc_strategy", {true, "the encoders no longer have it"}},
      {"-dts_delta_threshold", {true, "timestamps are always made continuous"}},
      {"-map_meta_data", {true, "the input's tags are not copied"}},
      {"-map_metadata", {true, "the input's tags are not copied"}},
      {"-timestamp", {true, "the output carries no recording date"}},
  };
  return retired;
}

// Options of the time that would shape the output in a way this converter cannot: refused.
const std::map<std::string, const char*>& RefusedOptions() {
  static const std::map<std::string, const char*> refused{
      {"-map", "the converter always takes the input's main video and sound; leave out -map."},
      {"-newaudio", "the output holds one sound stream only."},
      {"-newvideo", "the output holds one video stream only."},
      {"-vhook", "video hooks no longer exist; the crop and pad options do what the common ones did."},
      {"-fs", "a size limit is not supported; give the length with -t instead."},
      {"-itsoffset", "shifting one stream against the other is not supported."},
  };
  return refused;
}

ParseResult Fail(std::string message) { return {std::nullopt, std::move(message), {}, false}; }

}  // namespace

std::string HelpText() {
  std::string text = "Usage: kodavert.dll -i \"input\" [options] \"output\"\nOwn options:";
  for (const auto& [name, flag] : FlagOptions()) text += " " + name;
  for (const auto& [name, setter] : ValueOptions()) text += " " + name + " V";
  text += "\nAccepted without effect:";
  for (const auto& [name, retired] : RetiredOptions()) text += " " + name + (retired.takesValue ? " V" : "");
  text += "\nRefused:";
  for (const auto& [name, why] : RefusedOptions()) text += " " + name;
  text += "\nAny other -name V is an AVOption of the chosen encoders or muxer (-g, -bf, -qmin, -flags +4mv,"
          " -strict...), under today's name or that of the time (-me_method, -partitions, -flags2,"
          " -deblockalpha, -vpre...); switches of the time: -mv0 -aic -qpel -4mv -umv -obmc -trell -hq.";
  return text;
}

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  Options options;
  std::optional<std::string> output;
  std::vector<std::string> warnings;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::string name = argument.size() > 1 ? argument.substr(1) : "";
    if (argument == "-h" || argument == "-help" || argument == "--help") {
      return {std::nullopt, {}, {}, true};
    } else if (const auto flag = FlagOptions().find(argument); flag != FlagOptions().end()) {
      options.*(flag->second) = true;
    } else if (argument == "-intra") {
      options.gopSize = 0;
    } else if (const auto refused = RefusedOptions().find(argument); refused != RefusedOptions().end()) {
      return Fail(argument + " is not supported: " + refused->second);
    } else if (const auto retired = RetiredOptions().find(argument); retired != RetiredOptions().end()) {
      if (retired->second.takesValue && ++i >= argc) return Fail("option " + argument + " needs a value.");
      warnings.push_back(argument + " has no effect here: " + retired->second.why + ".");
    } else if (!name.empty() && argument[0] == '-' && IsFormerSwitch(name)) {
      options.codecOptions.emplace_back(name, "");
    } else if (const auto option = ValueOptions().find(argument); option != ValueOptions().end()) {
      if (i + 1 >= argc) return Fail("option " + argument + " needs a value.");
      const std::string value = argv[++i];
      if (argument == "-i" && !options.inputPath.empty())
        return Fail("more than one input file given; the converter takes one.");
      if (!option->second(options, value))
        return Fail("invalid value '" + value + "' for option " + argument + ".");
    } else if (!name.empty() && argument[0] == '-' && IsCodecOption(name)) {
      if (i + 1 >= argc) return Fail("option " + argument + " needs a value.");
      const std::string next = argv[i + 1];
      // Another option after a numeric one: the tools of the time took the first as a switch.
      const bool isSwitch = next.size() > 1 && next[0] == '-' && !ParseNumber(next) && IsNumericCodecOption(name);
      options.codecOptions.emplace_back(name, isSwitch ? "1" : argv[++i]);
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
  if (options.noVideo && options.noAudio) return Fail("-vn and -an together leave nothing to write.");
  options.outputPath = *output;
  return {std::move(options), {}, std::move(warnings), false};
}

}  // namespace kodavert
