#include "converter/EncoderOptions.h"

#include "converter/LibavPtr.h"

extern "C" {
#include <libavutil/opt.h>
}
#include <algorithm>
#include <cstring>
#include <map>

namespace kodavert {
namespace {

// What a former option or value becomes for one encoder. Parts that no longer exist anywhere
// are named in `retired`, to be announced.
struct Translated {
  OptionList options;
  std::vector<std::string> retired;
  bool refused = false;  // the value names nothing the encoder has
  bool parts = false;    // each option comes from a part of one flags value
};
using Translator = Translated (*)(const std::string& value);

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

Translated FormerFlags(const std::string& value) {
  static const std::map<std::string, MovedFlag> moved{
      {"4mv", {"flags", "mv4"}},
      {"obmc", {"obmc", nullptr}},
      {"part", {"data_partitioning", nullptr}},
      {"umv", {"umv", nullptr}},
      {"alt", {"alternate_scan", nullptr}},
      {"trell", {"trellis", nullptr}},
      {"gmc", {"gmc", nullptr}},
      {"scan_offset", {"scan_offset", nullptr}},
      {"svcd_scan_offset", {"scan_offset", nullptr}},
      {"closedgop", {"flags", "cgop"}},
      {"naq", {"mpv_flags", "naq"}},
      {"mv0", {"mpv_flags", "mv0"}},
      {"cbp", {"mpv_flags", "cbp_rd"}},
      {"qprd", {"mpv_flags", "qp_rd"}},
  };
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

// "+parti4x4+partp8x8" named the partitions to search; x264 takes them as a list.
Translated X264Partitions(const std::string& value) {
  std::string list;
  for (const FlagPart& part : SplitFlags(value)) {
    if (part.sign == '-') continue;
    const std::string name = part.name.rfind("part", 0) == 0 ? part.name.substr(4) : part.name;
    list += (list.empty() ? "" : ",") + name;
  }
  return Renamed("partitions", list.empty() ? "none" : list);
}

// The x264 preset files of the time, by their names, in today's presets and profiles.
Translated X264PresetFile(const std::string& value) {
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

// A former option for one encoder, or for every encoder (`encoder` null). A switch takes no value
// on the command line and gives `value`; the others give their value, translated or not.
struct FormerOption {
  const char* name;
  const char* encoder;
  const char* today;
  const char* value = nullptr;
  Translator translate = nullptr;
};

const FormerOption kFormerOptions[] = {
    {"me_method", "libx264", nullptr, nullptr, X264MotionSearch},
    {"me_method", nullptr, nullptr, nullptr, MpegMotionSearch},
    {"partitions", "libx264", nullptr, nullptr, X264Partitions},
    {"flags2", "libx264", nullptr, nullptr, X264Flags2},
    {"flags2", nullptr, nullptr, nullptr, OtherFlags2},
    {"flags", nullptr, nullptr, nullptr, FormerFlags},
    {"vpre", "libx264", nullptr, nullptr, X264PresetFile},
    {"directpred", "libx264", "direct-pred"},
    {"rc_lookahead", "libx264", "rc-lookahead"},
    {"aq_mode", "libx264", "aq-mode"},
    {"aq_strength", "libx264", "aq-strength"},
    {"psy_rd", "libx264", "psy-rd"},
    {"cqp", "libx264", "qp"},
    {"bframebias", "libx264", "b-bias"},
    {"nr", nullptr, "noise_reduction"},
    {"preme", nullptr, "mepre"},
    {"qns", nullptr, "quantizer_noise_shaping"},
    {"lelim", nullptr, "luma_elim_threshold"},
    {"celim", nullptr, "chroma_elim_threshold"},
    // Switches of the time, each one a flag or option today.
    {"mv0", nullptr, "mpv_flags", "+mv0"},
    {"aic", nullptr, "flags", "+aic"},
    {"qpel", nullptr, "flags", "+qpel"},
    {"4mv", nullptr, "flags", "+mv4"},
    {"mv4", nullptr, "flags", "+mv4"},
    {"ilme", nullptr, "flags", "+ilme"},
    {"ildct", nullptr, "flags", "+ildct"},
    {"gray", nullptr, "flags", "+gray"},
    {"cgop", nullptr, "flags", "+cgop"},
    {"psnr", nullptr, "flags", "+psnr"},
    {"naq", nullptr, "mpv_flags", "+naq"},
    {"umv", nullptr, "umv", "1"},
    {"obmc", nullptr, "obmc", "1"},
    {"part", nullptr, "data_partitioning", "1"},
    {"alt", nullptr, "alternate_scan", "1"},
    {"trell", nullptr, "trellis", "1"},
    {"hq", nullptr, "mbd", "rd"},
};

// The first row for this option and encoder; rows for one encoder come before those for all.
const FormerOption* FindFormer(const std::string& name, const AVCodec* encoder) {
  for (const FormerOption& row : kFormerOptions)
    if (name == row.name && (!row.encoder || (encoder && !strcmp(row.encoder, encoder->name)))) return &row;
  return nullptr;
}

Translated Translate(const std::string& name, const std::string& value, const AVCodec* encoder) {
  const FormerOption* row = FindFormer(name, encoder);
  if (!row) return Renamed(name.c_str(), value);
  if (row->translate) return row->translate(value);
  return Renamed(row->today, row->value ? row->value : value);
}

bool Finds(const AVClass* const* cls, const std::string& name, int flags, int search = 0) {
  return *cls &&
         av_opt_find(const_cast<const AVClass**>(cls), name.c_str(), nullptr, flags, search | AV_OPT_SEARCH_FAKE_OBJ);
}

bool EncoderKnows(const AVCodec* encoder, const std::string& name) {
  const AVClass* generic = avcodec_get_class();
  const int medium = encoder->type == AVMEDIA_TYPE_VIDEO ? AV_OPT_FLAG_VIDEO_PARAM : AV_OPT_FLAG_AUDIO_PARAM;
  return Finds(&generic, name, medium | AV_OPT_FLAG_ENCODING_PARAM) || Finds(&encoder->priv_class, name, 0);
}

bool MuxerKnows(const AVOutputFormat* format, const std::string& name) {
  const AVClass* generic = avformat_get_class();
  return Finds(&generic, name, AV_OPT_FLAG_ENCODING_PARAM) || Finds(&format->priv_class, name, 0);
}

std::string InvalidValue(const std::string& name, const std::string& value) {
  return "invalid value '" + value + "' for option -" + name + ".";
}

// The libav object an option is tried on before the conversion starts, so that a bad value is
// a bad command line rather than a failure half-way.
struct Trial {
  CodecContextPtr codec;
  OutputContextPtr muxer;
  void* Object() { return codec ? static_cast<void*>(codec.get()) : static_cast<void*>(muxer.get()); }
};

// The value that two options of the time gave together.
OptionList JoinDeblocking(const OptionList& given) {
  OptionList joined;
  std::string alpha = "0", beta = "0";
  bool any = false;
  for (const auto& [name, value] : given) {
    if (name != "deblockalpha" && name != "deblockbeta") {
      joined.emplace_back(name, value);
      continue;
    }
    (name == "deblockalpha" ? alpha : beta) = value;
    if (!any) joined.emplace_back("deblock", "");
    any = true;
  }
  for (auto& [name, value] : joined)
    if (name == "deblock" && value.empty()) value = alpha + ":" + beta;
  return joined;
}

}  // namespace

bool IsFormerSwitch(const std::string& name) {
  return std::any_of(std::begin(kFormerOptions), std::end(kFormerOptions),
                     [&](const FormerOption& row) { return name == row.name && row.value; });
}

bool IsCodecOption(const std::string& name) {
  if (name == "deblockalpha" || name == "deblockbeta") return true;
  if (std::any_of(std::begin(kFormerOptions), std::end(kFormerOptions),
                  [&](const FormerOption& row) { return name == row.name; }))
    return true;
  const AVClass* codecs = avcodec_get_class();
  const AVClass* formats = avformat_get_class();
  return Finds(&codecs, name, 0, AV_OPT_SEARCH_CHILDREN) || Finds(&formats, name, 0, AV_OPT_SEARCH_CHILDREN);
}

bool IsNumericCodecOption(const std::string& name) {
  std::string today = name;
  for (const FormerOption& row : kFormerOptions)
    if (name == row.name) {
      if (row.translate || !row.today || row.value) return false;
      today = row.today;
      break;
    }
  const AVClass* codecs = avcodec_get_class();
  const AVOption* option = av_opt_find(&codecs, today.c_str(), nullptr, AV_OPT_FLAG_ENCODING_PARAM,
                                       AV_OPT_SEARCH_CHILDREN | AV_OPT_SEARCH_FAKE_OBJ);
  return option && (option->type == AV_OPT_TYPE_INT || option->type == AV_OPT_TYPE_INT64 ||
                    option->type == AV_OPT_TYPE_UINT64 || option->type == AV_OPT_TYPE_BOOL);
}

OptionTargets DistributeOptions(const OptionList& given, const AVCodec* video, const AVCodec* audio,
                                const AVOutputFormat* format) {
  OptionTargets targets;
  if (given.empty()) return targets;
  Trial trials[3];
  if (video) trials[0].codec.reset(avcodec_alloc_context3(video));
  if (audio) trials[1].codec.reset(avcodec_alloc_context3(audio));
  AVFormatContext* muxer = nullptr;
  if (avformat_alloc_output_context2(&muxer, format, nullptr, nullptr) >= 0) trials[2].muxer.reset(muxer);
  if ((video && !trials[0].codec) || (audio && !trials[1].codec) || !trials[2].muxer)
    return {{}, {}, {}, {}, "out of memory."};
  for (const auto& [name, value] : JoinDeblocking(given)) {
    bool used = false;
    std::map<std::string, bool> partTaken;  // a part of a flags value that no one takes is said
    for (int i = 0; i < 3; ++i) {
      const AVCodec* encoder = i == 0 ? video : i == 1 ? audio : nullptr;
      if (i < 2 && !encoder) continue;
      const Translated translated = Translate(name, value, encoder);
      if (translated.refused) {
        targets.error = InvalidValue(name, value);
        return targets;
      }
      for (const std::string& retired : translated.retired)
        targets.warnings.push_back("-" + retired + " no longer exists in the encoders; ignored.");
      used = used || !translated.retired.empty();
      OptionList& list = i == 0 ? targets.video : i == 1 ? targets.audio : targets.muxer;
      for (const auto& [option, set] : translated.options) {
        const bool known = encoder ? EncoderKnows(encoder, option) : MuxerKnows(format, option);
        if (translated.parts) partTaken[option] |= known;
        if (!known) continue;
        if (av_opt_set(trials[i].Object(), option.c_str(), set.c_str(), AV_OPT_SEARCH_CHILDREN) < 0) {
          targets.error = InvalidValue(name, value);
          return targets;
        }
        list.emplace_back(option, set);
        used = true;
      }
    }
    std::string names = format->name;
    if (audio) names = std::string(audio->name) + ", " + names;
    if (video) names = std::string(video->name) + ", " + names;
    if (!used)
      targets.warnings.push_back("-" + name + (value.empty() ? "" : " " + value) + " means nothing to " + names +
                                 "; ignored.");
    for (const auto& [option, taken] : partTaken)
      if (used && !taken)
        targets.warnings.push_back("the part of -" + name + " " + value + " that became " + option +
                                   " means nothing to " + names + "; ignored.");
  }
  return targets;
}

std::string ApplyOptions(void* object, const OptionList& options) {
  for (const auto& [name, value] : options)
    if (const int result = av_opt_set(object, name.c_str(), value.c_str(), AV_OPT_SEARCH_CHILDREN); result < 0)
      return "cannot set option " + name + " to '" + value + "': " + ErrorText(result) + ".";
  return {};
}

}  // namespace kodavert
