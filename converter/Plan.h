#pragma once
#include "converter/EncoderOptions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kodavert {

// Planning's result: what each stage after it needs to know of the command line, per output
// stream. The filters, encoders and muxer read this and never the options themselves.
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
  bool deinterlace = false;
  int cropTop = 0, cropBottom = 0, cropLeft = 0, cropRight = 0;  // of the picture as shown
  int padTop = 0, padLeft = 0;                                   // where the picture sits in the frame
  std::string padColor;
  std::string scaleFlags;
  std::optional<AVRational> aspectRatio;  // the display aspect given, set after scaling
  // Rate control, as the command line gives it.
  std::optional<int64_t> bitrate, bitrateTolerance, maxRate, bufferSize;
  std::optional<int> gopSize;
  std::optional<double> qscale;
  bool sameQuality = false;
  std::optional<int> pass;        // 1 or 2 of a two-pass encoding
  std::string passLogPath;        // where the first pass leaves its statistics for the second
  std::optional<int64_t> frames;  // of a copied picture, the most to copy
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
  std::optional<int> volume;  // 256 is unchanged
};

// The part of the input that is converted, in seconds from its start.
struct Cut {
  std::optional<double> startSeconds;
  std::optional<double> lengthSeconds;
};

// What the output will be, after every request has been fitted to what its codec and container
// can carry. Each adjustment is announced with one warning line.
struct OutputPlan {
  const AVOutputFormat* format = nullptr;
  std::optional<VideoPlan> video;
  std::optional<AudioPlan> audio;
  OptionList muxerOptions;
  std::string inputPath;
  std::string outputPath;
  std::vector<std::pair<std::string, std::string>> metadata;
  Cut cut;
  std::string error;              // set when no output can be made
  bool commandLineError = false;  // the error lies in what the command line asks
};

}  // namespace kodavert
