#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
}
#include <string>

namespace kodavert {

// The encoder behind a codec name as the conversion formats and the command lines of their time
// write it ("xvid", "h264", "mp3", "libfaac", "vorbis"...); any other name libavcodec knows, as an
// encoder or as a codec, is taken as is.
// Nothing when the name is unknown or names an encoder of the other medium.
const AVCodec* FindEncoder(const std::string& name, AVMediaType type);

}  // namespace kodavert
