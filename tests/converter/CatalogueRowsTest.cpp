// Every entry of the conversion window's format list, with the window's exact option text, on a
// generated Flash video: the file must hold what the entry asks for and last as long as its source.
#include "ConverterHarness.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace convertertest {
namespace {

constexpr double kSourceRate = 25;
constexpr int kSourceWidth = 320, kSourceHeight = 240, kSourceSampleRate = 22050;
// Compressed sound ends on a whole codec frame and carries the encoder's start-up delay.
constexpr double kSoundSlack = 0.1;

class CatalogueRowTest : public ::testing::TestWithParam<CatalogueRow> {
 protected:
  static void SetUpTestSuite() {
    folder_ = new QTemporaryDir;
    source_ = folder_->filePath("talk.flv");
    ASSERT_TRUE(MakeFlv(source_, 3));
    const auto probe = ProbeFile(source_);
    ASSERT_TRUE(probe);
    sourceDuration_ = probe->duration;
  }
  static void TearDownTestSuite() { delete folder_; }

  // Converts with the row's options (plus `cut`) and checks the result against the row.
  void ConvertAndCheck(const QString& cut, double expectedDuration) {
    const CatalogueRow& row = GetParam();
    const QString output = folder_->filePath(QString("talk_new%1%2").arg(cut.isEmpty() ? "" : "_cut").arg(row.extension));
    const QString options = QString(row.optionText).replace("-y  ", "-y  " + cut);
    const RunResult run = RunConverter(source_, options, output);
    ASSERT_TRUE(run.started && !run.timedOut && !run.crashed) << run.output.toStdString();
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_FALSE(run.output.contains("Error")) << run.output.toStdString();
    ASSERT_TRUE(QFileInfo(output).size() > 0);
    const auto probe = ProbeFile(output);
    ASSERT_TRUE(probe) << "ffprobe cannot read " << output.toStdString();
    EXPECT_TRUE(DecodesCleanly(output));
    if (row.videoCodec) {
      ASSERT_TRUE(probe->video);
      EXPECT_EQ(probe->video->codec, row.videoCodec);
      EXPECT_EQ(probe->video->width, row.width ? row.width : kSourceWidth);
      EXPECT_EQ(probe->video->height, row.height ? row.height : kSourceHeight);
      const double rate = row.frameRate ? row.frameRate : kSourceRate;
      EXPECT_NEAR(probe->video->frameRate, rate, 0.01);
      EXPECT_NEAR(probe->video->duration, expectedDuration, 1 / rate + 0.001);
    } else {
      EXPECT_FALSE(probe->video);
    }
    ASSERT_TRUE(probe->audio);
    EXPECT_EQ(probe->audio->codec, row.audioCodec);
    EXPECT_EQ(probe->audio->sampleRate, row.sampleRate ? row.sampleRate : kSourceSampleRate);
    EXPECT_EQ(probe->audio->channels, row.channels);
    EXPECT_NEAR(probe->audio->duration, expectedDuration, kSoundSlack);
  }

  static inline QTemporaryDir* folder_ = nullptr;
  static inline QString source_;
  static inline double sourceDuration_ = 0;
};

TEST_P(CatalogueRowTest, WholeVideoKeepsFormatAndLength) { ConvertAndCheck("", sourceDuration_); }

TEST_P(CatalogueRowTest, CutGivesTheAskedLength) { ConvertAndCheck("-ss 1 -t 2 ", 2.0); }

INSTANTIATE_TEST_SUITE_P(AllFormats, CatalogueRowTest, ::testing::ValuesIn(CatalogueRows()),
                         [](const auto& info) { return "Row" + std::to_string(info.index + 1); });

}  // namespace
}  // namespace convertertest
