#pragma once
// Runs the real converter and the real ffmpeg/ffprobe tools as child processes for the tests.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace convertertest {

struct RunResult {
  bool started = false;
  bool timedOut = false;
  bool crashed = false;
  int exitCode = -1;
  QString output;  // standard output and standard error, as the window reads them: one stream
};

QString ConverterPath();
RunResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = 40000);
// `kodavert.dll -i input <options split at blanks> output`, as the window composes it.
RunResult RunConverter(const QString& input, const QString& optionText, const QString& output);

// A Flash video like the ones the window converts: FLV1 picture and MP3 sound.
bool MakeFlv(const QString& path, double seconds, bool withVideo = true, bool withAudio = true);

struct ProbedStream {
  QString codec;
  int width = 0;
  int height = 0;
  double frameRate = 0;
  int sampleRate = 0;
  int channels = 0;
  double duration = 0;  // from the decoded frame count for video
};

struct Probe {
  QString formatName;
  double duration = 0;
  std::optional<ProbedStream> video;
  std::optional<ProbedStream> audio;
};

std::optional<Probe> ProbeFile(const QString& path);
bool DecodesCleanly(const QString& path);

// One entry of the conversion window's format list: its option text exactly as the window
// writes it, and what the file must hold when made from the 320x240, 25 fps, 22050 Hz mono test
// video (0 means "as the source").
struct CatalogueRow {
  const char* name;
  const char* extension;
  const char* optionText;
  const char* videoCodec;  // nullptr: no picture
  int width, height;
  double frameRate;
  const char* audioCodec;
  int sampleRate, channels;
};

const std::vector<CatalogueRow>& CatalogueRows();

}  // namespace convertertest
