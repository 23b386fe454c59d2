#pragma once
#include "converter/FormerOptions.h"
#include "converter/OptionValues.h"

#include <span>
#include <string>

namespace kodavert {

// Where an option's meaning comes from.
enum class Family {
  Own,      // the converter's: it goes into Options
  Encoder,  // an AVOption of today's encoders or muxer, handed to each that knows it
  Former,   // an encoder's option under the name, or in the shape, of the tools of the time
  Retired,  // accepted and announced: it no longer changes anything
  Refused,  // it would shape the output in a way this converter cannot
};

// What a former option is today. Each part is optional: a row with none of them keeps its name.
struct FormerName {
  const char* encoder = nullptr;   // the one encoder it is translated for; others take it as it is
  const char* today = nullptr;     // its name today
  const char* value = nullptr;     // a switch's value under that name
  Translator translate = nullptr;  // for a value whose shape changed, in place of `today`
};

// One option of the command line, in the manner of the fftools' option table. The -h text, the
// parser and the option lists of the README and the manual page all follow these rows.
struct OptionRow {
  const char* name;  // without its leading dash
  bool takesValue;
  Family family;
  const char* argument;  // the value's name in -h; empty for a switch
  // One line for -h. For a retired option it is also why it changes nothing; for a refused one,
  // the reason its error gives.
  const char* help;
  Setter set = nullptr;  // Own: the value into Options; none for a request for the -h text
  FormerName former = {};
};

[[nodiscard]] std::span<const OptionRow> OptionTable();
// The row for `name` (without its dash), or null.
[[nodiscard]] const OptionRow* FindOption(const std::string& name);

}  // namespace kodavert
