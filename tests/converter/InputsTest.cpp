// Real downloads, when the shared test media are present, convert into every family of formats.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "ConverterHarness.h"
#include "conversion/ConverterOutput.h"

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
    {"vp6_noaudio_red5.flv", true, false, 1.17},               // 13 pictures at 12 fps from 0.167 s
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
    // Only the streams the source has; a sound file from a silent video is refused.
    const QStringList words = QString(holds).split(' ');
    const bool soundOnly = words.size() == 3;
    if (soundOnly && !file.hasAudio) {
      EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
      continue;
    }
    ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
    const auto probe = ProbeFile(arguments.last());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->video ? probe->video->codec : "", file.hasVideo && !soundOnly ? words[0] : "");
    EXPECT_EQ(probe->audio ? probe->audio->codec : "", file.hasAudio ? words[words.size() - 3] : "");
    const double soundSeconds = file.soundSeconds ? file.soundSeconds : file.seconds;
    EXPECT_NEAR(probe->video ? probe->video->duration : file.seconds, file.seconds, 0.15);
    EXPECT_NEAR(probe->audio ? probe->audio->duration : soundSeconds, soundSeconds, 0.15);
    QFile::remove(arguments.last());
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 0) << "no file left behind";
}

INSTANTIATE_TEST_SUITE_P(SharedMedia, RealMediaTest, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return TestName(info.param.name); });

// The window finds the duration only behind the converter's echo of the input's path, which must
// therefore come out whole however long the path is.
TEST(LongPathTest, TheDurationIsFoundBehindAPathOfThousandsOfBytes) {
  QTemporaryDir folder;
  QString deep = folder.path();
  for (const QChar letter : QStringLiteral("abcdefgh")) deep += '/' + QString(200, letter);
  ASSERT_TRUE(QDir().mkpath(deep));
  const QString input = deep + "/talk.flv";
  ASSERT_TRUE(MakeFlv(input, 3, false, true));
  const QStringList arguments = WindowArguments(input, "MP3 Sound (MP3)", folder.path());
  const RunResult run = RunProgram(ConverterPath(), arguments);
  ASSERT_TRUE(run.exitCode == 0 && !run.crashed && !run.timedOut) << run.output.toStdString();
  conversion::ConverterOutput reader(input);
  const conversion::OutputFindings findings = reader.Take(run.output);
  EXPECT_EQ(findings.durationSeconds, 3) << run.output.left(300).toStdString();
}

}  // namespace
}  // namespace convertertest
