#include <gtest/gtest.h>

#include "tests/support/QStringPrinter.h"
#include "conversion/KillProcessesByName.h"
#include "conversion/TimeBoxes.h"

namespace {

TEST(TimeBoxes, KeepDigitsOnly) {
  for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_EQ(conversion::FilterTimeKey(QChar(c)), QChar(c));
  for (char16_t c : {u'\b', u'a', u' ', u':', u'-', u'\x663'}) EXPECT_TRUE(conversion::FilterTimeKey(QChar(c)).isNull());
}

TEST(TimeBoxes, ResetToZeroAtSixtyOrMore) {
  const std::pair<const char*, std::optional<QString>> cases[] = {
      {"7", std::nullopt}, {"59", std::nullopt}, {"60", "00"}, {"75", "00"}, {"99", "00"},
      {"00", std::nullopt}, {"", std::nullopt}, {"6x", std::nullopt}, {"61x", "00"},
  };
  for (const auto& [text, limited] : cases) EXPECT_EQ(conversion::LimitedTimeText(text), limited) << text;
}

TEST(TimeBoxes, GiveSecondsSinceMidnight) {
  EXPECT_EQ(conversion::SecondsOfTime("00", "01", "00"), 60);
  EXPECT_EQ(conversion::SecondsOfTime("00", "00", "59"), 59);
  EXPECT_EQ(conversion::SecondsOfTime("1", "2", "3"), 3723);
  EXPECT_EQ(conversion::SecondsOfTime("59", "59", "59"), 59 * 3600 + 59 * 60 + 59);  // hours past 23 count in full
  EXPECT_EQ(conversion::SecondsOfTime("", "", "5"), 5);                                 // an empty box counts as 0
}

// Every process's name ends with the empty name.
TEST(ImageNameMatches, AnEmptyNameMatchesNothing) { EXPECT_FALSE(conversion::ImageNameMatches("kodavert.dll", "")); }

}  // namespace
