#include "conversion/FormatCatalogue.h"

#include <QDir>
#include <array>

#include "view/ControlView.h"
#include "view/frmConvertControls.h"

namespace conversion {
namespace {

using S = ConversionSettings;

struct FieldValue {
  QString S::*field = nullptr;  // none: an unused place of the row
  const char16_t* value = nullptr;
};

struct FormatEntry {
  const char16_t* name;
  const char16_t* extension;
  bool deinterlaceAndSameQuality;
  std::array<FieldValue, 12> values;  // only what the row gives; the rest keep their values
};

// Within a row: frame size, frame rate, video bit rate, video codec, further fields, then audio
// codec, channels, bit rate and sample rate.
const FormatEntry Catalogue[] = {
    {u"AVI (MPEG4-DivX-Compatible)",
     u".avi",
     true,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"360"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"48"},
       {&S::AudioSampleRate, u"22050"}}}},
    {u"AVI (MPEG4-DivX-Best Quality)",
     u".avi",
     true,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"360"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AspectRatio, u"16:9"},
       {&S::AudioCodec, u"mp3"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"AVI (MPEG4-XviD-Compatible)",
     u".avi",
     true,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"360"},
       {&S::VideoCodec, u"xvid"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"48"},
       {&S::AudioSampleRate, u"22050"}}}},
    {u"AVI (MPEG4-XviD-Best Quality)",
     u".avi",
     true,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"360"},
       {&S::VideoCodec, u"xvid"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"iPOD Video (320x240) MPEG4",
     u".mpg",
     false,
     {{{&S::FrameSize, u"320x240"},
       {&S::VideoBitrate, u"512"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AspectRatio, u"4:3"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"64"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"iPOD Video2 (640x480) MPEG4",
     u".mpg",
     false,
     {{{&S::FrameSize, u"640x480"},
       {&S::VideoBitrate, u"1200"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AspectRatio, u"4:3"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"80"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"iPhone Video",
     u".mpg",
     false,
     {{{&S::FrameSize, u"320x240"},
       {&S::VideoBitrate, u"1200"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AspectRatio, u"4:3"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"80"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"MPEG (Max Compatible)",
     u".mpg",
     true,
     {{{&S::FrameRate, u"29.97"},
       {&S::VideoCodec, u"mpeg1video"},
       {&S::AudioChannels, u"2"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"MPEG (Best Quality)",
     u".mpg",
     true,
     {{{&S::FrameRate, u"29.97"}, {&S::VideoCodec, u"mpeg1video"}, {&S::AudioChannels, u"2"}}}},
    {u"WMV(WindowsMedia-Compatible)",
     u".wmv",
     true,
     {{{&S::VideoCodec, u"wmv2"}, {&S::AudioChannels, u"2"}, {&S::AudioSampleRate, u"44100"}}}},
    {u"WMV(WindowsMedia-Best Quality)", u".wmv", true, {{{&S::VideoCodec, u"wmv2"}, {&S::AudioChannels, u"2"}}}},
    {u"RM (RealONE/RealPlayer)",
     u".rm",
     true,
     {{{&S::VideoCodec, u"rv20"}, {&S::AudioChannels, u"2"}, {&S::AudioSampleRate, u"44100"}}}},
    {u"QuickTime MOV",
     u".mov",
     true,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"360"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"48"},
       {&S::AudioSampleRate, u"44100"}}}},
    {u"Sony PSP (Normal)",
     u".avi",
     false,
     {{{&S::FrameSize, u"368x208"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"512"},
       {&S::VideoCodec, u"xvid"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"64"},
       {&S::AudioSampleRate, u"24000"}}}},
    {u"Sony PSP (Excellent Quality)",
     u".avi",
     false,
     {{{&S::FrameSize, u"368x208"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"768"},
       {&S::VideoCodec, u"xvid"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"64"},
       {&S::AudioSampleRate, u"24000"}}}},
    {u"Sony PSP (Minimal Size)",
     u".avi",
     false,
     {{{&S::FrameSize, u"160x112"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"216"},
       {&S::VideoCodec, u"xvid"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"64"},
       {&S::AudioSampleRate, u"24000"}}}},
    {u"Sony PSP (PSP AVC)",
     u".avi",
     false,
     {{{&S::FrameSize, u"368x208"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"400"},
       {&S::VideoCodec, u"h264"},
       {&S::GopSize, u"250"},
       {&S::QScale, u"25"},
       {&S::MaxRate, u"1500"},
       {&S::BufferSize, u"128"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"48000"}}}},
    {u"Zune MPEG-4 Video",
     u".avi",
     false,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"1500"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"48000"}}}},
    {u"Zune MPEG-4 AVC",
     u".avi",
     false,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"1500"},
       {&S::VideoCodec, u"h264"},
       {&S::GopSize, u"250"},
       {&S::QScale, u"25"},
       {&S::MaxRate, u"1500"},
       {&S::BufferSize, u"128"},
       {&S::AudioCodec, u"aac"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"64"},
       {&S::AudioSampleRate, u"48000"}}}},
    {u"Zune WMV",
     u".wmv",
     false,
     {{{&S::FrameSize, u"320x240"},
       {&S::FrameRate, u"29.97"},
       {&S::VideoBitrate, u"1500"},
       {&S::VideoCodec, u"wmv2"},
       {&S::AudioCodec, u"mp3"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"48000"}}}},
    {u"3GP (for Mobile)",
     u".3gp",
     false,
     {{{&S::FrameSize, u"176x144"},
       {&S::FrameRate, u"11"},
       {&S::VideoBitrate, u"120"},
       {&S::VideoCodec, u"h263"},
       {&S::BitrateTolerance, u"60"},
       {&S::AudioCodec, u"amr_nb"},
       {&S::AudioChannels, u"1"},
       {&S::AudioBitrate, u"48"},
       {&S::AudioSampleRate, u"8000"}}}},
    {u"3G2 (for Mobile)",
     u".3g2",
     false,
     {{{&S::FrameSize, u"176x144"},
       {&S::FrameRate, u"11"},
       {&S::VideoBitrate, u"120"},
       {&S::VideoCodec, u"mpeg4"},
       {&S::BitrateTolerance, u"60"},
       {&S::AudioCodec, u"amr_nb"},
       {&S::AudioChannels, u"1"},
       {&S::AudioBitrate, u"48"},
       {&S::AudioSampleRate, u"8000"}}}},
    {u"WAVE Sound (WAV)",
     u".wav",
     false,
     {{{&S::ContainerFormat, u"wav"},
       {&S::AudioCodec, u"pcm_s16le"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"41000"}}}},
    {u"MP3 Sound (MP3)",
     u".mp3",
     false,
     {{{&S::ContainerFormat, u"mp3"},
       {&S::AudioCodec, u"mp3"},
       {&S::AudioChannels, u"2"},
       {&S::AudioBitrate, u"128"},
       {&S::AudioSampleRate, u"44100"}}}},
};

}  // namespace

QStringList FormatNames() {
  QStringList names;
  for (const FormatEntry& entry : Catalogue) names.append(QString::fromUtf16(entry.name));
  return names;
}

void FillFormatList(view::ControlView& view) {
  // A window shown again is filled again, so the list starts empty each time.
  view.ClearItems(view::frmConvert::FormatList);
  for (const QString& name : FormatNames()) view.AddItem(view::frmConvert::FormatList, name);
  view.SetListIndex(view::frmConvert::FormatList, 1);
}

QString ApplyFormat(ConversionSettings& settings, const QString& formatName, const QString& folder,
                    const QString& inputBaseName) {
  QString outputExtension;
  for (const FormatEntry& entry : Catalogue) {
    if (formatName != QStringView(entry.name)) continue;
    for (const FieldValue& given : entry.values) {
      if (given.field) settings.*given.field = QString::fromUtf16(given.value);
    }
    if (entry.deinterlaceAndSameQuality) settings.Deinterlace = settings.SameQuality = true;
    outputExtension = QString::fromUtf16(entry.extension);
    break;
  }
  return folder + QDir::separator() + inputBaseName + QStringLiteral("_new") + outputExtension;
}

}  // namespace conversion
