#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
}
#include <string>

namespace kodavert {

// The encoder behind a codec name as the conversion formats write it ("xvid", "h264", "mp3",
// "amr_nb"...); any other name libavcodec knows, as an encoder or as a codec, is taken as is.
// Nothing when the name is unknown or names an encoder of the other medium.
const AVCodec* FindEncoder(const std::string& name, AVMediaType type);

}  // namespace kodavert
