// The typical road through the real program: a watch page from a local server (through the proxy
// setting, so the address keeps the video site's host), the download link to the browser, and the
// downloaded video converted by the real converter with a cut range into files that ffprobe reads.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/Application.h"
#include "platform/End.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/SHBrowseForFolder.h"
#include "platform/widgets/ShellExecute.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/Media.h"
#include "tests/support/Modal.h"
#include "tests/support/ScopedDouble.h"
#include "tests/support/WatchPage.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace M = view::frmMain;
namespace C = view::frmConvert;

namespace {

const QString kDone = QString::fromUtf16(conversion::DoneStatus);

class WholeRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(downloads.isValid() && output.isValid());
    App().Path = QB_PROGRAM_DIR;  // where the build put the program and the real converter
    server.Script("/watch?v=AB12", {200, {{"Content-Type", "text/html; charset=utf-8"}}, WatchPage});
    doubles.Set(platform::testing::SetMessageBoxDouble, [this](const auto& m) { messages << m.text; });
    doubles.Set(platform::testing::SetShellExecuteDouble, [this](const QString& a) { opened << a; });
    doubles.Set(platform::testing::SetShowOpenDouble, [this](const platform::CommonDialog&) {
      return platform::testing::DialogAnswer{{0, {}}, downloads.filePath("clip.flv")};
    });
    doubles.Set(platform::testing::SetSHBrowseForFolderDouble, [this](const QString&) { return output.path(); });
    doubles.Set(platform::testing::SetEndDouble, [this] { ++ended; });
    main.Form_Load();
    main.show();
  }

  ScopedRestore<Application> savedApplication{App()};
  LocalHttpServer server;
  ScopedProxyEnvironment proxy{server.Address()};
  QTemporaryDir downloads, output;
  frmMain main;
  ui::CatalogueView& view = main.View();
  QStringList messages, opened;
  int ended = 0;
  ScopedDoubles doubles;  // the first to go: the doubles refer to what stands above
};

// Chooses a format, converts, and waits for the end; the status line shows the progress meanwhile.
void ConvertTo(ui::CatalogueView& convert, const QString& format) {
  auto* list = convert.ControlAs<QComboBox>(C::FormatList);
  list->setCurrentIndex(list->findText(format));
  QTest::mouseClick(convert.Control(C::ConvertButton), Qt::LeftButton);
  bool progressed = false;
  const auto done = [&] {
    progressed =
        progressed ||
        convert.Text(C::StatusLine).startsWith(QString::fromUtf16(conversion::ProgressStatus).section(u'%', 0, 0));
    return convert.Text(C::StatusLine) == kDone && convert.IsEnabled(C::ConvertButton);
  };
  EXPECT_TRUE(QTest::qWaitFor(done, 60000)) << qPrintable(format) << ": " << qPrintable(convert.Text(C::StatusLine));
  EXPECT_TRUE(progressed) << qPrintable(format);
}

TEST_F(WholeRoad, FromAWatchPageToConvertedFilesWithACutRange) {
  ASSERT_TRUE(testmedia::MakeFlv(downloads.filePath("clip.flv"), 6));
  // Step 1: retrieve and download.
  QTest::keyClicks(view.Control(M::AddressBox), WatchPageAddress);
  QTest::mouseClick(view.Control(M::RetrieveButton), Qt::LeftButton);
  // The typed address reached the server through the proxy, host and all.
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].target, WatchPageAddress.toUtf8());
  EXPECT_EQ(view.Text(M::InformationBox), WatchPageText);
  EXPECT_EQ(view.Text(M::StatusLine), "YouTube data loaded. Click Download button to save the video.");
  QTest::mouseClick(view.Control(M::DownloadButton), Qt::LeftButton);
  EXPECT_EQ(opened, QStringList{WatchPageLink});

  // Step 2: select the downloaded video and convert it twice, cut to 00:00:01 - 00:00:04.
  QTest::mouseClick(view.Control(M::SelectButton), Qt::LeftButton);
  EXPECT_EQ(view.Text(M::FileBox), downloads.filePath("clip.flv"));
  OnNextModal([&](QWidget* modal) {
    auto* convert = qobject_cast<frmConvert*>(modal);
    ASSERT_NE(convert, nullptr);
    ui::CatalogueView& v = convert->View();
    QTest::mouseClick(v.Control(C::BrowseButton), Qt::LeftButton);  // Browse
    EXPECT_EQ(v.Text(C::FolderBox), output.path());
    QTest::mouseClick(v.Control(C::CutCheckBox), Qt::LeftButton, {}, QPoint(5, 5));
    for (const auto& [box, digits] : {std::pair{C::StartSecondsBox, "01"}, std::pair{C::EndSecondsBox, "04"}}) {
      v.Control(box)->setFocus();  // as a user types: select what is there, then the digits
      QTest::keyClick(v.Control(box), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(v.Control(box), digits);
    }
    ConvertTo(v, "MP3 Sound (MP3)");
    ConvertTo(v, "AVI (MPEG4-DivX-Best Quality)");
    QTest::mouseClick(v.Control(C::ExitButton), Qt::LeftButton);  // Exit
  });
  QTest::mouseClick(view.Control(M::ConvertButton), Qt::LeftButton);
  EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join(" | "));

  const std::pair<const char*, const char*> filesAndPictures[] = {{"clip_new.mp3", ""}, {"clip_new.avi", "mpeg4"}};
  for (const auto& [file, picture] : filesAndPictures) {
    const auto probe = testmedia::ProbeFile(output.filePath(file));
    ASSERT_TRUE(probe && probe->audio) << file;
    EXPECT_EQ(probe->audio->codec, "mp3") << file;
    EXPECT_EQ(probe->video ? probe->video->codec : QString(), picture) << file;
    EXPECT_NEAR(probe->duration, 3.0, 0.1) << file;
  }
}

}  // namespace
