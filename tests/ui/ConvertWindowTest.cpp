// The conversion window's widgets: what typing does in the cut boxes, the Cut box, and the ways of
// closing it.
#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"

#include <QLineEdit>
#include <QTest>

#include "platform/widgets/SetLayeredWindowAttributes.h"
#include "ui/frmConvert.h"

namespace {

class ConvertWindowWidgets : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetLayeredWindowAttributesDouble([this](QWidget* w, int a) { alpha = {w->objectName(), a}; });
    convert.Logic().Form_Load();
    convert.show();
    QTest::mouseClick(convert.View().Control("CHk1"), Qt::LeftButton, {}, QPoint(5, 5));
  }
  void TearDown() override { platform::testing::SetLayeredWindowAttributesDouble({}); }

  QLineEdit* Box(int i) { return convert.View().ControlAs<QLineEdit>(QStringLiteral("T2_%1").arg(i)); }
  void Clear(int i) {
    Box(i)->setFocus();
    QTest::keyClick(Box(i), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Box(i), Qt::Key_Delete);
  }

  frmConvert convert{nullptr, [] { return QStringLiteral("/videos/talk.flv"); }};
  std::pair<QString, int> alpha;
};

TEST_F(ConvertWindowWidgets, CutBoxTogglesTheSixTimeBoxes) {
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(Box(i)->isEnabled()) << i;
  QTest::mouseClick(convert.View().Control("CHk1"), Qt::LeftButton, {}, QPoint(5, 5));
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(Box(i)->isEnabled()) << i;
}

TEST_F(ConvertWindowWidgets, TimeBoxesTakeDigitsOnlyAndFoldSixtyAndAboveToZero) {
  struct Case {
    const char* typed;
    QString shown;
  };
  for (const Case& c : {Case{"7", "7"}, Case{"75", "00"}, Case{"59", "59"}, Case{"60", "00"}, Case{"a1:", "1"},
                        Case{"-4", "4"}, Case{"123", "12"}}) {
    Clear(1);
    QTest::keyClicks(Box(1), c.typed);
    EXPECT_EQ(Box(1)->text(), c.shown) << c.typed;
  }
}

TEST_F(ConvertWindowWidgets, BackspaceIsRefusedButDeleteWorks) {
  Box(0)->setFocus();
  Box(0)->end(false);
  QTest::keyClick(Box(0), Qt::Key_Backspace);
  EXPECT_EQ(Box(0)->text(), "00");
  Box(0)->home(false);
  QTest::keyClick(Box(0), Qt::Key_Delete);
  EXPECT_EQ(Box(0)->text(), "0");
}

TEST_F(ConvertWindowWidgets, TabMovesThroughTheCutBoxesInTheirOrderAndOn) {
  Box(0)->setFocus();
  // The key goes where a user's key would: to the window's focused control.
  const auto press = [this](Qt::Key key) {
    QTest::keyClick(convert.focusWidget(), key);
    return convert.focusWidget() ? convert.focusWidget()->objectName() : QString();
  };
  QStringList visited{"T2_0"};
  for (int i = 0; i < 6; ++i) visited << press(Qt::Key_Tab);
  EXPECT_EQ(visited.mid(0, 6), (QStringList{"T2_0", "T2_1", "T2_2", "T2_4", "T2_3", "T2_5"}));
  EXPECT_FALSE(visited.last().startsWith("T2_")) << "Tab stayed in the last box";
  EXPECT_EQ(press(Qt::Key_Backtab), "T2_5");
  EXPECT_EQ(press(Qt::Key_Backtab), "T2_3");
  EXPECT_EQ(Box(3)->text(), "00");
}

TEST_F(ConvertWindowWidgets, ShowLoadsTheWindowTranslucentAndExitClosesIt) {
  convert.hide();
  QTimer::singleShot(0, [this] {
    EXPECT_TRUE(convert.isVisible());
    QTest::mouseClick(convert.View().Control("B1_5"), Qt::LeftButton);
  });
  convert.Show();
  EXPECT_FALSE(convert.isVisible());
  EXPECT_EQ(alpha, std::make_pair(QString("frmConvert"), 230));
  EXPECT_EQ(convert.View().Text("CBO"), "AVI (MPEG4-DivX-Best Quality)");
  EXPECT_TRUE(convert.View().Text("T1_1").endsWith("/Video Output"));
}

}  // namespace
