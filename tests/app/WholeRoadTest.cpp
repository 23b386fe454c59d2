// The typical road through the real program: paste a watch-page address, retrieve it from a local
// server (through the proxy setting, so the address keeps the video site's host), hand the download
// link to the browser, select a downloaded video, and convert it with the real converter into one
// audio and one video format with a cut range; the files are where the user expects them and
// ffprobe reads them.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/Application.h"
#include "platform/End.h"
#include "platform/ShellExecute.h"
#include "platform/widgets/CommonDialog.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/SHBrowseForFolder.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/Media.h"
#include "tests/support/Modal.h"
#include "tests/support/Processes.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace {

const QByteArray kPage =
    "<html><head><title>YouTube - Cats &amp; Dogs</title></head><body>\n"
    "<a class=\"hLink fn n contributor\">catlover</a>\n"
    "<span class=\"watch-video-added post-date\">March 3, 2008</span>\n"
    "<span class=\"watch-view-count\">1,234</span>\n"
    "<a onclick=\"_hbLink('VideoWatch/VideoCategoryLink');\">Pets &amp; Animals</a>\n"
    "<div  class=\"watch-video-desc\">\n  <span class=\"description-text\">Two cats meet a dog.</span></div>\n"
    "<script>var swfArgs = {'q': 'x'}; var u = '/watch_fullscreen?fs=1&video_id=abc123&l=60&t=OEgsToPDskK&title=Cats';"
    "</script></body></html>\n";

const QString kDone = "Done! Click Open button to open the folder.";

class WholeRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(downloads.isValid() && output.isValid());
    saved = App();
    App().Path = QB_PROGRAM_DIR;  // where the build put the program and the real converter
    server.Script("/watch?v=abc123", {200, {{"Content-Type", "text/html; charset=utf-8"}}, kPage});
    platform::testing::SetMessageBoxDouble([this](const platform::testing::ShownMessage& m) { messages << m.text; });
    platform::testing::SetShellExecuteDouble([this](const QString& a) { opened << a; });
    platform::testing::SetShowOpenDouble([this](const platform::CommonDialog& d) {
      dialogTitle = d.DialogTitle;
      return platform::testing::DialogAnswer{{0, {}}, downloads.filePath("clip.flv")};
    });
    platform::testing::SetSHBrowseForFolderDouble([this](const QString&) { return output.path(); });
    platform::testing::SetEndDouble([this] { ++ended; });
  }
  void TearDown() override {
    App() = saved;
    platform::testing::SetMessageBoxDouble({});
    platform::testing::SetShellExecuteDouble({});
    platform::testing::SetShowOpenDouble({});
    platform::testing::SetSHBrowseForFolderDouble({});
    platform::testing::SetEndDouble({});
  }

  Application saved;
  LocalHttpServer server;
  ScopedProxyEnvironment proxy{server.Address()};
  QTemporaryDir downloads, output;
  QStringList messages, opened;
  QString dialogTitle;
  int ended = 0;
};

// Types into a cut box as a user does: select what is there, then the digits.
void TypeTime(frmConvert& convert, int box, const char* digits) {
  QWidget* w = convert.View().Control(QStringLiteral("T2_%1").arg(box));
  w->setFocus();
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(w, digits);
}

void ConvertTo(frmConvert& convert, const QString& format, QStringList& percents) {
  auto* list = convert.View().ControlAs<QComboBox>("CBO");
  list->setCurrentIndex(list->findText(format));
  QTest::mouseClick(convert.View().Control("B1_1"), Qt::LeftButton);
  EXPECT_TRUE(testsupport::WaitUntil([&] {
    const QString status = convert.View().Text("T1_0");
    if (status.startsWith("Converting video... ") && (percents.isEmpty() || percents.last() != status))
      percents << status;
    return status == kDone && convert.View().IsEnabled("B1_1");
  }, 60000)) << qPrintable(format) << ": " << qPrintable(convert.View().Text("T1_0"));
}

TEST_F(WholeRoad, FromAWatchPageToConvertedFilesWithACutRange) {
  ASSERT_TRUE(testmedia::MakeFlv(downloads.filePath("clip.flv"), 6));
  frmMain main;
  main.Form_Load();
  main.show();
  ui::CatalogueView& view = main.View();

  // Step 1: retrieve and download.
  QTest::keyClicks(view.Control("T4"), "http://www.youtube.com/watch?v=abc123");
  QTest::mouseClick(view.Control("B1"), Qt::LeftButton);
  EXPECT_EQ(view.Text("T3"),
            "Title: Cats &amp; Dogs\r\n\r\nUser: catlover\r\n\r\nDate: March 3, 2008\r\n\r\nViews: 1,234\r\n\r\n"
            "Category: Pets && Animals\r\n\r\nDescription: Two cats meet a dog.\r\n\r\n");
  EXPECT_EQ(view.Text("T2"), "YouTube data loaded. Click Download button to save the video.");
  ASSERT_TRUE(view.IsEnabled("B2_0"));
  QTest::mouseClick(view.Control("B2_0"), Qt::LeftButton);
  EXPECT_EQ(opened, QStringList{"http://www.youtube.com/get_video.php?video_id=abc123&l=60&t=OEgsToPDskK"});

  // Step 2: select the downloaded video and convert it twice, cut to 00:00:01 - 00:00:04.
  QTest::mouseClick(view.Control("B3"), Qt::LeftButton);
  EXPECT_EQ(dialogTitle, "Select A YouTube Video File");
  EXPECT_EQ(view.Text("T5"), downloads.filePath("clip.flv"));
  QStringList audioPercents, videoPercents;
  OnNextModal([&](QWidget* modal) {
    auto* convert = qobject_cast<frmConvert*>(modal);
    ASSERT_NE(convert, nullptr);
    QTest::mouseClick(convert->View().Control("B1_2"), Qt::LeftButton);  // Browse
    EXPECT_EQ(convert->View().Text("T1_1"), output.path());
    QTest::mouseClick(convert->View().Control("CHk1"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(convert->View().IsChecked("CHk1"));
    TypeTime(*convert, 2, "01");
    TypeTime(*convert, 5, "04");
    ConvertTo(*convert, "MP3 Sound (MP3)", audioPercents);
    ConvertTo(*convert, "AVI (MPEG4-DivX-Best Quality)", videoPercents);
    QTest::mouseClick(convert->View().Control("B1_5"), Qt::LeftButton);  // Exit
  });
  QTest::mouseClick(view.Control("B2_2"), Qt::LeftButton);
  EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join(" | "));

  const auto mp3 = testmedia::ProbeFile(output.filePath("clip_new.mp3"));
  ASSERT_TRUE(mp3 && mp3->audio);
  EXPECT_FALSE(mp3->video);
  EXPECT_EQ(mp3->audio->codec, "mp3");
  EXPECT_NEAR(mp3->duration, 3.0, 0.1);
  const auto avi = testmedia::ProbeFile(output.filePath("clip_new.avi"));
  ASSERT_TRUE(avi && avi->video && avi->audio);
  EXPECT_EQ(avi->video->codec, "mpeg4");
  EXPECT_EQ(avi->audio->codec, "mp3");
  EXPECT_NEAR(avi->duration, 3.0, 0.1);
  EXPECT_FALSE(videoPercents.isEmpty());
  EXPECT_FALSE(audioPercents.isEmpty());
  EXPECT_TRUE(view.IsEnabled("B3") && view.IsEnabled("B2_2"));
}

TEST_F(WholeRoad, ExitDuringARetrievalEndsTheProgram) {
  server.Script("/watch?v=slow", {200, {}, kPage, std::chrono::milliseconds(400)});
  frmMain main;
  main.Form_Load();
  main.show();
  main.View().SetText("T4", "http://www.youtube.com/watch?v=slow");
  // A close request arrives while the page is still on its way.
  QTimer::singleShot(100, &main, [&] { main.B2_Click(3); });
  main.B1_Click();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(main.View().IsEnabled("B1"));
}

}  // namespace
