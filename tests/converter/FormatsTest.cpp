// Every format of the conversion window on a generated three-second Flash video, whole and cut:
// the file holds what the format asks for and the window can follow the run; and stops mid-run.
#include <gtest/gtest.h>
#include <signal.h>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

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

// Generating the video takes longer than most conversions, so all formats share one.
struct Source {
  QTemporaryDir folder;
  QString path = folder.filePath("talk.flv");
  bool made = MakeFlv(path, 3);
  std::optional<Probe> probe = ProbeFile(path);
};

class FormatTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(FormatTest, WholeAndCutHoldWhatTheFormatAsks) {
  static const Source source;
  ASSERT_TRUE(source.made && source.probe);
  const auto [format, holds] = GetParam();
  for (const auto cut : {std::optional<conversion::CutRange>{}, std::optional(conversion::CutRange{1, 3})}) {
    SCOPED_TRACE(cut ? "cut" : "whole");
    const QStringList arguments = WindowArguments(source.path, format, source.folder.path(), cut);
    QElapsedTimer clock;
    clock.start();
    const RunResult run = RunProgram(ConverterPath(), arguments);
    ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
    EXPECT_FALSE(run.output.contains("Error")) << run.output.toStdString();
    const auto probe = ProbeFile(arguments.last());
    ASSERT_TRUE(probe) << "ffprobe cannot read " << arguments.last().toStdString();
    ASSERT_EQ(Describe(*probe), QString(holds));
    EXPECT_TRUE(DecodesCleanly(arguments.last()));
    const double seconds = cut ? 2 : source.probe->duration;
    if (const auto& video = probe->video) {
      EXPECT_NEAR(video->duration, seconds, 1 / video->frameRate + 0.001);
    }
    // Compressed sound ends on a whole codec frame and carries the encoder's start-up delay.
    EXPECT_NEAR(probe->audio->duration, seconds, 0.1);
    if (!cut) ExpectFollowable(run.output, clock.elapsed() / 1000.0, !probe->video);
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FormatTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return TestName(info.param.first); });

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
