// Real downloads (skipped when absent) and a cut-off download are converted; bad command lines and
// unusable files are refused with one error line, a failure status, no crash or hang, nothing written.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "ConverterHarness.h"

namespace convertertest {
namespace {

struct RealFile {
  const char* name;
  bool hasVideo, hasAudio;
  double seconds;           // of the output
  double soundSeconds = 0;  // when the sound has another length
};

const RealFile kFiles[] = {
    {"flv1_mp3_square_gnash.flv", true, true, 2.3},
    {"vp6_mp3_NAPNAP_red5.flv", true, true, 3},
    {"vp6_noaudio_clip1024_moviepy.flv", true, false, 3},
    // 13 pictures at 12 fps from 0.167 s; the header says 1.333 s, which the silence follows.
    {"vp6_noaudio_red5.flv", true, false, 1.17, 1.33},
    {"h264_speex_flashContent_red5.flv", true, true, 3, 2.1},  // a microphone that stopped early
    {"h264_mp3_chaplin_moviepy.mp4", true, true, 3},
    {"aac_only_issue55_pymediainfo.flv", false, true, 1.07},
    {"click_gnash.mp3", false, true, 3},
};

class RealMediaTest : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealMediaTest, FirstThreeSecondsConvertIntoEveryFamily) {
  const RealFile& file = GetParam();
  const QString input = QString(QB_TESTDATA_DIR "/media/") + file.name;
  if (!QFile::exists(input)) GTEST_SKIP() << "test media not present";
  QTemporaryDir folder;
  // DivX AVI, iPod (MP4 under .mpg), MPEG-1, WMV, RealMedia, PSP AVC, 3GP, WAV and MP3.
  for (const int family : {1, 4, 7, 9, 11, 16, 20, 22, 23}) {
    const auto [format, holds] = kFormats[family];
    SCOPED_TRACE(format);
    const QStringList arguments = WindowArguments(input, format, folder.path(), conversion::CutRange{0, 3});
    const RunResult run = RunProgram(ConverterPath(), arguments);
    ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
    const auto probe = ProbeFile(arguments.last());
    ASSERT_TRUE(probe);
    // Only the streams the source has, but a silent video still gives a sound file: silence as
    // long as the picture.
    const QStringList words = QString(holds).split(' ');
    const bool soundOnly = words.size() == 3;
    EXPECT_EQ(probe->video ? probe->video->codec : "", file.hasVideo && !soundOnly ? words[0] : "");
    EXPECT_EQ(probe->audio ? probe->audio->codec : "", file.hasAudio || soundOnly ? words[words.size() - 3] : "");
    const double soundSeconds = file.soundSeconds ? file.soundSeconds : file.seconds;
    EXPECT_NEAR(probe->video ? probe->video->duration : file.seconds, file.seconds, 0.15);
    EXPECT_NEAR(probe->audio ? probe->audio->duration : soundSeconds, soundSeconds, 0.15);
    QFile::remove(arguments.last());
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 0) << "no file left behind";
}

INSTANTIATE_TEST_SUITE_P(SharedMedia, RealMediaTest, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return TestName(info.param.name); });

class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(MakeFlv(Path("good.flv"), 1)); }
  QString Path(const QString& name) const { return folder_.filePath(name); }
  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void Write(const QString& name, const QByteArray& content) const {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  }
  QTemporaryDir folder_;
};

TEST_F(BadInputTest, RefusedWithOneErrorLineAndNothingWritten) {
  const QByteArray good = Read("good.flv");
  Write("empty.flv", {});
  Write("text.flv", "This is a note, not a video.\n");
  Write("header_only.flv", good.left(60));
  Write("kept.avi", "keep me");
  std::vector<std::pair<QString, QString>> cases{
      {"-i DIR/good.flv -y", "no output file"},
      {"-y DIR/out.avi", "no input file"},
      {"-i DIR/good.flv -y -b", "needs a value"},
      {"-i DIR/good.flv -y -b fast DIR/out.avi", "invalid value 'fast' for option -b"},
      {"-i DIR/good.flv -y -fast DIR/out.avi", "unknown option -fast"},
      {"-i DIR/good.flv -y -target pal-vhs DIR/out.avi", "invalid value 'pal-vhs' for option -target"},
      {"-i DIR/good.flv -y DIR/a.avi DIR/out.avi", "more than one output"},
      {"-i DIR/good.flv -y -vcodec divx9 DIR/out.avi", "unknown video codec 'divx9'"},
      {"-i DIR/good.flv -y -acodec mpeg4 DIR/out.avi", "unknown audio codec 'mpeg4'"},
      {"-i DIR/good.flv -y -f nosuch DIR/out.avi", "unknown container format"},
      {"-i DIR/good.flv -y DIR/out.xyz", "cannot tell the container"},
      {"-i DIR/good.flv DIR/kept.avi", "-y"},
      {"-i DIR/good.flv -y DIR/good.flv", "is the input file itself"},
  };
  for (const QString bad : {"-s 320by240", "-r 0", "-ss -3", "-t 0", "-ac 0", "-aspect wide"})
    cases.push_back({"-i DIR/good.flv -y " + bad + " DIR/out.avi", "option " + bad.section(' ', 0, 0)});
  for (const QString input : {"empty.flv", "text.flv", "header_only.flv", "missing.flv"})
    cases.push_back({"-i DIR/" + input + " -y -vcodec mpeg4 DIR/out.avi", input});
  if (QFile::exists(QB_TESTDATA_DIR "/media/broken_h264_mp3_red5.flv"))
    cases.push_back({"-i MEDIA/broken_h264_mp3_red5.flv -y DIR/out.avi", "no video or sound"});
  for (const auto& [command, expectedText] : cases) {
    SCOPED_TRACE(command.toStdString());
    QStringList arguments = command.split(' ');
    for (QString& word : arguments) word.replace("DIR", folder_.path()).replace("MEDIA", QB_TESTDATA_DIR "/media");
    const RunResult run = RunProgram(ConverterPath(), arguments, 20000);
    EXPECT_TRUE(run.started && !run.timedOut && !run.crashed);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.output.count("Error: "), 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(expectedText)) << run.output.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.avi")));
  }
  EXPECT_EQ(Read("kept.avi"), "keep me");
  EXPECT_EQ(Read("good.flv"), good);
}

// A download that stopped half-way still holds good pictures: they are converted, not refused.
TEST_F(BadInputTest, CutOffDownloadConvertsWhatItHolds) {
  Write("half.flv", Read("good.flv").chopped(Read("good.flv").size() / 2));
  const RunResult run =
      RunProgram(ConverterPath(), {"-i", Path("half.flv"), "-y", "-vcodec", "mpeg4", Path("half.avi")});
  ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
  const auto probe = ProbeFile(Path("half.avi"));
  ASSERT_TRUE(probe && probe->video);
  EXPECT_GT(probe->video->duration, 0.2);
}

}  // namespace
}  // namespace convertertest
