// A whole run of the conversion window with the real converter from the program folder, on a WebM
// that does not say its length: the converter finds it, so the window still shows the share done.
// (A cut through the window is the whole road's; each format, whole and cut, and a stop by a signal,
// the converter's own tests'; how the window takes a failure, the stand-in converter's.)
#include <gtest/gtest.h>
#include <QDir>

#include <algorithm>

#include "RunSupport.h"
#include "tests/support/Media.h"

using namespace testsupport;

namespace {

TEST(RealConverter, ConvertEndsDoneWithRisingPercentagesOfTheWholeInputAndAReadableFile) {
  const QString video = QB_TESTDATA_DIR "/media/vp9_opus_no_duration_moviepy.webm";  // 4.93 s
  if (!QFile::exists(video)) GTEST_SKIP() << "test media not present";
  QTemporaryDir output;
  WindowUnderTest w(QB_PROGRAM_DIR, video);
  w.view.texts[FolderBox] = output.path();
  w.view.listIndex[FormatList] = int(w.view.items[FormatList].indexOf("MP3 Sound (MP3)"));
  w.window.B1_Click(Convert);
  ASSERT_TRUE(w.WaitForIdle(90000));
  EXPECT_EQ(w.view.Text(StatusLine), Done);
  const QList<int> percents = Percentages(w.view.statusTexts);
  const std::string shown = w.view.statusTexts.join(" | ").toStdString();
  ASSERT_FALSE(percents.isEmpty()) << shown;
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << shown;
  EXPECT_EQ(percents.last(), 100) << shown;
  EXPECT_EQ(w.window.OutputPath(), QDir(output.path()).filePath("vp9_opus_no_duration_moviepy_new.mp3"));
  const auto probe = testmedia::ProbeFile(w.window.OutputPath());
  ASSERT_TRUE(probe) << w.window.OutputPath().toStdString();
  EXPECT_NEAR(probe->duration, 4.93, 0.5);
  EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "a converter is still running";
}

}  // namespace
