// Start-up of the main window, its caption and frame, and the two ways it ends the program.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QuillbrookConfig.h>

#include "app/Application.h"
#include "platform/End.h"
#include "platform/ShellExecute.h"
#include "platform/widgets/SetLayeredWindowAttributes.h"
#include "ui/frmMain.h"

namespace {

// Records what the platform was asked to do instead of doing it.
class Recorded : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = App();
    platform::testing::SetLayeredWindowAttributesDouble(
        [this](QWidget* w, int alpha) { translucent.push_back({w->objectName(), alpha}); });
    platform::testing::SetShellExecuteDouble([this](const QString& a) { opened << a; });
    platform::testing::SetEndDouble([this] { ++ended; });
  }
  void TearDown() override {
    App() = saved_;
    platform::testing::SetLayeredWindowAttributesDouble({});
    platform::testing::SetShellExecuteDouble({});
    platform::testing::SetEndDouble({});
  }

  std::vector<std::pair<QString, int>> translucent;
  QStringList opened;
  int ended = 0;

 private:
  Application saved_;
};

using Startup = Recorded;

TEST_F(Startup, FormLoadMakesTheWindowTranslucentPreparesTheDialogAndSetsTheCaption) {
  App().Path = "/opt/quillbrook";
  frmMain window;
  window.Form_Load();
  EXPECT_EQ(window.windowTitle(), "Quillbrook v1.3");
  ASSERT_EQ(translucent.size(), 1u);
  EXPECT_EQ(translucent[0], std::make_pair(QString("frmMain"), 230));
  const platform::CommonDialog& dialog = window.OpenDialog();
  EXPECT_EQ(dialog.DialogTitle, "Select A YouTube Video File");
  EXPECT_EQ(dialog.InitDir, "/opt/quillbrook");
  EXPECT_EQ(dialog.Filter, "Flash Video Files (*.flv)|*.flv");
  EXPECT_EQ(dialog.NameFilters(), QStringList{"Flash Video Files (*.flv)"});
  EXPECT_EQ(dialog.FilterIndex, 1);
  EXPECT_EQ(dialog.Flags, 2625540);
  EXPECT_TRUE(dialog.CancelError);
  EXPECT_EQ(ended, 0);
}

TEST_F(Startup, CaptionWritesTheVersionNumbersPlainAndLeavesAmpersandsAlone) {
  struct Case {
    QString product;
    int major, minor;
    QString caption;
  };
  for (const Case& c : {Case{"Quillbrook", 1, 3, "Quillbrook v1.3"}, Case{"Quillbrook", 1, 12, "Quillbrook v1.12"},
                        Case{"Quill & Brook", 2, 0, "Quill & Brook v2.0"}}) {
    App().ProductName = c.product;
    App().Major = c.major;
    App().Minor = c.minor;
    frmMain window;
    window.Form_Load();
    EXPECT_EQ(window.windowTitle(), c.caption);
  }
}

TEST_F(Startup, ASecondInstanceEndsDuringLoadWithoutShowingAnything) {
  App().PrevInstance = true;
  frmMain window;
  window.Form_Load();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(translucent.empty());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(Startup, InitialStateOfTheMainWindow) {
  frmMain window;
  window.Form_Load();
  window.show();
  ui::CatalogueView& view = window.View();
  EXPECT_FALSE(view.IsEnabled("B2_0"));
  EXPECT_FALSE(view.IsEnabled("B2_2"));
  for (const char* box : {"T1", "T2", "T3", "T4", "T5"}) EXPECT_TRUE(view.Text(box).isEmpty()) << box;
  EXPECT_FALSE(view.Control("T1")->isVisible());
  EXPECT_TRUE(view.Control("T4")->isVisible());
}

TEST_F(Startup, ExitAndTheCloseBoxBothEndTheProcess) {
  frmMain window;
  window.Form_Load();
  window.show();
  QTest::mouseClick(window.View().Control("B2_3"), Qt::LeftButton);
  EXPECT_EQ(ended, 1);
  window.show();
  window.close();
  EXPECT_EQ(ended, 2);
}

TEST_F(Startup, BannerAndUpdateOpenTheProductPage) {
  frmMain window;
  window.Form_Load();
  window.show();
  QTest::mouseClick(window.View().Control("Pic1"), Qt::LeftButton);
  QTest::mouseClick(window.View().Control("B2_4"), Qt::LeftButton);
  EXPECT_EQ(opened, QStringList({config::ProductPageAddress, config::ProductPageAddress}));
}

TEST_F(Startup, CommandIndexesOutsideTheArrayDoNothing) {
  frmMain window;
  window.Form_Load();
  window.B2_Click(5);
  window.B2_Click(-1);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_EQ(ended, 0);
}

}  // namespace
