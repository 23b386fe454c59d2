#pragma once
// Starts the real converter as the conversion window does for one of its formats, and states what
// each format must give from the generated 320x240, 25 fps videos.
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

#include "conversion/ConverterArguments.h"
#include "tests/support/Media.h"
#include "tests/support/QStringPrinter.h"

namespace convertertest {

using namespace testmedia;

inline QString ConverterPath() { return conversion::ConverterPath(QB_PROGRAM_DIR); }

// The window's own arguments for `format`, without the program; the last is the output file.
inline QStringList WindowArguments(const QString& input, const QString& format, const QString& folder,
                                   std::optional<conversion::CutRange> cut = {}) {
  conversion::ConversionSettings settings;
  const QString output = conversion::ApplyFormat(settings, format, folder, QFileInfo(input).completeBaseName());
  return conversion::ConverterArguments({}, input, conversion::ConverterOptionList(settings, cut), output).mid(1);
}

// "picture-codec WxH fps sound-codec Hz channels", the first three only when there is a picture.
inline QString Describe(const Probe& probe) {
  QStringList words;
  if (const auto& v = probe.video)
    words << v->codec << QString("%1x%2").arg(v->width).arg(v->height) << QString::number(v->frameRate, 'g', 4);
  if (const auto& a = probe.audio) words << a->codec << QString::number(a->sampleRate) << QString::number(a->channels);
  return words.join(' ');
}

// Each format's name and what its file holds, as Describe writes it; "source" stands for the
// source's sample rate, which a format that sets none keeps.
inline const std::pair<const char*, const char*> kFormats[] = {
    {"AVI (MPEG4-DivX-Compatible)", "mpeg4 320x240 29.97 mp3 22050 2"},
    {"AVI (MPEG4-DivX-Best Quality)", "mpeg4 320x240 29.97 mp3 44100 2"},
    {"AVI (MPEG4-XviD-Compatible)", "mpeg4 320x240 29.97 mp3 22050 2"},
    {"AVI (MPEG4-XviD-Best Quality)", "mpeg4 320x240 29.97 mp3 44100 2"},
    {"iPOD Video (320x240) MPEG4", "mpeg4 320x240 25 aac 44100 2"},
    {"iPOD Video2 (640x480) MPEG4", "mpeg4 640x480 25 aac 44100 2"},
    {"iPhone Video", "mpeg4 320x240 25 aac 44100 2"},
    {"MPEG (Max Compatible)", "mpeg1video 320x240 29.97 mp2 44100 2"},
    {"MPEG (Best Quality)", "mpeg1video 320x240 29.97 mp2 source 2"},
    {"WMV(WindowsMedia-Compatible)", "wmv2 320x240 25 wmav2 44100 2"},
    {"WMV(WindowsMedia-Best Quality)", "wmv2 320x240 25 wmav2 source 2"},
    {"RM (RealONE/RealPlayer)", "rv20 320x240 25 ac3 44100 2"},
    {"QuickTime MOV", "h264 320x240 29.97 aac 44100 2"},
    {"Sony PSP (Normal)", "mpeg4 368x208 29.97 aac 24000 2"},
    {"Sony PSP (Excellent Quality)", "mpeg4 368x208 29.97 aac 24000 2"},
    {"Sony PSP (Minimal Size)", "mpeg4 160x112 29.97 aac 24000 2"},
    {"Sony PSP (PSP AVC)", "h264 368x208 29.97 aac 48000 2"},
    {"Zune MPEG-4 Video", "mpeg4 320x240 29.97 aac 48000 2"},
    {"Zune MPEG-4 AVC", "h264 320x240 29.97 aac 48000 2"},
    {"Zune WMV", "wmv2 320x240 29.97 mp3 48000 2"},
    {"3GP (for Mobile)", "h263 176x144 11 amr_nb 8000 1"},
    {"3G2 (for Mobile)", "mpeg4 176x144 11 amr_nb 8000 1"},
    {"WAVE Sound (WAV)", "pcm_s16le 41000 2"},
    {"MP3 Sound (MP3)", "mp3 44100 2"},
    {"MP4 (H.264/AAC, Original Size)", "h264 320x240 25 aac 48000 2"},
    {"MP4 (H.264/AAC, 720p)", "h264 320x240 25 aac 48000 2"},
    {"MP4 (H.265/AAC, Original Size)", "hevc 320x240 25 aac 48000 2"},
    {"WebM (VP9/Opus, Original Size)", "vp9 320x240 25 opus 48000 2"},
    {"MKV (AV1/Opus, Original Size)", "av1 320x240 25 opus 48000 2"},
    {"M4A Sound (AAC)", "aac 48000 2"},
    {"Opus Sound (OPUS)", "opus 48000 2"},
    {"FLAC Sound (Lossless)", "flac source 2"},
    {"GIF (Animated, 480 Wide)", "gif 320x240 15"},
};

inline std::string TestName(QString text) { return text.replace(QRegularExpression("\\W"), "_").toStdString(); }

}  // namespace convertertest
