// What the conversion window reads: the duration, the output header and the progress lines, parsed
// with the window's own code; and a stop in the middle of a conversion.
#include "ConverterHarness.h"
#include "conversion/ProgressParser.h"

#include <QElapsedTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace convertertest {
namespace {

class ProgressTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new QTemporaryDir;
    ASSERT_TRUE(MakeFlv(folder_->filePath("in.flv"), 3));
  }
  static void TearDownTestSuite() { delete folder_; }
  static inline QTemporaryDir* folder_ = nullptr;
};

QStringList ProgressLines(const QString& output) {
  QStringList lines;
  for (const QString& line : output.split('\n'))
    if (line.contains(QStringView(conversion::ProgressMarker))) lines << line;
  return lines;
}

TEST_F(ProgressTest, WindowReadsDurationHeaderAndPositions) {
  for (const int number : {2, 13, 23, 24}) {  // video and sound-only rows
    const CatalogueRow& row = CatalogueRows()[number - 1];
    SCOPED_TRACE(row.name);
    QElapsedTimer clock;
    clock.start();
    const RunResult run =
        RunConverter(folder_->filePath("in.flv"), row.optionText, folder_->filePath(QString("o") + row.extension));
    const double elapsed = clock.elapsed() / 1000.0;
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    // The window takes the output in chunks of 256 bytes; the duration is in the first one.
    EXPECT_EQ(conversion::ParseDuration(QStringView(run.output).left(256)), 3);
    const qsizetype header = run.output.indexOf(QStringView(conversion::OutputHeaderMarker));
    const QStringList lines = ProgressLines(run.output);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_GT(header, run.output.indexOf("Duration: "));
    EXPECT_LT(header, run.output.indexOf(lines.first()));
    int previous = 0;
    for (const QString& line : lines) {
      const auto seconds = conversion::ParseProgressTime(line);
      ASSERT_TRUE(seconds) << line.toStdString();
      EXPECT_GE(*seconds, previous);
      previous = *seconds;
    }
    EXPECT_EQ(previous, 3) << lines.last().toStdString();
    EXPECT_EQ(conversion::ProgressPercent(previous, 3), 100);
    if (!row.videoCodec) {
      EXPECT_TRUE(lines.last().startsWith("frame=    0 "));
    }
    EXPECT_LE(lines.size(), 2 * elapsed + 2) << "two progress lines a second at most";
  }
}

TEST(StopTest, TerminateFinishesAPlayableFileWithSuccess) {
  QTemporaryDir folder;
  ASSERT_TRUE(MakeFlv(folder.filePath("long.flv"), 40));
  const CatalogueRow& row = CatalogueRows()[16];  // PSP AVC: x264, the slowest encoder here
  const QString output = folder.filePath("long_new.avi");
  QStringList arguments{"-i", folder.filePath("long.flv")};
  arguments << QString(row.optionText).split(' ', Qt::SkipEmptyParts) << output;
  QProcess converter;
  converter.setProcessChannelMode(QProcess::MergedChannels);
  converter.start(ConverterPath(), arguments);
  ASSERT_TRUE(converter.waitForStarted());
  QByteArray seen;
  while (!seen.contains("frame=") && converter.waitForReadyRead(10000)) seen += converter.readAll();
  ASSERT_TRUE(seen.contains("frame=")) << seen.toStdString();
  const qint64 pid = converter.processId();
  converter.terminate();  // SIGTERM
  ASSERT_TRUE(converter.waitForFinished(5000)) << "the converter must stop promptly";
  seen += converter.readAll();
  EXPECT_EQ(converter.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(converter.exitCode(), 0) << seen.toStdString();
  EXPECT_NE(::kill(pid_t(pid), 0), 0) << "no process left behind";
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no temporary files";
  const auto probe = ProbeFile(output);
  ASSERT_TRUE(probe && probe->video && probe->audio);
  EXPECT_GT(probe->video->duration, 0.5);
  EXPECT_LT(probe->video->duration, 39);
  EXPECT_TRUE(DecodesCleanly(output));
}

}  // namespace
}  // namespace convertertest
