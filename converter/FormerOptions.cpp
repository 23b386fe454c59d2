#include "converter/FormerOptions.h"

#include "converter/OptionTable.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace kodavert {
namespace {

// One part of a flags value such as "+4mv+aic-loop": the sign ('=' when the value has none) and
// the name.
struct FlagPart {
  char sign;
  std::string name;
};

std::vector<FlagPart> SplitFlags(const std::string& value) {
  std::vector<FlagPart> parts;
  char sign = '=';
  std::string name;
  for (const char c : value + '+') {
    if (c != '+' && c != '-') {
      name += c;
      continue;
    }
    if (!name.empty()) parts.push_back({sign, name});
    name.clear();
    sign = c;
  }
  return parts;
}

std::string Bool(char sign) { return sign == '-' ? "0" : "1"; }

// Flags that became options of their own, or moved to another flags option.
struct MovedFlag {
  const char* option;
  const char* value;  // nullptr: "1" when set and "0" when cleared
};

Translated MoveFlags(const std::string& option, const std::string& value, const std::map<std::string, MovedFlag>& moved,
                     const std::vector<std::string>& retired = {}) {
  Translated result;
  std::string kept;
  for (const FlagPart& part : SplitFlags(value)) {
    const auto found = moved.find(part.name);
    if (std::find(retired.begin(), retired.end(), part.name) != retired.end()) {
      result.retired.push_back(option + " " + part.sign + part.name);
    } else if (found == moved.end()) {
      kept += (part.sign == '=' ? "" : std::string(1, part.sign)) + part.name;
    } else if (!strcmp(found->second.option, option.c_str())) {
      kept += std::string(1, part.sign == '=' ? '+' : part.sign) + found->second.value;
    } else {
      const char* set = found->second.value;
      result.options.emplace_back(found->second.option,
                                  set ? std::string(1, part.sign == '-' ? '-' : '+') + set : Bool(part.sign));
    }
  }
  if (!kept.empty()) result.options.insert(result.options.begin(), {option, kept});
  result.parts = true;
  return result;
}

// The switches of the time set the flags part of the same name, so a part moves as the option
// table's switch row of that name says ("-4mv" is "-flags +mv4"; "-umv" is "-umv 1"). A switch
// whose part kept its name stays in the flags. The parts below never had a switch of their own.
std::map<std::string, MovedFlag> MpegFlagMoves() {
  std::map<std::string, MovedFlag> moved{
      {"gmc", {"gmc", nullptr}},
      {"scan_offset", {"scan_offset", nullptr}},
      {"svcd_scan_offset", {"scan_offset", nullptr}},
      {"closedgop", {"flags", "cgop"}},
      {"cbp", {"mpv_flags", "cbp_rd"}},
      {"qprd", {"mpv_flags", "qp_rd"}},
  };
  for (const OptionRow& row : OptionTable()) {
    const FormerName& former = row.former;
    if (row.family != Family::Former || row.takesValue || !former.today || !former.value) continue;
    const bool kept = !strcmp(former.today, "flags") && former.value == "+" + std::string(row.name);
    if (!strcmp(former.value, "1")) {
      moved.emplace(row.name, MovedFlag{former.today, nullptr});
    } else if (former.value[0] == '+' && !kept) {
      moved.emplace(row.name, MovedFlag{former.today, former.value + 1});
    }
  }
  return moved;
}

Translated MpegFlags(const std::string& value) {
  static const std::map<std::string, MovedFlag> moved = MpegFlagMoves();
  return MoveFlags("flags", value, moved);
}

// x264's switches lived in -flags2; today they are options of the libx264 encoder.
const std::map<std::string, MovedFlag>& X264Flags2Moves() {
  static const std::map<std::string, MovedFlag> moved{
      {"bpyramid", {"b-pyramid", nullptr}},
      {"wpred", {"weightb", nullptr}},
      {"mixed_refs", {"mixed-refs", nullptr}},
      {"dct8x8", {"8x8dct", nullptr}},
      {"fastpskip", {"fast-pskip", nullptr}},
      {"aud", {"aud", nullptr}},
      {"mbtree", {"mbtree", nullptr}},
      {"psy", {"psy", nullptr}},
      {"ssim", {"ssim", nullptr}},
  };
  return moved;
}
const std::vector<std::string> kRetiredX264Flags2{"brdo",         "bime",     "skiprd", "ivlc", "drop_frame_timecode",
                                                  "non_linear_q", "reservoir"};

Translated X264Flags2(const std::string& value) {
  Translated result = MoveFlags("flags2", value, X264Flags2Moves(), kRetiredX264Flags2);
  for (auto& [option, set] : result.options)
    if (option == "b-pyramid") set = set == "1" ? "normal" : "none";
  return result;
}

// The same switches mean nothing to the other encoders, as they meant nothing to them then.
Translated OtherFlags2(const std::string& value) {
  std::vector<std::string> retired = kRetiredX264Flags2;
  for (const auto& [name, moved] : X264Flags2Moves()) retired.push_back(name);
  Translated result = MoveFlags("flags2", value, {}, retired);
  result.retired.clear();  // not retired: x264's only, and never had an effect here
  return result;
}

Translated Renamed(const char* option, const std::string& value) { return {{{option, value}}, {}}; }

bool IsX264(const AVCodec* encoder) { return encoder && !strcmp(encoder->name, "libx264"); }

// libavcodec's search methods, as x264 took them then.
Translated X264MotionSearch(const std::string& value) {
  static const std::map<std::string, std::string> methods{{"zero", "dia"}, {"epzs", "dia"},  {"full", "esa"},
                                                          {"log", "hex"},  {"phods", "hex"}, {"x1", "hex"},
                                                          {"iter", "hex"}};
  const auto found = methods.find(value);
  return Renamed("motion-est", found == methods.end() ? value : found->second);
}

// The MPEG-style encoders keep three of the methods; the others were folded into EPZS.
Translated MpegMotionSearch(const std::string& value) {
  static const std::map<std::string, std::string> methods{
      {"zero", "zero"}, {"x1", "xone"},    {"xone", "xone"}, {"epzs", "epzs"}, {"full", "epzs"},
      {"log", "epzs"},  {"phods", "epzs"}, {"hex", "epzs"},  {"umh", "epzs"},  {"dia", "epzs"},
      {"esa", "epzs"},  {"tesa", "epzs"},  {"iter", "epzs"}};
  const auto found = methods.find(value);
  return Renamed("motion_est", found == methods.end() ? value : found->second);
}

}  // namespace

// "+parti4x4+partp8x8" named the partitions to search; x264 takes them as a list.
Translated X264Partitions(const std::string& value, const AVCodec*) {
  std::string list;
  for (const FlagPart& part : SplitFlags(value)) {
    if (part.sign == '-') continue;
    const std::string name = part.name.rfind("part", 0) == 0 ? part.name.substr(4) : part.name;
    list += (list.empty() ? "" : ",") + name;
  }
  return Renamed("partitions", list.empty() ? "none" : list);
}

// The x264 preset files of the time, by their names, in today's presets and profiles.
Translated X264PresetFile(const std::string& value, const AVCodec*) {
  static const std::map<std::string, OptionList> presets{
      {"default", {{"preset", "medium"}}},
      {"normal", {{"preset", "medium"}}},
      {"hq", {{"preset", "slow"}}},
      {"max", {{"preset", "placebo"}}},
      {"fastfirstpass", {{"fastfirstpass", "1"}}},
      {"baseline", {{"profile", "baseline"}}},
      {"main", {{"profile", "main"}}},
      {"ipod320", {{"profile", "baseline"}, {"level", "13"}}},
      {"ipod640", {{"profile", "baseline"}, {"level", "30"}}},
      {"lossless_ultrafast", {{"preset", "ultrafast"}, {"qp", "0"}}},
      {"lossless_fast", {{"preset", "fast"}, {"qp", "0"}}},
      {"lossless_medium", {{"preset", "medium"}, {"qp", "0"}}},
      {"lossless_slow", {{"preset", "slow"}, {"qp", "0"}}},
      {"lossless_max", {{"preset", "placebo"}, {"qp", "0"}}},
  };
  static const std::vector<std::string> today{"ultrafast", "superfast", "veryfast", "faster",   "fast",
                                              "medium",    "slow",      "slower",   "veryslow", "placebo"};
  if (const auto found = presets.find(value); found != presets.end()) return {found->second, {}};
  std::string speed = value;
  const bool firstPass = speed.size() > 10 && speed.ends_with("_firstpass");
  if (firstPass) speed.resize(speed.size() - 10);
  if (std::find(today.begin(), today.end(), speed) == today.end()) return {{}, {}, true};
  Translated result = Renamed("preset", speed);
  if (firstPass) result.options.emplace_back("fastfirstpass", "1");
  return result;
}

Translated FormerFlags(const std::string& value, const AVCodec*) { return MpegFlags(value); }

Translated FormerFlags2(const std::string& value, const AVCodec* encoder) {
  return IsX264(encoder) ? X264Flags2(value) : OtherFlags2(value);
}

Translated FormerMotionSearch(const std::string& value, const AVCodec* encoder) {
  return IsX264(encoder) ? X264MotionSearch(value) : MpegMotionSearch(value);
}

Translated Translate(const std::string& name, const std::string& value, const AVCodec* encoder) {
  const OptionRow* row = FindOption(name);
  const FormerName former = row ? row->former : FormerName{};
  const bool forThisEncoder = !former.encoder || (encoder && !strcmp(former.encoder, encoder->name));
  if (forThisEncoder && former.translate) return former.translate(value, encoder);
  if (forThisEncoder && former.today) return Renamed(former.today, former.value ? former.value : value);
  return Renamed(name.c_str(), value);
}

}  // namespace kodavert
