#pragma once
#include "converter/Options.h"

#include <functional>
#include <optional>
#include <string>

namespace kodavert {

// Checks one option's value and puts it into Options in the libraries' units; false for a value
// the option cannot take. A switch gets an empty value.
using Setter = std::function<bool(Options&, const std::string&)>;

[[nodiscard]] std::optional<double> ParseNumber(const std::string& text);

Setter SetText(std::string Options::*field);
Setter SetInt(std::optional<int> Options::*field, int min, int max);
Setter SetCount(int Options::*field);
Setter SetSwitch(bool Options::*field);
Setter SetVideoBitrate(std::optional<int64_t> Options::*field);
Setter SetTag(std::optional<uint32_t> Options::*field);
Setter SetMetadata(const char* key);
bool SetAudioBitrate(Options& options, const std::string& value);
bool SetStart(Options& options, const std::string& value);
bool SetLength(Options& options, const std::string& value);
bool SetFrameRate(Options& options, const std::string& value);
bool SetFrameSize(Options& options, const std::string& value);
bool SetAspect(Options& options, const std::string& value);
bool SetQscale(Options& options, const std::string& value);
bool SetAudioQuality(Options& options, const std::string& value);
bool SetFrameCount(Options& options, const std::string& value);
bool SetIntra(Options& options, const std::string& value);
bool SetPadColor(Options& options, const std::string& value);
bool SetPixelFormat(Options& options, const std::string& value);
bool SetScaleFlags(Options& options, const std::string& value);
bool SetTarget(Options& options, const std::string& value);
bool SetMetadataPair(Options& options, const std::string& value);
bool SetFitBox(Options& options, const std::string& value);
bool SetFrameRateCap(Options& options, const std::string& value);

}  // namespace kodavert
