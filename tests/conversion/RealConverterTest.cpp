// Whole runs of the conversion window with the real converter from the program folder, on videos
// generated with ffmpeg: one of the size users convert, a cut from a short one, today's WebM whole and
// cut, a WebM that does not say its length, and one that someone else stops.
#include <gtest/gtest.h>
#include <signal.h>
#include <QDir>

#include <algorithm>

#include "RunSupport.h"
#include "tests/support/Media.h"

using namespace testsupport;

namespace {

TEST(RealConverter, ConvertEndsDoneWithRisingPercentagesOfTheWholeInputAndAReadableFile) {
  QTemporaryDir media, output;
  // Seven minutes at 25 fps pass 10,000 frames; a small picture keeps that quick.
  ASSERT_TRUE(testmedia::MakeFlv(media.filePath("long.flv"), 420, true, true, "96x64"));
  ASSERT_TRUE(testmedia::MakeFlv(media.filePath("short.flv"), 8));
  ASSERT_TRUE(testmedia::MakeDownload(media.filePath("clip.webm"), 8));
  struct Case {
    const char* video;
    int videoSeconds;  // whole seconds, as the window reads the length
    const char* format;
    const char* cutStart;  // seconds; none: no cut
    const char* cutEnd;
    double seconds;  // of the output; none: stopped part-way
    const char* outputName;
    QString status = Done;
  };
  const Case cases[] = {
      {"long.flv", 420, "AVI (MPEG4-DivX-Best Quality)", nullptr, nullptr, 420, "long_new.avi"},
      {"short.flv", 8, "MP3 Sound (MP3)", "02", "05", 3, "short_new.mp3"},
      {"clip.webm", 8, "iPOD Video (320x240) MPEG4", nullptr, nullptr, 8, "clip_new.mpg"},
      {"clip.webm", 8, "WMV(WindowsMedia-Compatible)", "03", "07", 4, "clip_new.wmv"},
      // Saved as recorded, without its length in the header: 4.93 s.
      {QB_TESTDATA_DIR "/media/vp9_opus_no_duration_moviepy.webm", 4, "MP3 Sound (MP3)", nullptr, nullptr, 4.93,
       "vp9_opus_no_duration_moviepy_new.mp3"},
      // Stopped by someone else: the part converted plays, but the run is no success.
      {"long.flv", 420, "Sony PSP (PSP AVC)", nullptr, nullptr, 0, "long_new.avi", Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outputName);
    WindowUnderTest w(QB_PROGRAM_DIR, QDir(media.path()).filePath(c.video));
    w.view.texts[FolderBox] = output.path();
    w.view.listIndex[FormatList] = int(w.view.items[FormatList].indexOf(c.format));
    if (c.cutStart) w.Cut(c.cutStart, c.cutEnd);
    w.window.B1_Click(Convert);
    if (!c.seconds) {
      ASSERT_TRUE(WaitUntil([&] { return w.view.Text(StatusLine).startsWith(Converting); }));
      ASSERT_EQ(OwnChildren().size(), 1);
      kill(OwnChildren().first(), SIGTERM);
    }
    ASSERT_TRUE(w.WaitForIdle(90000));
    EXPECT_EQ(w.view.Text(StatusLine), c.status);
    const QList<int> percents = Percentages(w.view.statusTexts);
    const std::string shown = w.view.statusTexts.join(" | ").toStdString();
    ASSERT_FALSE(percents.isEmpty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << shown;
    EXPECT_EQ(w.window.OutputPath(), QDir(output.path()).filePath(c.outputName));
    const auto probe = testmedia::ProbeFile(w.window.OutputPath());
    ASSERT_TRUE(probe) << w.window.OutputPath().toStdString();
    if (!c.seconds) {
      EXPECT_GT(probe->duration, 0);
      EXPECT_LT(probe->duration, c.videoSeconds - 10);
      continue;
    }
    EXPECT_EQ(percents.last(), std::min(100, int(c.seconds * 100 / c.videoSeconds))) << shown;
    EXPECT_NEAR(probe->duration, c.seconds, 0.5);
  }
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "a converter is still running";
}

}  // namespace
