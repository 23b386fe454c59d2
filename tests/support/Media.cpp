#include "tests/support/Media.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>

namespace testmedia {

RunResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(program, arguments);
  RunResult result;
  result.started = process.waitForStarted();
  if (!result.started) return result;
  if (!process.waitForFinished(timeoutMs)) {
    result.timedOut = true;
    process.kill();
    process.waitForFinished();
  }
  result.crashed = process.exitStatus() == QProcess::CrashExit && !result.timedOut;
  result.exitCode = process.exitCode();
  result.output = QString::fromLocal8Bit(process.readAll());
  return result;
}

namespace {

// A synthetic picture and tone, encoded as `encoding` (the stock tool's output options) says; a
// side whose encoder `encoding` does not name is left out.
bool MakeMedia(const QString& path, double seconds, const QStringList& encoding, int sampleRate, const QString& size) {
  QStringList arguments{"-v", "error", "-y"};
  if (encoding.contains("-c:v")) arguments.append({"-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=25"});
  if (encoding.contains("-c:a"))
    arguments.append({"-f", "lavfi", "-i", "sine=f=440:sample_rate=" + QString::number(sampleRate)});
  arguments << "-t" << QString::number(seconds) << encoding << path;
  const RunResult result = RunProgram("ffmpeg", arguments);
  return result.started && !result.timedOut && result.exitCode == 0;
}

}  // namespace

bool MakeFlv(const QString& path, double seconds, bool withVideo, bool withAudio, const QString& size) {
  QStringList encoding;
  if (withVideo) encoding.append({"-c:v", "flv1"});
  if (withAudio) encoding.append({"-c:a", "libmp3lame"});
  return MakeMedia(path, seconds, encoding, 22050, size);
}

bool MakeDownload(const QString& path, double seconds) {
  // The fastest settings of each encoder: the inputs only need to be valid, not good.
  const QStringList yuv420{"-pix_fmt", "yuv420p"};
  const QStringList opus{"-c:a", "libopus", "-b:a", "64k"};
  if (path.endsWith(".mp4"))
    return MakeMedia(path, seconds, QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"} + yuv420,
                     44100, "320x240");
  if (path.endsWith(".webm"))
    return MakeMedia(path, seconds,
                     QStringList{"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8"} + yuv420 + opus,
                     48000, "320x240");
  if (path.endsWith(".mkv"))
    return MakeMedia(path, seconds,
                     QStringList{"-c:v", "libaom-av1", "-usage", "realtime", "-cpu-used", "8"} + yuv420 + opus, 48000,
                     "320x240");
  return false;
}

bool MakeTurned(const QString& path, int rotation) {
  const QString level = path + ".level.mp4";
  const QString make =
      "-v error -y -f lavfi -i color=c=black:size=320x180:rate=25,drawbox=w=iw/3:h=ih/3:color=white:t=fill "
      "-f lavfi -i sine=sample_rate=44100 -t 1 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac";
  // The tool sets the matrix only on a copy, from a tag that counts the other way round, 0 to 360.
  const QString turn = "-v error -y -c copy -metadata:s:v:0 rotate=" + QString::number((360 + rotation) % 360);
  const bool made = RunProgram("ffmpeg", make.split(' ') << level).exitCode == 0 &&
                    RunProgram("ffmpeg", QStringList{"-i", level} + turn.split(' ') << path).exitCode == 0;
  QFile::remove(level);
  return made;
}

QString BrightCorner(const QString& path) {
  // Each corner's quarter shrunk to one grey pixel.
  const QString pixels = path + ".corners";
  const RunResult result = RunProgram("ffmpeg", {"-v", "error", "-y", "-noautorotate", "-i", path, "-frames:v", "1",
                                                 "-vf", "scale=2:2:flags=area,format=gray", "-f", "rawvideo", pixels});
  QFile file(pixels);
  if (result.exitCode != 0 || !file.open(QIODevice::ReadOnly)) return {};
  const QByteArray grey = file.readAll();
  file.remove();
  if (grey.size() != 4) return {};
  const char* const names[] = {"top left", "top right", "bottom left", "bottom right"};
  const auto brightest = std::max_element(grey.begin(), grey.end(), [](char a, char b) { return uchar(a) < uchar(b); });
  return names[brightest - grey.begin()];
}

namespace {

double Rational(const QString& text) {
  const QStringList parts = text.split('/');
  if (parts.size() != 2 || parts[1].toDouble() == 0) return text.toDouble();
  return parts[0].toDouble() / parts[1].toDouble();
}

ProbedStream ReadStream(const QJsonObject& stream) {
  ProbedStream probed;
  probed.codec = stream["codec_name"].toString();
  probed.width = stream["width"].toInt();
  probed.height = stream["height"].toInt();
  probed.frameRate = Rational(stream["r_frame_rate"].toString());
  if (probed.frameRate == 0) probed.frameRate = Rational(stream["avg_frame_rate"].toString());
  probed.sampleRate = stream["sample_rate"].toString().toInt();
  probed.channels = stream["channels"].toInt();
  probed.duration = stream["duration"].toString().toDouble();
  probed.displayAspect = stream["display_aspect_ratio"].toString();
  for (const QJsonValue& side : stream["side_data_list"].toArray())
    if (side.toObject().contains("rotation")) probed.rotation = side.toObject()["rotation"].toInt();
  const QString tag = stream["codec_tag_string"].toString();
  probed.tag = tag.startsWith('[') ? QString() : tag;
  probed.pixelFormat = stream["pix_fmt"].toString();
  probed.pixelAspect = stream["sample_aspect_ratio"].toString();
  const auto told = [&stream](const char* key) {
    const QString value = stream[key].toString();
    return value.isEmpty() || value == "unknown" ? QString("-") : value;
  };
  probed.colours = told("color_primaries") + "/" + told("color_transfer");
  const int frames = stream["nb_read_frames"].toString().toInt();
  if (stream["codec_type"].toString() == "video" && probed.frameRate > 0) probed.duration = frames / probed.frameRate;
  return probed;
}

}  // namespace

std::optional<Probe> ProbeFile(const QString& path) {
  const RunResult result =
      RunProgram("ffprobe", {"-v", "error", "-count_frames", "-of", "json", "-show_format", "-show_streams",
                             "-show_entries", "packet=codec_type,pts_time,duration_time", path});
  if (result.exitCode != 0) return std::nullopt;
  const QJsonObject root = QJsonDocument::fromJson(result.output.toUtf8()).object();
  Probe probe;
  probe.formatName = root["format"].toObject()["format_name"].toString();
  probe.duration = root["format"].toObject()["duration"].toString().toDouble();
  for (const QJsonValue& value : root["streams"].toArray()) {
    const QJsonObject stream = value.toObject();
    if (stream["codec_type"] == "video" && !probe.video) probe.video = ReadStream(stream);
    if (stream["codec_type"] == "audio" && !probe.audio) probe.audio = ReadStream(stream);
  }
  // The sound's length from its packets: some containers give every stream the file's length.
  double first = -1, end = 0;
  for (const QJsonValue& value : root["packets"].toArray()) {
    const QJsonObject packet = value.toObject();
    if (packet["codec_type"] != "audio") continue;
    const double start = packet["pts_time"].toString().toDouble();
    if (first < 0) first = start;
    end = std::max(end, start + packet["duration_time"].toString().toDouble());
  }
  if (probe.audio) probe.audio->duration = first < 0 ? 0 : end - first;
  return probe;
}

bool DecodesCleanly(const QString& path) {
  const RunResult result = RunProgram("ffmpeg", {"-v", "error", "-i", path, "-f", "null", "-"});
  return result.exitCode == 0 && result.output.trimmed().isEmpty();
}

}  // namespace testmedia
