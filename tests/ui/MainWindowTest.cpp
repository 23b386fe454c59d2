// The main window's step 2 and commands: Select with the open-file dialog, the hand-off to the
// conversion window, and Download handing the link over unaltered.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/Application.h"
#include "platform/MessageIcon.h"
#include "platform/ShellExecute.h"
#include "platform/widgets/CommonDialog.h"
#include "platform/widgets/MessageBox.h"
#include "tests/support/Modal.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace {

using platform::testing::DialogAnswer;
using platform::testing::ShownMessage;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    platform::testing::SetMessageBoxDouble([this](const ShownMessage& m) { messages.push_back(m); });
    platform::testing::SetShellExecuteDouble([this](const QString& a) { opened << a; });
    platform::testing::SetShowOpenDouble([this](const platform::CommonDialog&) { return nextAnswer; });
    window.Form_Load();
    window.show();
  }
  void TearDown() override {
    platform::testing::SetMessageBoxDouble({});
    platform::testing::SetShellExecuteDouble({});
    platform::testing::SetShowOpenDouble({});
  }

  QString MakeFile(const QString& name) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("FLV");
    return path;
  }
  void Select(const QString& path) {
    nextAnswer = {{0, {}}, path};
    window.B3_Click();
  }
  QString T(const char* name) { return window.View().Text(name); }
  bool Enabled(const char* name) { return window.View().IsEnabled(name); }

  QTemporaryDir folder;
  frmMain window;
  DialogAnswer nextAnswer;
  std::vector<ShownMessage> messages;
  QStringList opened;
};

TEST_F(MainWindow, SelectFillsTheFileBoxAndEnablesConvert) {
  const QString path = MakeFile("cats.flv");
  Select(path);
  EXPECT_EQ(T("T5"), path);
  EXPECT_TRUE(Enabled("B2_2"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, CancelledOrFailedDialogKeepsTheEarlierSelection) {
  const QString path = MakeFile("cats.flv");
  Select(path);
  nextAnswer = {{32755, "Cancel was selected."}, {}};
  window.B3_Click();
  EXPECT_TRUE(messages.empty());
  nextAnswer = {{2, "No such file or directory: /gone.flv"}, "/gone.flv"};
  window.B3_Click();
  EXPECT_EQ(T("T5"), path);
  EXPECT_TRUE(Enabled("B2_2"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Error 2 selecting file.\r\nNo such file or directory: /gone.flv");
  EXPECT_EQ(messages[0].title, QApplication::applicationDisplayName());  // the program's title
  EXPECT_EQ(messages[0].icon, platform::MessageIcon::None);
}

TEST_F(MainWindow, ConvertOnAFileThatIsGoneOrHiddenSaysSoAndReleasesTheButtons) {
  const QString deleted = MakeFile("deleted.flv");
  const QString hidden = MakeFile(".hidden.flv");
  for (const QString& path : {deleted, hidden}) {
    Select(path);
    if (path == deleted) QFile::remove(deleted);
    messages.clear();
    QTest::mouseClick(window.View().Control("B2_2"), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u) << qPrintable(path);
    EXPECT_EQ(messages[0].text, "File " + path + " doesn't exist!");
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Critical);
    EXPECT_TRUE(Enabled("B3"));
    EXPECT_TRUE(Enabled("B2_2"));
  }
}

TEST_F(MainWindow, ConvertShowsTheConversionWindowModallyOnTheSelectedFile) {
  const QString path = MakeFile("talk.flv");
  Select(path);
  bool seen = false;
  for (int time = 0; time < 2; ++time) {  // each Convert loads the window anew
    OnNextModal([&](QWidget* modal) {
      auto* convert = qobject_cast<frmConvert*>(modal);
      ASSERT_NE(convert, nullptr);
      seen = true;
      EXPECT_EQ(convert->parentWidget(), &window);
      EXPECT_FALSE(Enabled("B3"));
      EXPECT_FALSE(Enabled("B2_2"));
      EXPECT_EQ(convert->Logic().InputPath, path);
      EXPECT_EQ(convert->Logic().InputBaseName, "talk");
      // Whatever the first visit left, the second finds the window as it was first loaded.
      ui::CatalogueView& view = convert->View();
      EXPECT_EQ(view.Text("CBO"), "AVI (MPEG4-DivX-Best Quality)");
      EXPECT_FALSE(view.IsChecked("CHk1"));
      for (int i = 0; i < 6; ++i) {
        const QString box = QStringLiteral("T2_%1").arg(i);
        EXPECT_EQ(view.Text(box), "00");
        EXPECT_FALSE(view.IsEnabled(box));
      }
      EXPECT_EQ(view.Text("T1_0"), "");
      EXPECT_EQ(view.Text("T1_2"), "");
      EXPECT_EQ(view.Text("T1_1"), App().Path + "/Video Output");
      QTest::mouseClick(view.Control("CHk1"), Qt::LeftButton, {}, QPoint(5, 5));
      view.Control("T2_1")->setFocus();
      QTest::keyClicks(view.Control("T2_1"), "7");
      view.SetText("T1_0", "Conversion is cancelled.");
      view.SetText("T1_2", "Input #0");
      view.SetListIndex("CBO", 5);
      QTest::mouseClick(view.Control("B1_5"), Qt::LeftButton);  // Exit closes it
      EXPECT_FALSE(convert->isVisible());
    });
    QTest::mouseClick(window.View().Control("B2_2"), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(Enabled("B3"));
    EXPECT_TRUE(Enabled("B2_2"));
    EXPECT_EQ(T("T5"), path);
  }
}

TEST(MessageBoxText, IsPlainTextWhateverItHolds) {
  const QString text = "File /v/<b>a</b> &lt; b.flv doesn't exist!";
  const auto box = platform::MakeMessageBox(nullptr, text, "Error", platform::MessageIcon::Critical);
  const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(label->text(), text);
}

TEST_F(MainWindow, DownloadHandsTheWholeLinkOverUnaltered) {
  const QString link = "http://www.youtube.com/get_video.php?video_id=AB12&t=x y&l=\"q\"";
  window.View().SetText("T1", link);
  window.View().SetEnabled("B2_0", true);
  QTest::mouseClick(window.View().Control("B2_0"), Qt::LeftButton);
  EXPECT_EQ(opened, QStringList{link});
}

}  // namespace

namespace {

// The real open-file dialog, driven as a user would: it is told apart by its outcome.
class OpenFileDialog : public ::testing::Test {
 protected:
  QString Choose(const std::function<void(QFileDialog*)>& act) {
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Select A YouTube Video File");
      EXPECT_EQ(dialog->nameFilters(), QStringList{"Flash Video Files (*.flv)"});
      EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
      act(dialog);
    });
    const platform::CommonDialog::Outcome outcome = window.OpenDialog().ShowOpen(&window);
    return QString::number(outcome.errorNumber) + " " + outcome.description;
  }
  QTemporaryDir folder;
  frmMain window;
};

TEST_F(OpenFileDialog, ReportsAChoiceACancelAndAFileThatVanished) {
  window.Form_Load();
  const QString path = folder.filePath("clip.flv");
  QFile(path).open(QIODevice::WriteOnly);
  EXPECT_EQ(Choose([&](QFileDialog* d) {
              d->selectFile(path);
              QMetaObject::invokeMethod(d, "accept");
            }),
            "0 ");
  EXPECT_EQ(window.OpenDialog().FileName, path);
  EXPECT_EQ(Choose([](QFileDialog* d) { d->reject(); }).left(6), "32755 ");
  EXPECT_EQ(Choose([&](QFileDialog* d) {
              d->selectFile(path);
              // Gone after the dialog checked it and before the program takes it.
              QObject::connect(d, &QDialog::finished, [&] { QFile::remove(path); });
              QMetaObject::invokeMethod(d, "accept");
            }),
            "2 No such file or directory: " + path);
}

}  // namespace
