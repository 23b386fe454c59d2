#pragma once
#include "converter/EncoderOptions.h"
#include "converter/InputFile.h"
#include "converter/Options.h"

extern "C" {
#include <libavutil/channel_layout.h>
}
#include <memory>
#include <optional>
#include <string>

namespace kodavert {

struct VideoPlan {
  const AVCodec* encoder = nullptr;  // none: the input's packets are copied as they are
  int width = 0;                     // of the encoded frame, padding included
  int height = 0;
  int pictureWidth = 0;  // of the scaled picture, within the padding
  int pictureHeight = 0;
  std::string upright;  // filters that turn the stored picture as the input says to show it
  AVRational frameRate{};
  AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
  std::optional<uint32_t> tag;
  OptionList options;         // the encoder's AVOptions from the command line
  bool squarePixels = false;  // -fit: the display aspect is in the size itself
  // HDR input into SDR: the transfer to undo (PQ or HLG), or unspecified for none.
  AVColorTransferCharacteristic toneMapFrom = AVCOL_TRC_UNSPECIFIED;
  // What the encoder tells players of the colours; unspecified ones are left out.
  AVColorPrimaries primaries = AVCOL_PRI_UNSPECIFIED;
  AVColorTransferCharacteristic transfer = AVCOL_TRC_UNSPECIFIED;
  AVColorSpace matrix = AVCOL_SPC_UNSPECIFIED;
  bool ownPalette = false;  // pal8 from a palette of the video's own colours
  // Made by the first pass (a blank one stands in until then); none while that pass runs.
  std::shared_ptr<AVFrame> palette;
};

struct AudioPlan {
  const AVCodec* encoder = nullptr;  // none: the input's packets are copied as they are
  int sampleRate = 0;
  int channels = 0;
  AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
  std::optional<int64_t> bitrate;
  std::optional<uint32_t> tag;
  std::optional<double> quality;  // fixed quality instead of a bit rate
  OptionList options;
};

// What the output will be, after every request has been fitted to what its codec and container
// can carry. Each adjustment is announced with one warning line.
struct OutputPlan {
  const AVOutputFormat* format = nullptr;
  std::optional<VideoPlan> video;
  std::optional<AudioPlan> audio;
  OptionList muxerOptions;
  std::string error;              // set when no output can be made
  bool commandLineError = false;  // the error lies in what the command line asks
};

[[nodiscard]] OutputPlan PlanOutput(const Options& options, InputFile& input);

}  // namespace kodavert
