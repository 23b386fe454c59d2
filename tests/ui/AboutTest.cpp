// The About window: its texts, its two links, and how it opens and closes over the main window.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QuillbrookConfig.h>

#include "app/Application.h"
#include "tests/support/Modal.h"
#include "platform/ShellExecute.h"
#include "platform/widgets/SetLayeredWindowAttributes.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"

namespace {

class About : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = App();
    platform::testing::SetShellExecuteDouble([this](const QString& a) { opened << a; });
    platform::testing::SetLayeredWindowAttributesDouble([this](QWidget* w, int a) { alpha[w->objectName()] = a; });
  }
  void TearDown() override {
    App() = saved_;
    platform::testing::SetShellExecuteDouble({});
    platform::testing::SetLayeredWindowAttributesDouble({});
  }
  QStringList opened;
  QMap<QString, int> alpha;

 private:
  Application saved_;
};

TEST_F(About, ShowsProductLineNoticeDescriptionAndAddresses) {
  frmAbout about(nullptr);
  ui::CatalogueView& v = about.View();
  EXPECT_EQ(about.windowTitle(), " About");
  EXPECT_EQ(v.Text("L1_0"), "Quillbrook v1.3");
  EXPECT_EQ(v.Text("L1_1"), App().LegalCopyright);
  EXPECT_TRUE(v.Text("L1_2").startsWith("It's a freeware for you to download YouTube Videos"));
  EXPECT_TRUE(v.Text("L1_2").contains("nag screens or ADs.\r\n\r\nYou can click the links below"));
  EXPECT_TRUE(v.Text("L1_2").endsWith("give your feedbacks."));
  EXPECT_EQ(v.Text("L1_3"), "Website: ");
  EXPECT_EQ(v.Text("L1_4"), config::MakerSiteAddress);
  EXPECT_EQ(v.Text("L1_5"), config::SupportMailAddress);
  EXPECT_EQ(v.Text("L1_6"), "Contact: ");
  EXPECT_EQ(alpha.value("frmAbout"), 230);
}

TEST_F(About, AmpersandInTheProductNameIsDoubledButShownOnce) {
  App().ProductName = "Quill & Brook";
  frmAbout about(nullptr);
  EXPECT_EQ(about.View().Text("L1_0"), "Quill && Brook v1.3");
  EXPECT_EQ(about.View().ControlAs<QLabel>("L1_0")->text(), "Quill & Brook v1.3");
}

TEST_F(About, OnlyTheTwoLinksOpenSomething) {
  frmAbout about(nullptr);
  about.show();
  for (int i = 0; i <= 6; ++i) QTest::mouseClick(about.View().Control(QStringLiteral("L1_%1").arg(i)), Qt::LeftButton);
  QTest::mouseClick(about.View().Control("Image1"), Qt::LeftButton);
  EXPECT_EQ(opened, QStringList({config::MakerSiteAddress, QString("mailto:") + config::SupportMailAddress}));
}

TEST_F(About, OpensModallyOverTheMainWindowWithOkFocusedAndEnterClosesIt) {
  frmMain main;
  main.Form_Load();
  main.show();
  bool sawAbout = false;
  int result = -1;
  OnNextModal([&](QWidget* modal) {
    auto* about = qobject_cast<frmAbout*>(modal);
    ASSERT_NE(about, nullptr);
    sawAbout = true;
    EXPECT_EQ(about->parentWidget(), &main);
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(about->focusWidget(), about->View().Control("B1"));
    QObject::connect(about, &QDialog::finished, [&](int r) { result = r; });
    QTest::keyClick(about->View().Control("B1"), Qt::Key_Return);
  });
  QTest::mouseClick(main.View().Control("B2_1"), Qt::LeftButton);
  EXPECT_TRUE(sawAbout);
  EXPECT_EQ(result, QDialog::Accepted);  // OK pressed by the key, not the test's safety net
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
