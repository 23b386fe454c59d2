#include <gtest/gtest.h>

#include "conversion/TimeBoxes.h"
#include "tests/support/QStringPrinter.h"

namespace {

// What a user can type into the boxes is tested on the real widgets, with real keys; a digit of
// another script, which the test's keyboard cannot type, is not one of ours.
TEST(TimeBoxes, TakeOurDigitsOnly) { EXPECT_TRUE(conversion::FilterTimeKey(QChar(0x663)).isNull()); }

// Pasted text is not filtered key by key: the number ends at the first other character.
TEST(TimeBoxes, ResetPastedNumbersOfSixtyOrMore) {
  EXPECT_EQ(conversion::LimitedTimeText("6x"), std::nullopt);
  EXPECT_EQ(conversion::LimitedTimeText("61x"), "00");
  EXPECT_EQ(conversion::SecondsOfTime("1:", "2 ", "3x"), 3723);
}

TEST(TimeBoxes, GiveSecondsSinceMidnight) {
  EXPECT_EQ(conversion::SecondsOfTime("00", "01", "00"), 60);
  EXPECT_EQ(conversion::SecondsOfTime("00", "00", "59"), 59);
  EXPECT_EQ(conversion::SecondsOfTime("59", "59", "59"), 59 * 3600 + 59 * 60 + 59);  // hours past 23 count in full
  EXPECT_EQ(conversion::SecondsOfTime("", "", "5"), 5);                              // an empty box counts as 0
}

}  // namespace
