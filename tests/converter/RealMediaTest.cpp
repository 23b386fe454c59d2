// The real downloads in the shared test data, through a choice of formats that covers every
// container and encoder family; skipped when the test data is not there.
#include "ConverterHarness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace convertertest {
namespace {

struct RealFile {
  const char* name;
  bool hasVideo;
  bool hasAudio;
  double seconds;  // length of what the test converts (the first three seconds at most)
  double soundSeconds = 0;  // when the sound has another length (0: the same)
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

// DivX AVI, iPod (MP4 under .mpg), MPEG-1, WMV, RealMedia, PSP AVC, 3GP, WAV and MP3.
const int kRows[] = {2, 5, 8, 10, 12, 17, 21, 23, 24};

class RealMediaTest : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealMediaTest, ConvertsIntoEveryFamily) {
  const RealFile& file = GetParam();
  const QString input = QString(QB_TESTDATA_DIR "/media/") + file.name;
  if (!QFile::exists(input)) GTEST_SKIP() << "test media not present";
  QTemporaryDir folder;
  for (const int number : kRows) {
    const CatalogueRow& row = CatalogueRows()[number - 1];
    SCOPED_TRACE(row.name);
    const QString output = folder.filePath(QString("clip_new") + row.extension);
    const QString options = QString(row.optionText).replace("-y  ", "-y  -ss 0 -t 3 ");
    const RunResult run = RunConverter(input, options, output);
    ASSERT_FALSE(run.crashed || run.timedOut);
    const bool soundOnly = row.videoCodec == nullptr;
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const auto probe = ProbeFile(output);
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->video.has_value(), file.hasVideo && !soundOnly);
    if (probe->video) {
      EXPECT_EQ(probe->video->codec, row.videoCodec);
      EXPECT_NEAR(probe->video->duration, file.seconds, 0.15);
    }
    // A silent video still gives a sound file: silence as long as the picture.
    ASSERT_EQ(probe->audio.has_value(), file.hasAudio || soundOnly);
    if (probe->audio) {
      EXPECT_EQ(probe->audio->codec, row.audioCodec);
      EXPECT_NEAR(probe->audio->duration, file.soundSeconds ? file.soundSeconds : file.seconds, 0.15);
    }
    QFile::remove(output);
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 0) << "no file left behind";
}

INSTANTIATE_TEST_SUITE_P(SharedMedia, RealMediaTest, ::testing::ValuesIn(kFiles),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace convertertest
