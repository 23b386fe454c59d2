// The three windows: built from their catalogues (sizes, names, tab order, what text boxes show and
// give back), and driven as a user drives them: the main window's load, commands, Select and
// Convert, the About window over it, the conversion window's cut boxes.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QuillbrookConfig.h>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/Application.h"
#include "platform/End.h"
#include "platform/RememberedChoices.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/ShellExecute.h"
#include "tests/support/Modal.h"
#include "tests/support/ScopedDouble.h"
#include "ui/frmAbout.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace M = view::frmMain;
namespace C = view::frmConvert;
namespace A = view::frmAbout;

namespace {

TEST(Catalogue, SizesEachWindowAndGivesEveryControlButLabelsANameAndItsTipAsDescription) {
  const std::tuple<const view::WindowSpec&, QSize, QString> windows[] = {
      {view::frmMainSpec, {410, 411}, ""},
      {view::frmConvertSpec, {356, 343}, " Convert YouTube Video To New Format"},
      {view::frmAboutSpec, {319, 219}, " About"}};
  for (const auto& [spec, size, caption] : windows) {
    QWidget window;
    ui::CatalogueView view(&window, spec);
    EXPECT_EQ(window.size(), size);
    EXPECT_EQ(window.windowTitle(), caption);
    for (const view::ControlSpec& row : spec.controls) {
      const QWidget* w = view.Control(row.name);
      EXPECT_EQ(w->accessibleDescription(), w->toolTip()) << row.name;
      EXPECT_TRUE(row.kind == view::ControlKind::Label || !w->accessibleName().isEmpty()) << row.name;
    }
  }
}

class TextBoxes : public ::testing::Test {
 protected:
  QWidget window;
  ui::CatalogueView view{&window, view::frmMainSpec};
  QString Shown(const char* name) { return view.ControlAs<QPlainTextEdit>(name)->toPlainText(); }
};

TEST_F(TextBoxes, KeepCarriageReturnLineFeedPairsAndLetReadOnlyTextBeCopiedButNotChanged) {
  window.show();
  view.SetText(M::InformationBox, "Title: A\r\n\r\nUser: b\r\n\r\n");
  view.AppendText(M::InformationBox, "more\r\n");
  EXPECT_EQ(view.Text(M::InformationBox), "Title: A\r\n\r\nUser: b\r\n\r\nmore\r\n");
  EXPECT_EQ(Shown(M::InformationBox), "Title: A\n\nUser: b\n\nmore\n");  // line breaks, not doubled blank lines
  view.SetText(M::FileBox, "/videos/cats.flv");
  for (const char* name : {M::InformationBox, M::FileBox}) {
    SCOPED_TRACE(name);
    const QString before = view.Text(name);
    view.Control(name)->setFocus();
    QTest::keyClicks(view.Control(name), "xyz");
    EXPECT_EQ(view.Text(name), before);
    QTest::keyClick(view.Control(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view.Control(name), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().replace("\n", "\r\n").replace(QChar(0x2029), "\r\n"), before);
  }
}

// Megabytes without a line break would keep the window from painting for minutes: they are cut
// for display only.
TEST_F(TextBoxes, ShowOverlongLinesCutButGiveBackEverything) {
  const QString huge(3'000'000, 'x');
  view.SetText(M::InformationBox, "Title: " + huge + "\r\n\r\nUser: b\r\n" + QString(10000, 'y'));
  view.SetText(M::LinkBox, "http://host/get_video.php?video_id=" + huge);
  window.show();
  EXPECT_EQ(view.Text(M::InformationBox), "Title: " + huge + "\r\n\r\nUser: b\r\n" + QString(10000, 'y'));
  EXPECT_EQ(view.Text(M::LinkBox), "http://host/get_video.php?video_id=" + huge);
  EXPECT_EQ(Shown(M::InformationBox), "Title: " + QString(9993, 'x') + "...\n\nUser: b\n" + QString(10000, 'y'));
  EXPECT_EQ(Shown(M::LinkBox).size(), 10003);
  view.AppendText(M::InformationBox, "\r\n" + QString(20000, 'x'));
  EXPECT_TRUE(Shown(M::InformationBox).endsWith(QString(10000, 'y') + "\n" + QString(10000, 'x') + "..."));
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir("Video Output"));
    App().Path = folder.path();
    doubles.Set(platform::testing::SetMessageBoxDouble, [this](const auto& m) {
      messages << (m.icon == view::MessageIcon::Critical ? "[stop] " : "[no icon] ") + m.title + ": " + m.text;
    });
    doubles.Set(platform::testing::SetShellExecuteDouble, [this](const QString& a) { opened << a; });
    doubles.Set(platform::testing::SetShowOpenDouble, [this](const platform::CommonDialog&) { return nextAnswer; });
    doubles.Set(platform::testing::SetEndDouble, [this] { ++ended; });
    window.Form_Load();
    window.show();
  }
  QString MakeFile(const QString& name) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("FLV") == 3);
    return file.fileName();
  }
  void Select(const QString& path) {
    nextAnswer = {{0, {}}, path};
    window.B3_Click();
  }
  void Click(const char* name) { QTest::mouseClick(window.View().Control(name), Qt::LeftButton); }
  bool Enabled(const char* name) { return window.View().IsEnabled(name); }

  ScopedRestore<Application> savedApplication{App()};
  platform::testing::ScopedChoices choices;
  QTemporaryDir folder;
  frmMain window;
  platform::testing::DialogAnswer nextAnswer;
  QStringList messages, opened;
  int ended = 0;
  ScopedDoubles doubles;  // the first to go: the doubles refer to what stands above
};

TEST_F(MainWindow, LoadsWithItsCaptionAndNothingToDownloadOrConvert) {
  EXPECT_EQ(window.windowTitle(), "Quillbrook v1.3");
  EXPECT_FALSE(Enabled(M::DownloadButton) || Enabled(M::ConvertButton));
  for (const char* box : {M::LinkBox, M::StatusLine, M::InformationBox, M::AddressBox, M::FileBox})
    EXPECT_EQ(window.View().Text(box), "") << box;
  EXPECT_TRUE(window.View().Control(M::AddressBox)->isVisible() && !window.View().Control(M::LinkBox)->isVisible());
  // A second instance ends during its load, and only that one, and does nothing more.
  App().PrevInstance = true;
  frmMain second;
  second.Form_Load();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(second.windowTitle().isEmpty() && second.windowOpacity() == 1.0);
}

TEST_F(MainWindow, BannerUpdateAndDownloadOpenTheirPagesExitAndTheCloseBoxEnd) {
  const QString link = "http://www.youtube.com/get_video.php?video_id=AB12&t=x y&l=\"q\"";
  window.View().SetText(M::LinkBox, link);
  window.View().SetEnabled(M::DownloadButton, true);
  for (const char* control : {M::Banner, M::UpdateButton, M::DownloadButton}) Click(control);
  EXPECT_EQ(opened, QStringList({config::ProductPageAddress, config::ProductPageAddress, link}));
  Click(M::ExitButton);
  EXPECT_EQ(ended, 1);  // and not before
  window.show();
  window.close();
  EXPECT_EQ(ended, 2);
}

TEST_F(MainWindow, SelectTakesTheChosenFileAndKeepsItOnACancelOrAFailure) {
  const QString path = MakeFile("cats.flv");
  Select(path);
  using Answer = platform::testing::DialogAnswer;
  for (const Answer& answer : {Answer{{32755, "Cancel was selected."}, {}},
                               Answer{{2, "No such file or directory: /gone.flv"}, "/gone.flv"}}) {
    nextAnswer = answer;
    window.B3_Click();
    EXPECT_EQ(window.View().Text(M::FileBox), path);
    EXPECT_TRUE(Enabled(M::ConvertButton));
  }
  // Nothing for the choice or the cancel; the failure under the program's title.
  EXPECT_EQ(messages, QStringList{"[no icon] " + QApplication::applicationDisplayName() +
                                  ": Error 2 selecting file.\r\nNo such file or directory: /gone.flv"});
}

// The real open-file dialog, driven as a user would: it is told apart by its outcome.
TEST_F(MainWindow, OpenFileDialogReportsAChoiceACancelAndAFileThatVanished) {
  platform::testing::SetShowOpenDouble({});
  const QString path = MakeFile("clip.flv");
  const auto choose = [&](const char* button, bool vanish = false) {
    OnNextModal([&](QWidget* modal) {
      auto* d = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(d, nullptr);
      EXPECT_EQ(QStringList({d->windowTitle(), d->directory().path(), d->nameFilters().join("|")}),
                QStringList({"Select A YouTube Video File", folder.path(),
                             "Video Files (*.flv *.mp4 *.m4v *.webm *.mkv *.mov *.avi *.wmv *.mpg *.mpeg *.3gp "
                             "*.ogv)|Flash Video Files (*.flv)|All Files (*)"}));
      EXPECT_EQ(d->selectedNameFilter(), d->nameFilters().constFirst());
      EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
      // Gone after the dialog checked it and before the program takes it.
      if (vanish) QObject::connect(d, &QDialog::finished, [&] { QFile::remove(path); });
      d->selectFile(path);
      QMetaObject::invokeMethod(d, button);
    });
    const platform::CommonDialog::Outcome outcome = window.OpenDialog().ShowOpen(&window);
    return QString::number(outcome.errorNumber) + " " + outcome.description;
  };
  EXPECT_EQ(choose("accept"), "0 ");
  EXPECT_EQ(window.OpenDialog().FileName, path);
  EXPECT_EQ(choose("reject").left(6), "32755 ");
  EXPECT_EQ(choose("accept", true), "2 No such file or directory: " + path);
}

TEST_F(MainWindow, ConvertOnAFileThatIsGoneOrHiddenSaysSoAndReleasesTheButtons) {
  for (const QString& path : {folder.filePath("gone.flv"), MakeFile(".hidden.flv")}) {
    Select(path);
    Click(M::ConvertButton);
    EXPECT_TRUE(Enabled(M::SelectButton) && Enabled(M::ConvertButton));
  }
  EXPECT_EQ(messages, QStringList({"[stop] Error: File " + folder.filePath("gone.flv") + " doesn't exist!",
                                   "[stop] Error: File " + folder.filePath(".hidden.flv") + " doesn't exist!"}));
}

TEST_F(MainWindow, ConvertShowsTheConversionWindowModallyOnTheSelectedFile) {
  const QString path = MakeFile("talk.flv");
  Select(path);
  for (int visit = 0; visit < 2; ++visit) {  // each Convert loads the window anew
    bool seen = false;
    OnNextModal([&](QWidget* modal) {
      auto* convert = qobject_cast<frmConvert*>(modal);
      ASSERT_NE(convert, nullptr);
      seen = true;
      EXPECT_EQ(convert->parentWidget(), &window);
      EXPECT_FALSE(Enabled(M::SelectButton) || Enabled(M::ConvertButton));
      EXPECT_EQ(convert->ConversionWindow().InputPath(), path);
      EXPECT_EQ(convert->ConversionWindow().InputBaseName(), "talk");
      // Whatever the first visit left, the second finds the window as it was first loaded.
      ui::CatalogueView& view = convert->View();
      QStringList texts;
      for (const char* name :
           {C::FormatList, C::StatusLine, C::FolderBox, C::InformationBox, C::StartHoursBox, C::StartMinutesBox,
            C::StartSecondsBox, C::EndHoursBox, C::EndMinutesBox, C::EndSecondsBox})
        texts << view.Text(name) + (view.IsEnabled(name) ? "" : " (off)");
      EXPECT_EQ(texts, QStringList({"AVI (MPEG4-DivX-Best Quality)", "", folder.path() + "/Video Output", "",
                                    "00 (off)", "00 (off)", "00 (off)", "00 (off)", "00 (off)", "00 (off)"}));
      EXPECT_FALSE(view.IsChecked(C::CutCheckBox));
      QTest::mouseClick(view.Control(C::CutCheckBox), Qt::LeftButton, {}, QPoint(5, 5));
      view.SetText(C::StartMinutesBox, "07");
      view.SetText(C::StatusLine, "Conversion is cancelled.");
      view.SetText(C::InformationBox, "Input #0");
      view.SetListIndex(C::FormatList, 5);
      QTest::mouseClick(view.Control(C::ExitButton), Qt::LeftButton);  // Exit closes it
      EXPECT_FALSE(convert->isVisible());
    });
    Click(M::ConvertButton);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(Enabled(M::SelectButton) && Enabled(M::ConvertButton));
    EXPECT_EQ(window.View().Text(M::FileBox), path);
  }
}

TEST_F(MainWindow, AboutOpensOverItWithOkFocusedAndOnlyItsLinksOpenSomething) {
  App().ProductName = "Quill & Brook";
  int result = -1;
  OnNextModal([&](QWidget* modal) {
    auto* about = qobject_cast<frmAbout*>(modal);
    ASSERT_NE(about, nullptr);
    ui::CatalogueView& v = about->View();
    EXPECT_EQ(about->parentWidget(), &window);
    EXPECT_EQ(about->focusWidget(), v.Control(A::OkButton));
    // Doubled, so that the label shows the ampersand instead of taking it for a shortcut mark.
    EXPECT_EQ(v.Text(A::ProductLabel), "Quill && Brook v1.3");
    EXPECT_EQ(v.ControlAs<QLabel>(A::ProductLabel)->text(), "Quill & Brook v1.3");
    const auto click = [&](const char* name) { QTest::mouseClick(v.Control(name), Qt::LeftButton); };
    for (const char* name :
         {A::ProductLabel, A::CopyrightLabel, A::DescriptionLabel, A::WebsiteCaption, A::ContactCaption, A::Emblem})
      click(name);
    EXPECT_EQ(opened, QStringList());  // the captions beside the links open nothing
    for (const char* name : {A::WebsiteLink, A::MailLink}) click(name);
    QObject::connect(about, &QDialog::finished, [&](int r) { result = r; });
    QTest::keyClick(v.Control(A::OkButton), Qt::Key_Return);
  });
  Click(M::AboutButton);
  EXPECT_EQ(result, QDialog::Accepted);  // OK pressed by the key, not the test's safety net
  EXPECT_EQ(opened, QStringList({config::MakerSiteAddress, QString("mailto:") + config::SupportMailAddress}));
}

TEST_F(MainWindow, TakesADroppedOrHandedOverVideoAsSelectWouldAndRefusesAnythingElse) {
  const QString path = MakeFile("clip.webm"), gone = folder.filePath("gone.webm");
  const QString watch = "https://www.youtube.com/watch?v=Zx4qD1Jv0cE";
  struct Case {
    const char* name;
    QList<QUrl> dropped;  // none: `argument` is handed over instead
    QString argument;
    QString file, address;  // the boxes afterwards; a drop is refused when both stay empty
    QStringList messages = {};
  };
  const Case cases[] = {
      {"a dropped file", {QUrl::fromLocalFile(path), QUrl(watch)}, {}, path, ""},
      {"a dropped watch page", {QUrl(watch)}, {}, "", watch},
      {"a dropped link to another site", {QUrl("https://example.com/watch?v=Zx4qD1Jv0cE")}, {}, "", ""},
      {"a dropped folder", {QUrl::fromLocalFile(folder.path())}, {}, "", ""},
      {"dropped text", {}, {}, "", ""},
      {"a file handed over", {}, path, path, ""},
      {"an address handed over", {}, watch, "", watch},
      {"a file handed over that is gone", {}, gone, "", "", {"[stop] Error: File " + gone + " doesn't exist!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.View().SetText(M::FileBox, "");
    window.View().SetText(M::AddressBox, "");
    window.View().SetEnabled(M::ConvertButton, false);
    messages.clear();
    if (!c.argument.isEmpty()) {
      window.TakeArgument(c.argument);
    } else {
      QMimeData mime;
      c.dropped.isEmpty() ? mime.setText(path) : mime.setUrls(c.dropped);
      // Over the URL box, which would take any text of its own accord.
      const QPoint at = window.View().Control(M::AddressBox)->geometry().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&window, &enter);
      EXPECT_EQ(enter.isAccepted(), !(c.file + c.address).isEmpty());
      QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&window, &drop);
    }
    EXPECT_EQ(window.View().Text(M::FileBox), c.file);
    EXPECT_EQ(window.View().Text(M::AddressBox), c.address);
    EXPECT_EQ(Enabled(M::ConvertButton), !c.file.isEmpty());
    EXPECT_EQ(messages, c.messages);
  }
}

TEST_F(MainWindow, SelectOpensInTheFolderOfTheFileSelectedLastWhileItIsThere) {
  QStringList openedIn;
  platform::testing::SetShowOpenDouble([&](const platform::CommonDialog& dialog) {
    openedIn << dialog.InitDir;
    return nextAnswer;
  });
  ASSERT_TRUE(QDir(folder.path()).mkdir("videos"));
  Select(MakeFile("videos/a.flv"));
  Select(MakeFile("videos/b.flv"));
  ASSERT_TRUE(QDir(folder.filePath("videos")).removeRecursively());
  Select(folder.filePath("c.flv"));
  EXPECT_EQ(openedIn, QStringList({folder.path(), folder.filePath("videos"), folder.path()}));
}

TEST(MessageBoxText, IsPlainTextWhateverItHolds) {
  const QString text = "File /v/<b>a</b> &lt; b.flv doesn't exist!";
  const auto box = platform::MakeMessageBox(nullptr, text, "Error", view::MessageIcon::Critical);
  const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(label->text(), text);
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
}

class ConvertWindowWidgets : public ::testing::Test {
 protected:
  void SetUp() override {
    convert.ConversionWindow().Form_Load();
    convert.show();
    ClickCut();
  }
  void ClickCut() { QTest::mouseClick(convert.View().Control(C::CutCheckBox), Qt::LeftButton, {}, QPoint(5, 5)); }
  QLineEdit* Box(C::CutTime box) { return convert.View().ControlAs<QLineEdit>(C::NameOf(box)); }

  frmConvert convert{nullptr, [] { return QStringLiteral("/videos/talk.flv"); }};
};

TEST_F(ConvertWindowWidgets, CutBoxesTakeTwoDigitsBelowSixtyRefuseBackspaceAndGoOffWithCut) {
  const std::pair<const char*, const char*> typedAndShown[] = {
      {"7", "7"}, {"75", "00"}, {"59", "59"}, {"60", "00"}, {"a1:", "1"}, {"-4", "4"}, {"123", "12"}, {"12\b", "12"}};
  for (const auto& [typed, shown] : typedAndShown) {
    Box(C::CutTime::StartMinutes)->setFocus();
    QTest::keyClick(Box(C::CutTime::StartMinutes), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Box(C::CutTime::StartMinutes), Qt::Key_Delete);
    EXPECT_EQ(Box(C::CutTime::StartMinutes)->text(), "");
    QTest::keyClicks(Box(C::CutTime::StartMinutes), typed);
    EXPECT_EQ(Box(C::CutTime::StartMinutes)->text(), shown) << typed;
  }
  ClickCut();
  for (const C::CutTime box : C::CutTimes) EXPECT_FALSE(Box(box)->isEnabled()) << C::NameOf(box);
}

TEST_F(ConvertWindowWidgets, TabMovesThroughTheCutBoxesInTheirOrderAndOn) {
  Box(C::CutTime::StartHours)->setFocus();
  // The key goes where a user's key would: to the window's focused control.
  const auto press = [this](Qt::Key key) {
    QTest::keyClick(convert.focusWidget(), key);
    return convert.focusWidget() ? convert.focusWidget()->objectName() : QString();
  };
  QStringList visited{C::StartHoursBox};
  for (int i = 0; i < 6; ++i) visited << press(Qt::Key_Tab);
  EXPECT_EQ(visited.mid(0, 6), (QStringList{C::StartHoursBox, C::StartMinutesBox, C::StartSecondsBox, C::EndMinutesBox,
                                            C::EndHoursBox, C::EndSecondsBox}));
  for (const C::CutTime box : C::CutTimes) EXPECT_NE(visited.last(), C::NameOf(box)) << "Tab stayed in the cut boxes";
  EXPECT_EQ(press(Qt::Key_Backtab), C::EndSecondsBox);
  EXPECT_EQ(press(Qt::Key_Backtab), C::EndHoursBox);
  EXPECT_EQ(Box(C::CutTime::EndHours)->text(), "00");
}

}  // namespace
