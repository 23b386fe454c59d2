#include <gtest/gtest.h>

#include "conversion/ProgressDisplay.h"
#include "tests/support/QStringPrinter.h"

namespace {

TEST(TimeLeft, ReadsInFivesOfSecondsBelowAMinuteThenInMinutes) {
  const std::pair<int, const char*> cases[] = {{0, "About 5 seconds left"},   {38, "About 40 seconds left"},
                                               {57, "About 55 seconds left"}, {58, "About 1 minute left"},
                                               {89, "About 1 minute left"},   {90, "About 2 minutes left"},
                                               {185, "About 3 minutes left"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(conversion::TimeLeftText(seconds), text) << seconds;
}

TEST(TimeLeft, WaitsForFivePercentThenFollowsTheRateSmoothly) {
  struct Step {
    int percent;
    qint64 elapsedMs;
    std::optional<int> seconds;
  };
  const Step steps[] = {
      {4, 4000, std::nullopt},  // too early for a guess
      {5, 5000, 95},            // 1% a second so far
      {10, 10000, 90},          // steady: counted down with the clock
      {20, 20000, 80},          // steady: counted down with the clock
      {40, 30000, 64},          // twice as fast at once (45 s): a quarter of the way from 70 toward it
      {40, 30000, 59},          // the same reading again moves on toward it
  };
  conversion::TimeLeft timeLeft;
  for (const Step& s : steps) EXPECT_EQ(timeLeft.Update(s.percent, s.elapsedMs), s.seconds) << s.percent;
}

}  // namespace
