// Every format of the conversion window on generated three-second videos, the Flash video of 2008
// whole and cut, and today's MP4, WebM and Matroska downloads whole:
// the file holds what the format asks for and the window can follow the run; and stops mid-run.
// Today's formats also from an HDR video and a 1080p one.
#include <gtest/gtest.h>
#include <signal.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "ConverterHarness.h"
#include "conversion/ProgressParser.h"

namespace convertertest {
namespace {

// The window takes the output in 256-byte chunks: the duration must be in the first, the output
// header after it, then positions that rise to the end, two lines a second at most.
void ExpectFollowable(const QString& output, double elapsedSeconds, bool soundOnly) {
  EXPECT_EQ(conversion::ParseDuration(QStringView(output).left(256)), 3);
  QStringList lines = output.split('\n');
  lines.removeIf([](const QString& line) { return !line.contains(QStringView(conversion::ProgressMarker)); });
  ASSERT_FALSE(lines.isEmpty());
  const qsizetype header = output.indexOf(QStringView(conversion::OutputHeaderMarker));
  EXPECT_GT(header, output.indexOf(QStringView(conversion::DurationMarker)));
  EXPECT_LT(header, output.indexOf(lines.first()));
  int previous = 0;
  for (const QString& line : lines) {
    const auto seconds = conversion::ParseProgressTime(line);
    ASSERT_TRUE(seconds && *seconds >= previous) << line.toStdString();
    previous = *seconds;
  }
  EXPECT_EQ(previous, 3) << lines.last().toStdString();
  EXPECT_TRUE(!soundOnly || lines.last().startsWith("frame=    0 ")) << lines.last().toStdString();
  EXPECT_LE(lines.size(), 2 * elapsedSeconds + 2);
}

// Generating a video takes longer than most conversions, so all formats share one of each kind:
// the Flash video of 2008 and today's downloads.
struct Source {
  explicit Source(const QString& name)
      : path(folder.filePath(name)),
        made(name.endsWith(".flv") ? MakeFlv(path, 3) : MakeDownload(path, 3)),
        probe(ProbeFile(path)) {}
  QTemporaryDir folder;
  QString path;
  bool made;
  std::optional<Probe> probe;
};

const Source& SourceNamed(const char* name) {
  static std::map<QString, std::unique_ptr<Source>> sources;
  std::unique_ptr<Source>& source = sources[name];
  if (!source) source = std::make_unique<Source>(name);
  return *source;
}

// The rate an MPEG-1 program stream's first pack header promises, in bits a second; nothing for
// other files. Players and the muxer's own clock go by it, so it must cover the data.
std::optional<double> PromisedMuxRate(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray head = file.read(12);
  if (head.size() < 12 || !head.startsWith(QByteArray("\0\0\1\xba", 4))) return {};
  const auto byte = [&head](int index) { return static_cast<unsigned char>(head[index]); };
  const int units = ((byte(9) & 0x7f) << 15) | (byte(10) << 7) | (byte(11) >> 1);  // of 50 bytes a second
  return units * 400.0;
}

// "index-first" when an MP4's index (moov) comes before its data (mdat), so that it plays while it
// downloads; "index-last" otherwise; empty for other files.
QString IndexPlace(const QString& path) {
  QFile file(path);
  for (qint64 at = 0; file.isOpen() || file.open(QIODevice::ReadOnly);) {
    const QByteArray header = (file.seek(at), file.read(8));
    const quint32 size = header.size() == 8 ? qFromBigEndian<quint32>(header.constData()) : 0;
    if (header.endsWith("moov") || header.endsWith("mdat"))
      return header.endsWith("moov") ? "index-first" : "index-last";
    if (size < 8) return {};
    at += size;
  }
  return {};
}

// What today's formats promise beyond Describe: the picture's "tag pixel-format pixel-aspect
// primaries/transfer", then where an MP4's index is.
QString Details(const Probe& probe, const QString& path) {
  QStringList words;
  if (const auto& v = probe.video)
    words << (v->tag.isEmpty() ? "-" : v->tag) << v->pixelFormat << v->pixelAspect << v->colours;
  if (const QString index = IndexPlace(path); !index.isEmpty()) words << index;
  return words.join(' ');
}

// From sources that give no colour tags.
const std::map<QString, QString> kTodayDetails{
    {"MP4 (H.264/AAC, Original Size)", "avc1 yuv420p 1:1 -/- index-first"},
    {"MP4 (H.264/AAC, 720p)", "avc1 yuv420p 1:1 -/- index-first"},
    {"MP4 (H.265/AAC, Original Size)", "hvc1 yuv420p 1:1 -/- index-first"},
    {"WebM (VP9/Opus, Original Size)", "- yuv420p 1:1 -/-"},
    {"MKV (AV1/Opus, Original Size)", "- yuv420p 1:1 -/-"},
    {"M4A Sound (AAC)", "index-first"},
    {"GIF (Animated, 480 Wide)", "- bgra 1:1 -/-"},
};

using Row = std::pair<const char*, const char*>;
class FormatTest : public ::testing::TestWithParam<std::tuple<Row, const char*>> {};

TEST_P(FormatTest, WholeAndCutHoldWhatTheFormatAsks) {
  const auto [row, name] = GetParam();
  const Source& source = SourceNamed(name);
  ASSERT_TRUE(source.made && source.probe && source.probe->audio);
  const auto [format, holds] = row;
  // Formats that set no sample rate keep the source's.
  const QString expected = QString(holds).replace("source", QString::number(source.probe->audio->sampleRate));
  // Cutting is the same work whatever the source; once, on the Flash video, keeps the suite quick.
  std::vector<std::optional<conversion::CutRange>> cuts{std::nullopt};
  if (source.path.endsWith(".flv")) cuts.push_back(conversion::CutRange{1, 3});
  for (const auto& cut : cuts) {
    SCOPED_TRACE(cut ? "cut" : "whole");
    const QStringList arguments = WindowArguments(source.path, format, source.folder.path(), cut);
    QElapsedTimer clock;
    clock.start();
    const RunResult run = RunProgram(ConverterPath(), arguments);
    ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
    EXPECT_FALSE(run.output.contains("Error")) << run.output.toStdString();
    const auto probe = ProbeFile(arguments.last());
    ASSERT_TRUE(probe) << "ffprobe cannot read " << arguments.last().toStdString();
    ASSERT_EQ(Describe(*probe), expected);
    if (const auto details = kTodayDetails.find(format); details != kTodayDetails.end()) {
      EXPECT_EQ(Details(*probe, arguments.last()), details->second);
    }
    EXPECT_TRUE(DecodesCleanly(arguments.last()));
    const double seconds = cut ? 2 : source.probe->duration;
    if (const auto muxRate = PromisedMuxRate(arguments.last())) {
      EXPECT_GE(*muxRate, QFileInfo(arguments.last()).size() * 8 / seconds);
    }
    if (const auto& video = probe->video) {
      EXPECT_NEAR(video->duration, seconds, 1 / video->frameRate + 0.001);
    }
    // Compressed sound ends on a whole codec frame and carries the encoder's start-up delay.
    if (probe->audio) {
      EXPECT_NEAR(probe->audio->duration, seconds, 0.1);
    }
    if (!cut) ExpectFollowable(run.output, clock.elapsed() / 1000.0, !probe->video);
  }
}

std::string RowName(const ::testing::TestParamInfo<FormatTest::ParamType>& info) {
  return TestName(std::get<0>(info.param).first) + "_" + TestName(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FormatTest,
                         ::testing::Combine(::testing::ValuesIn(kFormats), ::testing::Values("talk.flv")), RowName);
// Run by CTest as a test of its own (see CMakeLists.txt), beside the rest.
INSTANTIATE_TEST_SUITE_P(TodaysDownloads, FormatTest,
                         ::testing::Combine(::testing::ValuesIn(kFormats),
                                            ::testing::Values("clip.mp4", "clip.webm", "clip.mkv")),
                         RowName);

// A phone's video comes out as it was held: the marker in the stored picture's top left corner lands
// where the display matrix turns it, before a format of 2008 or of today sizes it, and the output carries no matrix
// that would turn it once more. A copy, and -noautorotate, keep the stored picture and the matrix.
TEST(UprightTest, TheMarkerLandsWhereTheDisplayMatrixTurnsIt) {
  // ffprobe's rotation, where the stored top left corner turns to, the upright size and its aspect.
  const std::tuple<int, QString, QString, QString> turns[] = {{-90, "top right", "180x320", "9:16"},
                                                              {90, "bottom left", "180x320", "9:16"},
                                                              {180, "bottom right", "320x180", "16:9"}};
  QTemporaryDir folder;
  const QString input = folder.filePath("phone.mp4"), copy = folder.filePath("copy.mp4");
  for (const auto& [rotation, corner, shown, aspect] : turns) {
    SCOPED_TRACE(rotation);
    ASSERT_TRUE(MakeTurned(input, rotation));
    const int matrix = ProbeFile(input)->video->rotation;
    // The arguments, the last being the output, and its size, display aspect, marker and rotation.
    const std::tuple<QStringList, QString, QString, QString, int> runs[] = {
        {WindowArguments(input, "QuickTime MOV", folder.path()), "320x240", aspect, corner, 0},
        {WindowArguments(input, "MPEG (Max Compatible)", folder.path()), shown, aspect, corner, 0},
        {WindowArguments(input, "MP4 (H.264/AAC, Original Size)", folder.path()), shown, aspect, corner, 0},
        {{"-i", input, "-y", "-vcodec", "copy", "-acodec", "copy", copy}, "320x180", "16:9", "top left", matrix},
        {{"-i", input, "-y", "-noautorotate", "-vcodec", "mpeg4", copy}, "320x180", "16:9", "top left", matrix}};
    for (const auto& [arguments, size, shape, marker, turned] : runs) {
      SCOPED_TRACE(arguments.join(' ').toStdString());
      const RunResult run = RunProgram(ConverterPath(), arguments);
      ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
      EXPECT_TRUE(run.output.contains("displaymatrix: rotation of")) << run.output.toStdString();
      const auto probe = ProbeFile(arguments.last());
      ASSERT_TRUE(probe && probe->video);
      EXPECT_EQ(QString("%1x%2").arg(probe->video->width).arg(probe->video->height), size);
      EXPECT_EQ(probe->video->displayAspect, shape);
      EXPECT_EQ(probe->video->rotation, turned);
      EXPECT_EQ(BrightCorner(arguments.last()), marker);
    }
  }
}

// A short 10-bit BT.2020 video with the PQ transfer, at an odd size and 50 fps, with sound.
bool MakeHdr(const QString& path) {
  const RunResult run = RunProgram(
      "ffmpeg",
      QString("-v error -y -f lavfi -i testsrc2=size=854x480:rate=50 -f lavfi -i sine=f=440:sample_rate=48000 "
              "-t 2 -c:v libx265 -preset ultrafast -x265-params log-level=error -pix_fmt yuv420p10le "
              "-color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc -c:a libopus -b:a 64k")
              .split(' ') +
          QStringList{path});
  return run.exitCode == 0 && !run.timedOut;
}

// Today's formats from sources whose picture tests their rules: HDR made SDR only for 8 bits, the
// frame rate up to 60 or 15, the size never beyond the input nor the format's bounds.
struct TodayRow {
  const char* source;  // "hdr": made here; otherwise a file of the test media
  const char* format;
  const char* holds;  // as Describe writes it
  const char* details;
};
const TodayRow kTodayRows[] = {
    {"hdr", "MP4 (H.264/AAC, Original Size)", "h264 854x480 50 aac 48000 2",
     "avc1 yuv420p 1:1 bt709/bt709 index-first"},
    {"hdr", "MP4 (H.264/AAC, 720p)", "h264 854x480 50 aac 48000 2", "avc1 yuv420p 1:1 bt709/bt709 index-first"},
    {"hdr", "MP4 (H.265/AAC, Original Size)", "hevc 854x480 50 aac 48000 2",
     "hvc1 yuv420p10le 1:1 bt2020/smpte2084 index-first"},
    {"hdr", "WebM (VP9/Opus, Original Size)", "vp9 854x480 50 opus 48000 2", "- yuv420p10le 1:1 bt2020/smpte2084"},
    {"hdr", "MKV (AV1/Opus, Original Size)", "av1 854x480 50 opus 48000 2", "- yuv420p10le 1:1 bt2020/smpte2084"},
    {"hdr", "FLAC Sound (Lossless)", "flac 48000 2", ""},
    {"hdr", "GIF (Animated, 480 Wide)", "gif 480x270 15", "- bgra 1:1 -/-"},
    {"h264_aac_1080p_sample_pymediainfo.mp4", "MP4 (H.264/AAC, 720p)", "h264 1280x720 23.98 aac 48000 2",
     "avc1 yuv420p 1:1 bt709/bt709 index-first"},
};

void PrintTo(const TodayRow& row, std::ostream* os) { *os << row.source << ", " << row.format; }

class TodayTest : public ::testing::TestWithParam<TodayRow> {};

TEST_P(TodayTest, PictureFollowsTheRulesOfTheFormat) {
  const TodayRow& row = GetParam();
  static QTemporaryDir folder;
  static const bool hdrMade = MakeHdr(folder.filePath("hdr.mkv"));
  const bool hdr = QString(row.source) == "hdr";
  const QString input = hdr ? folder.filePath("hdr.mkv") : QString(QB_TESTDATA_DIR "/media/") + row.source;
  if (!hdr && !QFile::exists(input)) GTEST_SKIP() << "test media not present";
  ASSERT_TRUE(!hdr || hdrMade);
  const QStringList arguments = WindowArguments(input, row.format, folder.path());
  const RunResult run = RunProgram(ConverterPath(), arguments);
  ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
  const auto probe = ProbeFile(arguments.last());
  ASSERT_TRUE(probe);
  EXPECT_EQ(Describe(*probe), QString(row.holds));
  EXPECT_EQ(Details(*probe, arguments.last()), QString(row.details));
  EXPECT_TRUE(DecodesCleanly(arguments.last()));
  // The float samples of the source's decoder reach libopus as float, not rounded to 16 bits.
  if (probe->audio && probe->audio->codec == "opus") {
    EXPECT_TRUE(run.output.contains(", flt,")) << run.output.toStdString();
  }
  if (probe->video) {
    const double seconds = hdr ? 2 : 0.98;
    EXPECT_NEAR(probe->video->duration, seconds, 1 / probe->video->frameRate + 0.05);
  }
}

INSTANTIATE_TEST_SUITE_P(TodaysFormats, TodayTest, ::testing::ValuesIn(kTodayRows),
                         [](const ::testing::TestParamInfo<TodayRow>& info) {
                           return TestName(QString(info.param.source).section('.', 0, 0) + "_" + info.param.format);
                         });

TEST(StopTest, ASignalFinishesAPlayableFileAndExitsWithItsOwnStatus) {
  QTemporaryDir folder;
  ASSERT_TRUE(MakeFlv(folder.filePath("long.flv"), 40));
  const QStringList arguments = WindowArguments(folder.filePath("long.flv"), "Sony PSP (PSP AVC)", folder.path());
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    QProcess converter;
    converter.setProcessChannelMode(QProcess::MergedChannels);
    converter.start(ConverterPath(), arguments);  // x264: the slowest encoder
    QByteArray seen;
    while (!seen.contains("frame=") && converter.waitForReadyRead(10000)) seen += converter.readAll();
    ASSERT_TRUE(seen.contains("frame=")) << seen.toStdString();
    ::kill(pid_t(converter.processId()), signal);
    ASSERT_TRUE(converter.waitForFinished(5000)) << "the converter must stop promptly";
    // Whoever watches the run must not take it for a finished one.
    EXPECT_TRUE(converter.exitStatus() == QProcess::NormalExit && converter.exitCode() == 255)
        << converter.exitCode() << (seen + converter.readAll()).toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no temporary files";
    const auto probe = ProbeFile(arguments.last());
    ASSERT_TRUE(probe && probe->video && probe->audio);
    EXPECT_GT(probe->video->duration, 0.5);
    EXPECT_LT(probe->video->duration, 39);
    EXPECT_TRUE(DecodesCleanly(arguments.last()));
  }
}

}  // namespace
}  // namespace convertertest
