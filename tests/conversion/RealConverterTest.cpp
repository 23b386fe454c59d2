// Whole runs of the conversion window with the real converter from the program folder, on small
// videos generated with ffmpeg.
#include <gtest/gtest.h>

#include "RunSupport.h"
#include "tests/support/Media.h"

using namespace testsupport;

namespace {

const QString Done = "Done! Click Open button to open the folder.";

class RealConverterTest : public ::testing::Test {
 protected:
  static inline QTemporaryDir* media = nullptr;

  static void SetUpTestSuite() {
    media = new QTemporaryDir;
    // Seven minutes at 25 fps pass 10,000 frames; a small picture keeps that quick.
    if (!testmedia::MakeFlv(media->filePath("short.flv"), 8) ||
        !testmedia::MakeFlv(media->filePath("long.flv"), 420, true, true, "96x64")) {
      delete media;
      media = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete media;
    media = nullptr;
  }

  QTemporaryDir output;
  std::unique_ptr<WindowUnderTest> w;

  void SetUp() override {
    ASSERT_TRUE(QFile::exists(QB_PROGRAM_DIR "/kodavert.dll")) << "the converter was not built";
    ASSERT_NE(media, nullptr) << "ffmpeg could not generate the test videos";
  }
  void TearDown() override {
    w.reset();
    EXPECT_TRUE(WaitUntil([] { return OwnChildren().isEmpty(); }, 10000)) << "a converter is still running";
  }

  void Open(const QString& video, const QString& format) {
    w = std::make_unique<WindowUnderTest>(QB_PROGRAM_DIR, media->filePath(video));
    w->view.texts["T1_1"] = output.path();
    w->view.listIndex["CBO"] = int(w->view.items["CBO"].indexOf(format));
  }
  void Cut(const char* startSeconds, const char* endSeconds) {
    w->view.checked["CHk1"] = true;
    w->window.CHk1_Click();
    w->view.texts["T2_2"] = startSeconds;
    w->view.texts["T2_5"] = endSeconds;
  }
};

TEST_F(RealConverterTest, ConvertEndsDoneWithRisingPercentagesAndAReadableFile) {
  struct Case {
    const char* video;
    int videoSeconds;
    const char* format;
    const char* cutStart;  // none: no cut
    const char* cutEnd;
    double seconds;        // of the output
  };
  const Case cases[] = {
      {"long.flv", 420, "AVI (MPEG4-DivX-Best Quality)", nullptr, nullptr, 420},
      {"short.flv", 8, "MP3 Sound (MP3)", "02", "05", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    Open(c.video, c.format);
    if (c.cutStart) Cut(c.cutStart, c.cutEnd);
    w->window.B1_Click(1);
    ASSERT_TRUE(w->WaitForIdle(90000));
    EXPECT_EQ(w->view.Text("T1_0"), Done);
    const QList<int> percents = Percentages(w->view.statusTexts);
    ASSERT_FALSE(percents.isEmpty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << w->view.statusTexts.join(" | ").toStdString();
    // The percentage is of the whole input, also with a cut.
    EXPECT_EQ(percents.last(), int(c.seconds * 100 / c.videoSeconds)) << w->view.statusTexts.join(" | ").toStdString();
    const auto probe = testmedia::ProbeFile(w->window.OutputPath);
    ASSERT_TRUE(probe) << w->window.OutputPath.toStdString();
    EXPECT_NEAR(probe->duration, c.seconds, 0.5);
  }
}

TEST_F(RealConverterTest, FailedConversionsSayWhy) {
  const QString notVideo = output.filePath("notes.flv");
  QFile notes(notVideo);
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.write(QByteArray("These are notes, not a video.\n").repeated(100));
  notes.close();
  QTemporaryDir full;
  // Writing to this device always fails with "No space left on device".
  ASSERT_TRUE(QFile::link("/dev/full", full.filePath("short_new.avi")));

  struct Case {
    const char* name;
    QString input;
    QString folder;
  };
  const Case cases[] = {
      {"input not a video", notVideo, output.path()},
      {"folder box names a file", media->filePath("short.flv"), notVideo},
      {"disk full", media->filePath("short.flv"), full.path()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w = std::make_unique<WindowUnderTest>(QB_PROGRAM_DIR, c.input);
    w->view.texts["T1_1"] = c.folder;
    w->window.B1_Click(1);
    ASSERT_TRUE(w->WaitForIdle(30000));
    EXPECT_EQ(w->view.Text("T1_0"), "Conversion failed! See the information box for the converter's message.");
    const QString information = w->view.Text("T1_2");
    const QStringList lines = information.split("\r\n");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith("Error: "); }))
        << information.toStdString();
  }
}

}  // namespace
