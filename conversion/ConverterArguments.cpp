#include "conversion/ConverterArguments.h"

#include <QDir>

#include "QuillbrookConfig.h"

namespace conversion {

std::vector<ConverterOption> ConverterOptionList(const ConversionSettings& s, std::optional<CutRange> cut) {
  std::vector<ConverterOption> options{{QStringLiteral("-y"), {}}};
  if (cut) {
    options.push_back({QStringLiteral("-ss"), QString::number(cut->startSeconds)});
    options.push_back({QStringLiteral("-t"), QString::number(cut->endSeconds - cut->startSeconds)});
  }
  auto text = [&](const char* name, const QString& value) {
    if (!value.isEmpty()) options.push_back({QString::fromLatin1(name), value});
  };
  auto flag = [&](const char* name, bool given) {
    if (given) options.push_back({QString::fromLatin1(name), {}});
  };
  text("-b", s.VideoBitrate);
  text("-r", s.FrameRate);
  text("-s", s.FrameSize);
  text("-vcodec", s.VideoCodec);
  text("-vtag", s.VideoTag);
  text("-aspect", s.AspectRatio);
  text("-bt", s.BitrateTolerance);
  text("-f", s.ContainerFormat);
  text("-target", s.Target);
  text("-bufsize", s.BufferSize);
  text("-g", s.GopSize);
  text("-qscale", s.QScale);
  text("-maxrate", s.MaxRate);
  flag("-deinterlace", s.Deinterlace);
  flag("-sameq", s.SameQuality);
  text("-pix_fmt", s.PixelFormat);
  text("-preset", s.Preset);
  text("-crf", s.RateFactor);
  text("-deadline", s.Deadline);
  text("-cpu-used", s.Speed);
  text("-row-mt", s.RowThreads);
  text("-tag:v", s.VideoTagToday);
  text("-fit", s.FitBox);
  text("-fpsmax", s.FrameRateCap);
  flag("-tonemap", s.ToneMap);
  flag("-ownpalette", s.OwnPalette);
  flag("-vn", s.NoVideo);
  text("-movflags", s.MuxerFlags);
  text("-acodec", s.AudioCodec);
  text("-atag", s.AudioTag);
  text("-ab", s.AudioBitrate);
  text("-ar", s.AudioSampleRate);
  text("-ac", s.AudioChannels);
  return options;
}

QString ConverterPath(const QString& applicationDirectory) {
  return applicationDirectory + QDir::separator() + QString::fromLatin1(config::ConverterFileName);
}

QStringList ConverterArguments(const QString& converterPath, const QString& inputPath,
                               const std::vector<ConverterOption>& options, const QString& outputPath) {
  QStringList arguments{converterPath, QStringLiteral("-i"), inputPath};
  for (const ConverterOption& option : options) {
    arguments.append(option.name);
    if (!option.value.isEmpty()) arguments.append(option.value);
  }
  arguments.append(outputPath);
  return arguments;
}

}  // namespace conversion
