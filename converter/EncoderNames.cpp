#include "converter/EncoderNames.h"

#include <map>

namespace kodavert {

const AVCodec* FindEncoder(const std::string& name, AVMediaType type) {
  // Also the names of encoders that have since been renamed or replaced.
  static const std::map<std::string, std::string> preferred{
      {"xvid", "libxvid"},
      {"h264", "libx264"},
      {"x264", "libx264"},
      {"mp3", "libmp3lame"},
      {"amr_nb", "libopencore_amrnb"},
      {"libamr_nb", "libopencore_amrnb"},
      {"amr_wb", "libvo_amrwbenc"},
      {"libamr_wb", "libvo_amrwbenc"},
      {"libfaac", "aac"},
      {"faac", "aac"},
      {"vorbis", "libvorbis"},
      {"theora", "libtheora"},
      {"dv", "dvvideo"},
      {"libdirac", "dirac"},
  };
  const auto alias = preferred.find(name);
  const AVCodec* encoder =
      avcodec_find_encoder_by_name(alias != preferred.end() ? alias->second.c_str() : name.c_str());
  if (!encoder) {
    if (const AVCodecDescriptor* descriptor = avcodec_descriptor_get_by_name(name.c_str()))
      encoder = avcodec_find_encoder(descriptor->id);
  }
  return encoder && encoder->type == type ? encoder : nullptr;
}

}  // namespace kodavert
