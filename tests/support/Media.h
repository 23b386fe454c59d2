#pragma once
// Real media for tests: small Flash and today's videos made by ffmpeg, and what ffprobe reads in a file.
// Both tools run as child processes with argument lists, never through a shell.
#include <QString>
#include <QStringList>

#include <optional>

namespace testmedia {

struct RunResult {
  bool started = false;
  bool timedOut = false;
  bool crashed = false;
  int exitCode = -1;
  QString output;  // standard output and standard error, as the window reads them: one stream
};

RunResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = 40000);

// A Flash video like the ones the window converts: FLV1 picture at 25 fps and MP3 sound at 22050 Hz.
bool MakeFlv(const QString& path, double seconds, bool withVideo = true, bool withAudio = true,
             const QString& size = QStringLiteral("320x240"));

// A video like today's downloads, chosen by the extension: H.264 and AAC at 44100 Hz in ".mp4",
// VP9 and Opus in ".webm", AV1 and Opus in ".mkv" (Opus is always 48000 Hz); 320x240 at 25 fps.
bool MakeDownload(const QString& path, double seconds);

// A phone's video held other than level: a 320x180 picture, black with a white marker in its top
// left corner, and a display matrix that turns it by `rotation` degrees as ffprobe counts them
// (-90: held upright), with sound.
bool MakeTurned(const QString& path, int rotation);

// The corner ("top left", "bottom right"...) that is brightest in the first picture as stored,
// whatever its display matrix says; empty when ffmpeg cannot read it.
QString BrightCorner(const QString& path);

struct ProbedStream {
  QString codec;
  int width = 0;
  int height = 0;
  double frameRate = 0;
  int sampleRate = 0;
  int channels = 0;
  double duration = 0;    // from the decoded frame count for video
  QString displayAspect;  // as ffprobe gives it ("9:16"), empty when it gives none
  int rotation = 0;       // of the display matrix, as ffprobe gives it
  QString tag;            // "avc1"; empty when the container keeps none
  QString pixelFormat;
  QString pixelAspect;  // "1:1"
  QString colours;      // "primaries/transfer", "-" for one not given
};

struct Probe {
  QString formatName;
  double duration = 0;
  std::optional<ProbedStream> video;
  std::optional<ProbedStream> audio;
};

// Nothing when ffprobe cannot read the file.
std::optional<Probe> ProbeFile(const QString& path);
bool DecodesCleanly(const QString& path);

}  // namespace testmedia
