// The three windows as built from their catalogues: every control where the table puts it, with its
// text, tip, font, state and accessible name; and the window-level facts that are easy to break.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ui/CatalogueView.h"

namespace {

struct Window {
  const ui::WindowSpec* spec;
};

class EveryControl : public ::testing::TestWithParam<Window> {};

TEST_P(EveryControl, IsBuiltAsItsRowSays) {
  const ui::WindowSpec& spec = *GetParam().spec;
  QWidget window;
  ui::CatalogueView view(&window, spec);
  EXPECT_EQ(window.objectName(), QString::fromLatin1(spec.name));
  EXPECT_EQ(window.size(), QSize(spec.clientWidth / 15, spec.clientHeight / 15));

  for (const ui::ControlSpec& row : spec.controls) {
    SCOPED_TRACE(row.name);
    auto* w = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(w, nullptr);
    const QString container = *row.container ? QString::fromLatin1(row.container) : window.objectName();
    EXPECT_EQ(w->parentWidget()->objectName(), container);
    EXPECT_EQ(w->geometry(), QRect(ui::TwipsToPixels(row.left), ui::TwipsToPixels(row.top),
                                   ui::TwipsToPixels(row.width), ui::TwipsToPixels(row.height)));
    EXPECT_EQ(w->toolTip(), QString::fromUtf8(row.tip));
    EXPECT_EQ(w->accessibleDescription(), QString::fromUtf8(row.tip));
    EXPECT_EQ(w->isEnabled(), !(row.style & ui::Disabled));
    EXPECT_EQ(w->isHidden(), bool(row.style & ui::Hidden));
    // Each control carries its own font: a frame's small caption must not shrink what it holds.
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), (row.style & ui::Small) ? 6.75 : 8.25);
    EXPECT_EQ(w->font().bold(), bool(row.style & ui::Bold));
    // A screen reader names every control: labels by their text, the rest by their own name.
    if (row.kind != ui::ControlKind::Label) {
      EXPECT_FALSE(w->accessibleName().isEmpty());
    }
    if (row.kind != ui::ControlKind::Picture && row.kind != ui::ControlKind::PictureBox) {
      EXPECT_EQ(view.Text(QString::fromLatin1(row.name)), QString::fromUtf8(row.text));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryControl,
                         ::testing::Values(Window{&ui::frmMainSpec}, Window{&ui::frmConvertSpec},
                                           Window{&ui::frmAboutSpec}));

QStringList FocusChain(QWidget* first, int count) {
  QStringList names;
  for (QWidget* w = first; names.size() < count; w = w->nextInFocusChain())
    if (w->focusPolicy() != Qt::NoFocus) names << w->objectName();
  return names;
}

TEST(MainWindow, TabOrderFollowsTheTable) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmMainSpec);
  EXPECT_EQ(FocusChain(view.Control("T3"), 12),
            QStringList({"T3", "T1", "T2", "B2_3", "B2_1", "B2_4", "T4", "T5", "B2_0", "B1", "B2_2", "B3"}));
}

TEST(ConvertWindow, CutBoxesAreTabbedStartThenEndMinutesBeforeHours) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmConvertSpec);
  EXPECT_EQ(FocusChain(view.Control("T2_0"), 6), QStringList({"T2_0", "T2_1", "T2_2", "T2_4", "T2_3", "T2_5"}));
  for (int i = 0; i < 6; ++i) {
    auto* box = view.ControlAs<QLineEdit>(QStringLiteral("T2_%1").arg(i));
    EXPECT_EQ(box->maxLength(), 2);
    EXPECT_EQ(box->text(), "00");
  }
  EXPECT_FALSE(view.ControlAs<QComboBox>("CBO")->isEditable());
  EXPECT_FALSE(view.ControlAs<QCheckBox>("CHk1")->isChecked());
}

TEST(MainWindow, LinkBoxLiesBelowTheClientArea) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmMainSpec);
  EXPECT_GE(view.Control("T1")->y(), window.height());
  EXPECT_TRUE(view.Control("T1")->isHidden());
}

TEST(Styles, StatusLineAndLinksHaveTheirColours) {
  QWidget main;
  ui::CatalogueView mainView(&main, ui::frmMainSpec);
  const QPalette status = mainView.Control("T2")->palette();
  EXPECT_EQ(status.color(QPalette::Base), QColor(224, 224, 224));
  EXPECT_EQ(status.color(QPalette::Text), QColor(64, 64, 64));
  EXPECT_TRUE(mainView.ControlAs<QLineEdit>("T2")->isReadOnly());
  EXPECT_EQ(mainView.Control("Pic1")->cursor().shape(), Qt::PointingHandCursor);

  QWidget about;
  ui::CatalogueView aboutView(&about, ui::frmAboutSpec);
  for (const char* link : {"L1_4", "L1_5"}) {
    QWidget* label = aboutView.Control(link);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
  }
  EXPECT_TRUE(aboutView.ControlAs<QLabel>("L1_2")->wordWrap());

  // The conversion window's frame has dark text; the labels inside it keep the usual colour.
  QWidget convert;
  ui::CatalogueView convertView(&convert, ui::frmConvertSpec);
  EXPECT_EQ(convertView.Control("L1_2")->palette().color(QPalette::WindowText),
            convert.palette().color(QPalette::WindowText));
}

TEST(ReadOnlyBoxes, AllowSelectAndCopyButNotTyping) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmMainSpec);
  window.show();
  view.SetText("T3", "Title: Cats\r\n\r\n");
  view.SetText("T5", "/videos/cats.flv");
  for (const char* name : {"T3", "T5"}) {
    SCOPED_TRACE(name);
    const QString before = view.Text(name);
    QWidget* box = view.Control(name);
    box->setFocus();
    QTest::keyClicks(box, "xyz");
    EXPECT_EQ(view.Text(name), before);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().replace("\n", "\r\n").replace(QChar(0x2029), "\r\n"), before);
  }
}

TEST(TextBoxes, KeepCarriageReturnLineFeedPairsExactly) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmMainSpec);
  view.SetText("T3", "Title: A\r\n\r\nUser: b\r\n\r\n");
  view.AppendText("T3", "more\r\n");
  EXPECT_EQ(view.Text("T3"), "Title: A\r\n\r\nUser: b\r\n\r\nmore\r\n");
  // Shown as line breaks, not as doubled blank lines.
  EXPECT_EQ(view.ControlAs<QPlainTextEdit>("T3")->toPlainText(), "Title: A\n\nUser: b\n\nmore\n");
}

// Megabytes without a line break would keep the window from painting for minutes: they are cut
// for display only.
TEST(TextBoxes, ShowOverlongLinesCutButGiveBackEverything) {
  QWidget window;
  ui::CatalogueView view(&window, ui::frmMainSpec);
  const QString huge(3'000'000, 'x');
  const QString shownLine = QString(10000, 'x') + "...";
  view.SetText("T3", "Title: " + huge + "\r\n\r\nUser: b\r\n" + QString(10000, 'y'));
  view.SetText("T1", "http://host/get_video.php?video_id=" + huge);
  window.show();
  EXPECT_EQ(view.Text("T3"), "Title: " + huge + "\r\n\r\nUser: b\r\n" + QString(10000, 'y'));
  EXPECT_EQ(view.Text("T1"), "http://host/get_video.php?video_id=" + huge);
  EXPECT_EQ(view.ControlAs<QPlainTextEdit>("T3")->toPlainText(),
            "Title: " + QString(9993, 'x') + "...\n\nUser: b\n" + QString(10000, 'y'));
  EXPECT_EQ(view.ControlAs<QPlainTextEdit>("T1")->toPlainText().size(), shownLine.size());
}

}  // namespace
