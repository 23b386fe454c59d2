// Whole runs of the conversion window with the real converter from the program folder: the status
// line, the bar and the time left follow it, also on a WebM that does not say its length (the
// converter finds it, so the window still shows the share done).
// (A cut through the window is the whole road's; each format, whole and cut, and a stop by a signal,
// the converter's own tests'; how the window takes a failure, the stand-in converter's.)
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include "RunSupport.h"
#include "tests/support/Media.h"

using namespace testsupport;

namespace {

TEST(RealConverter, ConvertEndsDoneWithRisingPercentagesOfTheWholeInputAndAReadableFile) {
  QTemporaryDir media, output;
  ASSERT_TRUE(testmedia::MakeFlv(media.filePath("short.flv"), 8));
  struct Case {
    QString video;
    const char* format;
    double seconds;  // of the output
    const char* outputName;
  };
  const Case cases[] = {
      {media.filePath("short.flv"), "AVI (MPEG4-DivX-Best Quality)", 8, "short_new.avi"},
      // Saved as recorded, without its length in the header: 4.93 s.
      {QB_TESTDATA_DIR "/media/vp9_opus_no_duration_moviepy.webm", "MP3 Sound (MP3)", 4.93,
       "vp9_opus_no_duration_moviepy_new.mp3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outputName);
    if (!QFile::exists(c.video)) GTEST_SKIP() << "test media not present";
    WindowUnderTest w(QB_PROGRAM_DIR, c.video);
    w.view.texts[FolderBox] = output.path();
    w.view.listIndex[FormatList] = int(w.view.items[FormatList].indexOf(c.format));
    w.window.B1_Click(Convert);
    ASSERT_TRUE(w.WaitForIdle(90000));
    EXPECT_EQ(w.view.Text(StatusLine), Done);
    const QList<int> percents = Percentages(w.view.statusTexts);
    const std::string shown = w.view.statusTexts.join(" | ").toStdString();
    ASSERT_FALSE(percents.isEmpty()) << shown;
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << shown;
    EXPECT_EQ(percents.last(), 100) << shown;
    // The bar follows the same percentages from 0; the time left shows once 5% is done, then goes.
    QStringList bar{"", "0"};
    for (int percent : percents) bar << QString::number(percent);
    EXPECT_EQ(w.view.barTexts, bar);
    EXPECT_FALSE(w.view.timeLeftTexts.filter("About ").isEmpty()) << shown;
    EXPECT_EQ(w.view.Text(TimeLeftLabel), "");
    EXPECT_EQ(w.window.OutputPath(), QDir(output.path()).filePath(c.outputName));
    const auto probe = testmedia::ProbeFile(w.window.OutputPath());
    ASSERT_TRUE(probe) << w.window.OutputPath().toStdString();
    EXPECT_NEAR(probe->duration, c.seconds, 0.5);
  }
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "a converter is still running";
}

}  // namespace
