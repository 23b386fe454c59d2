#pragma once
#include <QString>
#include <QStringList>

namespace view {
class ControlView;
}

namespace conversion {

// The chosen format's converter parameters, each text exactly as the converter receives it
// (empty: the option is not given) and two switches. Written by ApplyFormat, read by the launch,
// emptied when a run ends, so that every format starts from empty fields.
struct ConversionSettings {
  QString FrameSize;         // -s
  QString VideoBitrate;      // -b
  QString FrameRate;         // -r
  QString VideoCodec;        // -vcodec
  QString VideoTag;          // -vtag
  QString BitrateTolerance;  // -bt
  QString AudioBitrate;      // -ab
  QString AudioCodec;        // -acodec
  QString AudioTag;          // -atag
  QString AudioSampleRate;   // -ar
  QString AudioChannels;     // -ac
  QString Target;            // -target
  bool Deinterlace = false;  // -deinterlace
  bool SameQuality = false;  // -sameq
  QString AspectRatio;       // -aspect
  QString ContainerFormat;   // -f
  QString BufferSize;        // -bufsize
  QString GopSize;           // -g
  QString QScale;            // -qscale
  QString MaxRate;           // -maxrate
  // Options of today's formats, under the stock tool's names where the old ones have none.
  QString PixelFormat;      // -pix_fmt
  QString Preset;           // -preset
  QString RateFactor;       // -crf
  QString Deadline;         // -deadline
  QString Speed;            // -cpu-used
  QString RowThreads;       // -row-mt
  QString VideoTagToday;    // -tag:v
  QString MuxerFlags;       // -movflags
  QString FitBox;           // -fit
  QString FrameRateCap;     // -fpsmax
  bool ToneMap = false;     // -tonemap
  bool OwnPalette = false;  // -ownpalette
  bool NoVideo = false;     // -vn

  bool operator==(const ConversionSettings&) const = default;
};

// The format names in list order: the 24 of 2008, then today's.
QStringList FormatNames();

// Fills the format list with the format names and selects the second entry.
void FillFormatList(view::ControlView& view);

// Writes every field that the format named `formatName` (exact, case-sensitive) gives into
// `settings`; the others keep what they hold. An unknown name writes nothing. Returns the output
// path: `folder` as it stands + the separator + `inputBaseName` + "_new" + the format's extension
// (none for an unknown name).
QString ApplyFormat(ConversionSettings& settings, const QString& formatName, const QString& folder,
                    const QString& inputBaseName);

}  // namespace conversion
