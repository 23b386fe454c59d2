// Bad command lines and unusable inputs: one clear error line, a failure status, no crash, no
// hang, and no output file left behind.
#include "ConverterHarness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace convertertest {
namespace {

class BadInputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new QTemporaryDir;
    ASSERT_TRUE(MakeFlv(Path("good.flv"), 1));
  }
  static void TearDownTestSuite() { delete folder_; }
  static QString Path(const QString& name) { return folder_->filePath(name); }

  static void WriteFile(const QString& name, const QByteArray& content) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  // Runs with `arguments` (placeholders {in} and {out} become paths) and expects a refusal.
  static void ExpectRefused(const QStringList& arguments, const QString& expectedText) {
    QStringList resolved;
    for (QString argument : arguments)
      resolved << argument.replace("{dir}", folder_->path());
    QFile::remove(Path("out.avi"));
    const RunResult run = RunProgram(ConverterPath(), resolved, 20000);
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_FALSE(run.crashed);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.output.count("Error: "), 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(expectedText)) << run.output.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.avi")));
  }

  static inline QTemporaryDir* folder_ = nullptr;
};

TEST_F(BadInputTest, BadCommandLinesAreRefusedBeforeAnythingIsWritten) {
  struct Case {
    QStringList arguments;
    QString expectedText;
  };
  const std::vector<Case> cases{
      {{"-i", "{dir}/good.flv", "-y"}, "no output file"},
      {{"-y", "{dir}/out.avi"}, "no input file"},
      {{"-i", "{dir}/good.flv", "-y", "-b"}, "needs a value"},
      {{"-i", "{dir}/good.flv", "-y", "-b", "fast", "{dir}/out.avi"}, "invalid value 'fast' for option -b"},
      {{"-i", "{dir}/good.flv", "-y", "-s", "320by240", "{dir}/out.avi"}, "option -s"},
      {{"-i", "{dir}/good.flv", "-y", "-r", "0", "{dir}/out.avi"}, "option -r"},
      {{"-i", "{dir}/good.flv", "-y", "-ss", "-3", "{dir}/out.avi"}, "option -ss"},
      {{"-i", "{dir}/good.flv", "-y", "-t", "0", "{dir}/out.avi"}, "option -t"},
      {{"-i", "{dir}/good.flv", "-y", "-ac", "0", "{dir}/out.avi"}, "option -ac"},
      {{"-i", "{dir}/good.flv", "-y", "-aspect", "wide", "{dir}/out.avi"}, "option -aspect"},
      {{"-i", "{dir}/good.flv", "-y", "-fast", "{dir}/out.avi"}, "unknown option -fast"},
      {{"-i", "{dir}/good.flv", "-y", "-target", "pal-dvd", "{dir}/out.avi"}, "-target"},
      {{"-i", "{dir}/good.flv", "-y", "{dir}/a.avi", "{dir}/out.avi"}, "more than one output"},
      {{"-i", "{dir}/good.flv", "-y", "-vcodec", "divx9", "{dir}/out.avi"}, "unknown video codec 'divx9'"},
      {{"-i", "{dir}/good.flv", "-y", "-acodec", "mpeg4", "{dir}/out.avi"}, "unknown audio codec 'mpeg4'"},
      {{"-i", "{dir}/good.flv", "-y", "-f", "nosuch", "{dir}/out.avi"}, "unknown container format"},
      {{"-i", "{dir}/good.flv", "-y", "{dir}/out.xyz"}, "cannot tell the container"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    ExpectRefused(c.arguments, c.expectedText);
  }
}

TEST_F(BadInputTest, UnusableInputsFailCleanly) {
  QByteArray flv;
  QFile good(Path("good.flv"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  flv = good.readAll();
  WriteFile("empty.flv", {});
  WriteFile("text.flv", "This is a note, not a video.\n");
  WriteFile("header_only.flv", flv.left(60));
  for (const QString name : {"empty.flv", "text.flv", "header_only.flv", "missing.flv"}) {
    SCOPED_TRACE(name.toStdString());
    ExpectRefused({"-i", "{dir}/" + name, "-y", "-vcodec", "mpeg4", "{dir}/out.avi"}, name);
  }
}

TEST_F(BadInputTest, BrokenRealFlvFailsCleanly) {
  const QString broken = QB_TESTDATA_DIR "/media/broken_h264_mp3_red5.flv";
  if (!QFile::exists(broken)) GTEST_SKIP() << "test media not present";
  ExpectRefused({"-i", broken, "-y", "-vcodec", "mpeg4", "{dir}/out.avi"}, "no video or sound");
}

TEST_F(BadInputTest, ExistingOutputNeedsOverwritePermission) {
  WriteFile("kept.avi", "keep me");
  const RunResult run = RunProgram(ConverterPath(), {"-i", Path("good.flv"), Path("kept.avi")});
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.output.contains("-y")) << run.output.toStdString();
  QFile kept(Path("kept.avi"));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
}

TEST_F(BadInputTest, OutputNeverReplacesItsInput) {
  const RunResult run = RunProgram(ConverterPath(), {"-i", Path("good.flv"), "-y", Path("good.flv")});
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.output.contains("is the input file itself")) << run.output.toStdString();
  EXPECT_GT(QFile(Path("good.flv")).size(), 1000);
}

// A download that stopped half-way still holds good pictures: they are converted, not refused.
TEST_F(BadInputTest, TruncatedDownloadConvertsWhatItHolds) {
  QFile good(Path("good.flv"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  WriteFile("half.flv", good.readAll().left(int(good.size() / 2)));
  const RunResult run = RunProgram(ConverterPath(), {"-i", Path("half.flv"), "-y", "-vcodec", "mpeg4", Path("half.avi")});
  EXPECT_FALSE(run.crashed || run.timedOut);
  EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
  const auto probe = ProbeFile(Path("half.avi"));
  ASSERT_TRUE(probe && probe->video);
  EXPECT_GT(probe->video->duration, 0.2);
}

}  // namespace
}  // namespace convertertest
