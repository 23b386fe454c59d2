#include "converter/OptionTable.h"

#include <vector>

namespace kodavert {
namespace {

constexpr bool kValue = true, kSwitch = false;
constexpr Family kOwn = Family::Own, kEncoder = Family::Encoder, kFormer = Family::Former, kRetired = Family::Retired,
                 kRefused = Family::Refused;

FormerName X264(const char* today) { return {"libx264", today}; }
FormerName Now(const char* today, const char* value = nullptr) { return {nullptr, today, value}; }
FormerName Via(Translator translate, const char* encoder = nullptr) { return {encoder, nullptr, nullptr, translate}; }

const std::vector<OptionRow>& Rows() {
  // clang-format off
  static const std::vector<OptionRow> rows{
      {"i", kValue, kOwn, "FILE", "the input file (one)", SetText(&Options::inputPath)},
      {"y", kSwitch, kOwn, "", "overwrite the output", SetSwitch(&Options::overwrite)},
      {"ss", kValue, kOwn, "S", "start of the cut, in seconds or hh:mm:ss, to the frame", SetStart},
      {"t", kValue, kOwn, "S", "length of the cut, in seconds or hh:mm:ss", SetLength},
      {"vframes", kValue, kOwn, "N", "end after N pictures", SetFrameCount},
      {"b", kValue, kOwn, "N", "video bit rate: kbit/s, bit/s from 100000, or with its unit (360k, 1.5M)",
       SetVideoBitrate(&Options::videoBitrate)},
      {"ab", kValue, kOwn, "N", "audio bit rate: kbit/s, bit/s from 1000, or with its unit",
       SetAudioBitrate},
      {"bt", kValue, kOwn, "N", "video bit-rate tolerance, in the units of -b",
       SetVideoBitrate(&Options::bitrateTolerance)},
      {"maxrate", kValue, kOwn, "N", "video rate cap, in the units of -b", SetVideoBitrate(&Options::maxRate)},
      {"bufsize", kValue, kOwn, "N", "the rate cap's buffer, in the units of -b", SetVideoBitrate(&Options::bufferSize)},
      {"r", kValue, kOwn, "R", "frames per second (25, 29.97, 30000/1001, pal, ntsc)", SetFrameRate},
      {"s", kValue, kOwn, "WxH", "picture size (320x240, qcif, vga, hd720...)", SetFrameSize},
      {"aspect", kValue, kOwn, "A", "display aspect (16:9, 2.35)", SetAspect},
      {"vcodec", kValue, kOwn, "C", "video encoder, or copy", SetText(&Options::videoCodec)},
      {"acodec", kValue, kOwn, "C", "audio encoder, or copy", SetText(&Options::audioCodec)},
      {"vtag", kValue, kOwn, "T", "video codec tag: four characters or a number", SetTag(&Options::videoTag)},
      {"atag", kValue, kOwn, "T", "audio codec tag: four characters or a number", SetTag(&Options::audioTag)},
      {"g", kValue, kOwn, "N", "group-of-pictures size", SetInt(&Options::gopSize, 0, 100000)},
      {"intra", kSwitch, kOwn, "", "every picture a key frame: -g 0", SetIntra},
      {"qscale", kValue, kOwn, "Q", "fixed quantiser (x264: rate factor); overrides -b", SetQscale},
      {"aq", kValue, kOwn, "Q", "fixed sound quality on the encoder's scale; overrides -ab", SetAudioQuality},
      {"f", kValue, kOwn, "F", "container format; otherwise the output's extension decides",
       SetText(&Options::containerFormat)},
      {"ar", kValue, kOwn, "N", "sample rate in Hz", SetInt(&Options::sampleRate, 1000, 768000)},
      {"ac", kValue, kOwn, "N", "number of channels", SetInt(&Options::channels, 1, 8)},
      {"vol", kValue, kOwn, "N", "loudness, 256 leaving it as it is", SetInt(&Options::volume, 0, 65536)},
      {"vn", kSwitch, kOwn, "", "leave the picture out", SetSwitch(&Options::noVideo)},
      {"an", kSwitch, kOwn, "", "leave the sound out", SetSwitch(&Options::noAudio)},
      {"pix_fmt", kValue, kOwn, "F", "picture format (yuv420p...)", SetPixelFormat},
      {"croptop", kValue, kOwn, "N", "pixels taken off the source's top", SetCount(&Options::cropTop)},
      {"cropbottom", kValue, kOwn, "N", "pixels taken off the source's bottom", SetCount(&Options::cropBottom)},
      {"cropleft", kValue, kOwn, "N", "pixels taken off the source's left side", SetCount(&Options::cropLeft)},
      {"cropright", kValue, kOwn, "N", "pixels taken off the source's right side", SetCount(&Options::cropRight)},
      {"padtop", kValue, kOwn, "N", "border above the scaled picture", SetCount(&Options::padTop)},
      {"padbottom", kValue, kOwn, "N", "border below the scaled picture", SetCount(&Options::padBottom)},
      {"padleft", kValue, kOwn, "N", "border left of the scaled picture", SetCount(&Options::padLeft)},
      {"padright", kValue, kOwn, "N", "border right of the scaled picture", SetCount(&Options::padRight)},
      {"padcolor", kValue, kOwn, "RRGGBB", "the border's colour, hexadecimal or a name", SetPadColor},
      {"sws_flags", kValue, kOwn, "F", "the scaler's method (bicubic, lanczos...)", SetScaleFlags},
      {"target", kValue, kOwn, "T", "a standard: vcd, svcd, dvd or dv after pal-, ntsc- or film-", SetTarget},
      {"title", kValue, kOwn, "TEXT", "the title tag", SetMetadata("title")},
      {"author", kValue, kOwn, "TEXT", "the artist tag", SetMetadata("artist")},
      {"comment", kValue, kOwn, "TEXT", "the comment tag", SetMetadata("comment")},
      {"copyright", kValue, kOwn, "TEXT", "the copyright tag", SetMetadata("copyright")},
      {"album", kValue, kOwn, "TEXT", "the album tag", SetMetadata("album")},
      {"genre", kValue, kOwn, "TEXT", "the genre tag", SetMetadata("genre")},
      {"year", kValue, kOwn, "TEXT", "the date tag", SetMetadata("date")},
      {"track", kValue, kOwn, "TEXT", "the track tag", SetMetadata("track")},
      {"metadata", kValue, kOwn, "KEY=VALUE", "any tag", SetMetadataPair},
      {"deinterlace", kSwitch, kOwn, "", "deinterlace frames marked as interlaced", SetSwitch(&Options::deinterlace)},
      {"noautorotate", kSwitch, kOwn, "", "keep the picture as stored instead of turning it upright",
       SetSwitch(&Options::noAutorotate)},
      {"pass", kValue, kOwn, "N", "two-pass encoding: pass 1 or 2", SetInt(&Options::pass, 1, 2)},
      {"passlogfile", kValue, kOwn, "P", "the two passes' notes go to P-0.log", SetText(&Options::passLogPrefix)},
      {"sameq", kSwitch, kOwn, "", "keep the source's quality: constant quality instead of -b",
       SetSwitch(&Options::sameQuality)},
      {"tag:v", kValue, kOwn, "T", "the same as -vtag", SetTag(&Options::videoTag)},
      {"tag:a", kValue, kOwn, "T", "the same as -atag", SetTag(&Options::audioTag)},
      {"fit", kValue, kOwn, "WxH", "square pixels at the display aspect, even sides, no larger than the input "
       "nor WxH (0: any; source: the display size); -s wins", SetFitBox},
      {"fpsmax", kValue, kOwn, "R", "the input's frame rate, up to R", SetFrameRateCap},
      {"tonemap", kSwitch, kOwn, "", "HDR input (PQ, HLG) tone-mapped to SDR BT.709; other input as it is",
       SetSwitch(&Options::toneMap)},
      {"ownpalette", kSwitch, kOwn, "", "pal8 output: a palette made from the video in a first pass over the input",
       SetSwitch(&Options::ownPalette)},
      {"h", kSwitch, kOwn, "", "print this list and convert nothing"},
      {"help", kSwitch, kOwn, "", "the same as -h"},
      {"-help", kSwitch, kOwn, "", "the same as -h"},

      {"flags", kValue, kEncoder, "F", "codec flags (+4mv+aic); the parts of the time are translated",
       nullptr, Via(FormerFlags)},
      {"flags2", kValue, kEncoder, "F", "more codec flags; x264's parts of the time are its options today",
       nullptr, Via(FormerFlags2)},
      {"bf", kValue, kEncoder, "N", "B-frames between the others"},
      {"qmin", kValue, kEncoder, "Q", "the smallest quantiser"},
      {"qmax", kValue, kEncoder, "Q", "the largest quantiser"},
      {"qdiff", kValue, kEncoder, "Q", "the largest step of the quantiser between pictures"},
      {"qcomp", kValue, kEncoder, "X", "how much the quantiser follows the picture's complexity"},
      {"trellis", kValue, kEncoder, "N", "trellis quantisation"},
      {"cmp", kValue, kEncoder, "F", "the motion search's comparison"},
      {"subcmp", kValue, kEncoder, "F", "the sub-pixel motion search's comparison"},
      {"mbd", kValue, kEncoder, "M", "how a macroblock's coding is chosen (simple, bits, rd)"},
      {"level", kValue, kEncoder, "N", "the codec level"},
      {"refs", kValue, kEncoder, "N", "reference frames"},
      {"coder", kValue, kEncoder, "N", "the entropy coder"},
      {"sc_threshold", kValue, kEncoder, "N", "scene-change threshold"},
      {"keyint_min", kValue, kEncoder, "N", "the smallest distance between key frames"},
      {"i_qfactor", kValue, kEncoder, "X", "the key frames' quantiser against the others'"},
      {"minrate", kValue, kEncoder, "N", "the smallest bit rate, in bit/s"},
      {"crf", kValue, kEncoder, "X", "constant rate factor of x264, x265, VP9 and SVT-AV1"},
      {"preset", kValue, kEncoder, "P", "speed preset of x264 and x265 (veryfast...), SVT-AV1 (0 to 13)"},
      {"deadline", kValue, kEncoder, "D", "VP9's way of spending time: good, best or realtime"},
      {"cpu-used", kValue, kEncoder, "N", "VP9's speed, 0 to 8 (above 5 for realtime only)"},
      {"row-mt", kValue, kEncoder, "B", "VP9's rows encoded in parallel (1)"},
      {"movflags", kValue, kEncoder, "F", "MP4 muxer flags (+faststart: the index before the data)"},
      {"strict", kValue, kEncoder, "S", "how strictly the standard is followed (experimental...)"},
      {"packetsize", kValue, kEncoder, "N", "the muxer's packet size"},
      {"muxrate", kValue, kEncoder, "N", "the MPEG muxer's rate"},

      {"me_method", kValue, kFormer, "M", "motion search: x264's motion-est, the MPEG encoders' motion_est",
       nullptr, Via(FormerMotionSearch)},
      {"partitions", kValue, kFormer, "P", "x264's partitions, from +parti4x4+partp8x8...",
       nullptr, Via(X264Partitions, "libx264")},
      {"vpre", kValue, kFormer, "P", "x264 preset file of the time, or today's preset",
       nullptr, Via(X264PresetFile, "libx264")},
      {"deblockalpha", kValue, kFormer, "N", "with -deblockbeta, x264's deblock"},
      {"deblockbeta", kValue, kFormer, "N", "with -deblockalpha, x264's deblock"},
      {"directpred", kValue, kFormer, "N", "x264's direct-pred", nullptr, X264("direct-pred")},
      {"rc_lookahead", kValue, kFormer, "N", "x264's rc-lookahead", nullptr, X264("rc-lookahead")},
      {"aq_mode", kValue, kFormer, "N", "x264's aq-mode", nullptr, X264("aq-mode")},
      {"aq_strength", kValue, kFormer, "X", "x264's aq-strength", nullptr, X264("aq-strength")},
      {"psy_rd", kValue, kFormer, "X:Y", "x264's psy-rd", nullptr, X264("psy-rd")},
      {"cqp", kValue, kFormer, "Q", "x264's qp", nullptr, X264("qp")},
      {"bframebias", kValue, kFormer, "N", "x264's b-bias", nullptr, X264("b-bias")},
      {"nr", kValue, kFormer, "N", "noise_reduction", nullptr, Now("noise_reduction")},
      {"preme", kValue, kFormer, "N", "mepre", nullptr, Now("mepre")},
      {"qns", kValue, kFormer, "N", "quantizer_noise_shaping", nullptr, Now("quantizer_noise_shaping")},
      {"lelim", kValue, kFormer, "N", "luma_elim_threshold", nullptr, Now("luma_elim_threshold")},
      {"celim", kValue, kFormer, "N", "chroma_elim_threshold", nullptr, Now("chroma_elim_threshold")},
      // Switches of the time, each one a flag or option today.
      {"mv0", kSwitch, kFormer, "", "-mpv_flags +mv0", nullptr, Now("mpv_flags", "+mv0")},
      {"aic", kSwitch, kFormer, "", "-flags +aic", nullptr, Now("flags", "+aic")},
      {"qpel", kSwitch, kFormer, "", "-flags +qpel", nullptr, Now("flags", "+qpel")},
      {"4mv", kSwitch, kFormer, "", "-flags +mv4", nullptr, Now("flags", "+mv4")},
      {"mv4", kSwitch, kFormer, "", "-flags +mv4", nullptr, Now("flags", "+mv4")},
      {"ilme", kSwitch, kFormer, "", "-flags +ilme", nullptr, Now("flags", "+ilme")},
      {"ildct", kSwitch, kFormer, "", "-flags +ildct", nullptr, Now("flags", "+ildct")},
      {"gray", kSwitch, kFormer, "", "-flags +gray", nullptr, Now("flags", "+gray")},
      {"cgop", kSwitch, kFormer, "", "-flags +cgop", nullptr, Now("flags", "+cgop")},
      {"psnr", kSwitch, kFormer, "", "-flags +psnr", nullptr, Now("flags", "+psnr")},
      {"naq", kSwitch, kFormer, "", "-mpv_flags +naq", nullptr, Now("mpv_flags", "+naq")},
      {"umv", kSwitch, kFormer, "", "-umv 1", nullptr, Now("umv", "1")},
      {"obmc", kSwitch, kFormer, "", "-obmc 1", nullptr, Now("obmc", "1")},
      {"part", kSwitch, kFormer, "", "-data_partitioning 1", nullptr, Now("data_partitioning", "1")},
      {"alt", kSwitch, kFormer, "", "-alternate_scan 1", nullptr, Now("alternate_scan", "1")},
      {"trell", kSwitch, kFormer, "", "-trellis 1", nullptr, Now("trellis", "1")},
      {"hq", kSwitch, kFormer, "", "-mbd rd", nullptr, Now("mbd", "rd")},

      {"sn", kSwitch, kRetired, "", "subtitles are never written"},
      {"benchmark", kSwitch, kRetired, "", "no timing figures are printed"},
      {"vstats", kSwitch, kRetired, "", "no statistics file is written"},
      {"re", kSwitch, kRetired, "", "the input is always read as fast as it can be"},
      {"threads", kValue, kRetired, "N", "the encoders use as many threads as there are cores"},
      {"async", kValue, kRetired, "N", "the sound always follows its timestamps"},
      {"vsync", kValue, kRetired, "N", "the output always has a constant frame rate"},
      {"v", kValue, kRetired, "N", "the converter always prints the same lines"},
      {"loglevel", kValue, kRetired, "L", "the converter always prints the same lines"},
      {"me_threshold", kValue, kRetired, "N", "the encoders no longer have it"},
      {"mb_threshold", kValue, kRetired, "N", "the encoders no longer have it"},
      {"rc_strategy", kValue, kRetired, "N", "the encoders no longer have it"},
      {"dts_delta_threshold", kValue, kRetired, "N", "timestamps are always made continuous"},
      {"map_meta_data", kValue, kRetired, "M", "the input's tags are not copied"},
      {"map_metadata", kValue, kRetired, "M", "the input's tags are not copied"},
      {"timestamp", kValue, kRetired, "T", "the output carries no recording date"},

      {"map", kValue, kRefused, "M", "the converter always takes the input's main video and sound; leave out -map."},
      {"newaudio", kSwitch, kRefused, "", "the output holds one sound stream only."},
      {"newvideo", kSwitch, kRefused, "", "the output holds one video stream only."},
      {"vhook", kValue, kRefused, "H",
       "video hooks no longer exist; the crop and pad options do what the common ones did."},
      {"fs", kValue, kRefused, "N", "a size limit is not supported; give the length with -t instead."},
      {"itsoffset", kValue, kRefused, "S", "shifting one stream against the other is not supported."},
  };
  // clang-format on
  return rows;
}

}  // namespace

std::span<const OptionRow> OptionTable() { return Rows(); }

const OptionRow* FindOption(const std::string& name) {
  for (const OptionRow& row : Rows())
    if (name == row.name) return &row;
  return nullptr;
}

}  // namespace kodavert
