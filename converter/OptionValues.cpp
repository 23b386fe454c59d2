#include "converter/OptionValues.h"

#include "converter/Targets.h"

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}
#include <charconv>
#include <cmath>
#include <cstring>

namespace kodavert {

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || rest != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

namespace {

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
  if (text.empty() || av_parse_time(&microseconds, text.c_str(), 1) < 0 || microseconds < 0) return std::nullopt;
  return microseconds / 1e6;
}

// The NTSC family is written as decimals but meant as multiples of 1000/1001.
std::optional<AVRational> ParseFrameRate(const std::string& text) {
  AVRational rate{};
  if (av_parse_video_rate(&rate, text.c_str()) < 0 || rate.num <= 0 || av_q2d(rate) > 1000) return std::nullopt;
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

template <typename T, typename Parse>
Setter Set(std::optional<T> Options::*field, Parse parse) {
  return [field, parse](Options& options, const std::string& value) {
    const auto parsed = parse(value);
    if (parsed) options.*field = static_cast<T>(*parsed);
    return parsed.has_value();
  };
}

}  // namespace

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
  if (value.empty() || av_parse_ratio(&ratio, value.c_str(), 10000, 0, nullptr) < 0 || ratio.num <= 0 || ratio.den <= 0)
    return false;
  options.aspectRatio = ratio;
  return true;
}

// The bound of the stock tool of the time; each encoder's own scale is narrower.
bool SetQscale(Options& options, const std::string& value) {
  const auto number = ParseNumber(value);
  if (!number || *number <= 0 || *number > 255) return false;
  options.qscale = *number;
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
  if (color.size() == 6 && color.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) color = "0x" + color;
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

Setter SetSwitch(bool Options::*field) {
  return [field](Options& options, const std::string&) {
    options.*field = true;
    return true;
  };
}

Setter SetVideoBitrate(std::optional<int64_t> Options::*field) { return Set(field, ParseVideoBitrate); }

Setter SetTag(std::optional<uint32_t> Options::*field) { return Set(field, ParseTag); }

bool SetAudioBitrate(Options& options, const std::string& value) {
  return Set(&Options::audioBitrate, ParseAudioBitrate)(options, value);
}

bool SetStart(Options& options, const std::string& value) {
  return Set(&Options::startSeconds, ParseSeconds)(options, value);
}

bool SetLength(Options& options, const std::string& value) {
  const auto seconds = ParseSeconds(value);
  if (seconds && *seconds > 0) options.lengthSeconds = seconds;
  return seconds && *seconds > 0;
}

bool SetFrameRate(Options& options, const std::string& value) {
  return Set(&Options::frameRate, ParseFrameRate)(options, value);
}

bool SetAudioQuality(Options& options, const std::string& value) {
  const auto quality = ParseNumber(value);
  if (quality && *quality >= 0) options.audioQuality = quality;
  return quality && *quality >= 0;
}

bool SetFrameCount(Options& options, const std::string& value) {
  return Set(&Options::videoFrames, [](const std::string& v) { return ParseInt(v, 1, INT32_MAX); })(options, value);
}

bool SetIntra(Options& options, const std::string&) {
  options.gopSize = 0;
  return true;
}

bool SetTarget(Options& options, const std::string& value) {
  options.target = value;
  return IsTarget(value);
}

// "source", or WxH where a side of 0 bounds nothing ("480x0": at most 480 wide).
bool SetFitBox(Options& options, const std::string& value) {
  if (value == "source") {
    options.fitBox = std::pair{0, 0};
    return true;
  }
  const size_t x = value.find('x');
  if (x == std::string::npos) return false;
  const auto width = ParseInt(value.substr(0, x), 0, 16384), height = ParseInt(value.substr(x + 1), 0, 16384);
  if (!width || !height || (*width > 0 && *width < 2) || (*height > 0 && *height < 2)) return false;
  options.fitBox = std::pair{*width, *height};
  return true;
}

bool SetFrameRateCap(Options& options, const std::string& value) {
  return Set(&Options::frameRateCap, ParseFrameRate)(options, value);
}

}  // namespace kodavert
