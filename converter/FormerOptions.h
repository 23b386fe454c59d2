#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
}
#include <string>
#include <utility>
#include <vector>

namespace kodavert {

using OptionList = std::vector<std::pair<std::string, std::string>>;

// What a former option or value becomes for one encoder. Parts that no longer exist anywhere
// are named in `retired`, to be announced.
struct Translated {
  OptionList options;
  std::vector<std::string> retired;
  bool refused = false;  // the value names nothing the encoder has
  bool parts = false;    // each option comes from a part of one flags value
};
// `encoder` is null for the muxer.
using Translator = Translated (*)(const std::string& value, const AVCodec* encoder);

// The translators that the option table names for options whose values changed shape, not only
// their names.
Translated FormerFlags(const std::string& value, const AVCodec* encoder);
Translated FormerFlags2(const std::string& value, const AVCodec* encoder);
Translated FormerMotionSearch(const std::string& value, const AVCodec* encoder);
Translated X264Partitions(const std::string& value, const AVCodec* encoder);
Translated X264PresetFile(const std::string& value, const AVCodec* encoder);

// `name` (without its dash) and its value as `encoder` knows them today: the table's row for it
// applied, or the option unchanged where the table has none for this encoder.
[[nodiscard]] Translated Translate(const std::string& name, const std::string& value, const AVCodec* encoder);

}  // namespace kodavert
