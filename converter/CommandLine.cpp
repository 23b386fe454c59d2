#include "converter/Options.h"

#include "converter/EncoderOptions.h"
#include "converter/OptionTable.h"

#include "QuillbrookConfig.h"

#include <algorithm>

namespace kodavert {
namespace {

ParseResult Fail(std::string message) { return {std::nullopt, std::move(message), {}, false}; }

std::string HelpLine(const OptionRow& row) {
  std::string option = "  -" + std::string(row.name) + (*row.argument ? " " : "") + row.argument;
  option.resize(std::max<size_t>(option.size() + 1, 26), ' ');
  return option + row.help + "\n";
}

}  // namespace

std::string UsageLine() {
  return std::string("Usage: ") + config::ConverterFileName + " -i \"input\" [options] \"output\"";
}

std::string HelpText() {
  static constexpr std::pair<Family, const char*> kHeadings[] = {
      {Family::Own, "Own options:"},
      {Family::Encoder,
       "The encoders' and the muxer's options (any other -name V that one of them knows is passed on too):"},
      {Family::Former, "Options of the time, taken under their names today:"},
      {Family::Retired, "Accepted without effect:"},
      {Family::Refused, "Refused:"}};
  std::string text = UsageLine();
  for (const auto& [family, heading] : kHeadings) {
    text += std::string("\n") + heading + "\n";
    for (const OptionRow& row : OptionTable())
      if (row.family == family) text += HelpLine(row);
  }
  text.pop_back();
  return text;
}

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  Options options;
  std::optional<std::string> output;
  std::vector<std::string> warnings;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool isOption = argument.size() > 1 && argument[0] == '-';
    const std::string name = isOption ? argument.substr(1) : "";
    const OptionRow* row = isOption ? FindOption(name) : nullptr;
    const auto in = [row](Family family) { return row && row->family == family; };
    if (in(Family::Own) && !row->set) {
      return {std::nullopt, {}, {}, true};
    } else if (in(Family::Own)) {
      if (row->takesValue && i + 1 >= argc) return Fail("option " + argument + " needs a value.");
      const std::string value = row->takesValue ? argv[++i] : "";
      if (name == "i" && !options.inputPath.empty())
        return Fail("more than one input file given; the converter takes one.");
      if (!row->set(options, value)) return Fail("invalid value '" + value + "' for option " + argument + ".");
    } else if (in(Family::Refused)) {
      return Fail(argument + " is not supported: " + row->help);
    } else if (in(Family::Retired)) {
      if (row->takesValue && ++i >= argc) return Fail("option " + argument + " needs a value.");
      warnings.push_back(argument + " has no effect here: " + row->help + ".");
    } else if (in(Family::Former) && !row->takesValue) {
      options.codecOptions.emplace_back(name, "");
    } else if (isOption && IsCodecOption(name)) {
      if (i + 1 >= argc) return Fail("option " + argument + " needs a value.");
      const std::string next = argv[i + 1];
      // Another option after a numeric one: the tools of the time took the first as a switch.
      const bool isSwitch = next.size() > 1 && next[0] == '-' && !ParseNumber(next) && IsNumericCodecOption(name);
      options.codecOptions.emplace_back(name, isSwitch ? "1" : argv[++i]);
    } else if (isOption) {
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
