#include "converter/EncoderOptions.h"

#include "converter/Diagnostics.h"
#include "converter/LibavPtr.h"
#include "converter/OptionTable.h"

extern "C" {
#include <libavutil/opt.h>
}
#include <map>

namespace kodavert {
namespace {

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

bool IsCodecOption(const std::string& name) {
  if (const OptionRow* row = FindOption(name); row && row->family == Family::Former) return true;
  const AVClass* codecs = avcodec_get_class();
  const AVClass* formats = avformat_get_class();
  return Finds(&codecs, name, 0, AV_OPT_SEARCH_CHILDREN) || Finds(&formats, name, 0, AV_OPT_SEARCH_CHILDREN);
}

bool IsNumericCodecOption(const std::string& name) {
  std::string today = name;
  if (const OptionRow* row = FindOption(name)) {
    const FormerName& former = row->former;
    if (former.translate || former.value) return false;
    if (former.today) today = former.today;
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
    return {{}, {}, {}, {}, OutOfMemory};
  for (const auto& [name, value] : JoinDeblocking(given)) {
    bool used = false;  // by at least one encoder or the muxer
    // A flags value such as "+4mv+naq" becomes several options today. For each of them: whether any
    // encoder or the muxer took it, so that a part nobody took is said even when the rest was used.
    std::map<std::string, bool> partTaken;
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
