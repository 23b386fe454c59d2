#include <gtest/gtest.h>

#include "conversion/ConverterOutput.h"
#include "conversion/ProgressParser.h"
#include "tests/support/QStringPrinter.h"

using conversion::ConverterOutput;
using conversion::OutputFindings;

using namespace Qt::Literals::StringLiterals;

namespace {

struct DurationCase {
  const char16_t* chunk;
  std::optional<int> seconds;
};

TEST(ParseDuration, ReadsTheEightCharactersAfterTheMarker) {
  const DurationCase cases[] = {
      {u"  Duration: 00:03:25.43, start: 0.000000", 205},
      {u"Duration: 01:00:00", 3600},
      {u"Duration: 99:59:59.99", 99 * 3600 + 59 * 60 + 59},
      {u"x Duration: 00:00:07.00 y Duration: 00:00:09.00", 7},
      {u"  Duration: N/A, start: 0.000000", std::nullopt},
      {u"  Duration: 00:03:2", std::nullopt},  // cut off by the end of the read
      {u"  Duration: 0", std::nullopt},
      {u"  Duration: 0a:03:25", std::nullopt},
      {u"  Duration: 00:0a:25", std::nullopt},  // each field is checked, not only the first
      {u"  Duration: 00-03-25", std::nullopt},
      {u"  Duration: 00:03-25", std::nullopt},  // each separator is checked
      {u"  duration: 00:03:25", std::nullopt},  // the search is case-sensitive
      {u"no marker here", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(conversion::ParseDuration(QStringView(c.chunk)), c.seconds) << QString::fromUtf16(c.chunk).toStdString();
}

TEST(ParseProgressTime, TakesTheValueBeforeTheSeparatorOfBitrate) {
  const DurationCase cases[] = {
      {u"frame=  412 fps= 95 q=2.0 size=    1234kB time=16.48 bitrate= 613.3kbits/s", 16},
      {u"frame=  1 fps=0 q=0 size= 0kB time=16.5 bitrate= 1kbits/s", 16},  // half goes to even
      {u"frame=  1 fps=0 q=0 size= 0kB time=17.5 bitrate= 1kbits/s", 18},
      {u"frame=  1 fps=0 q=0 size= 0kB time=17.51 bitrate= 1kbits/s", 18},
      {u"frame=    0 size=  12kB time=3.00\tbitrate=  2.0kbits/s", 3},  // any one separator
      {u"size=  12kB time=3.00 bitrate=  2.0kbits/s", std::nullopt},    // not a progress line
      {u"frame=  1 time=N/A bitrate=N/A", std::nullopt},
      {u"frame=  1 time=3.00 speed=1x", std::nullopt},
      {u"frame=  1 bitrate= 1 time=3.00", std::nullopt},
      {u"frame=  1 time= bitrate= 1", std::nullopt},
      {u"frame=  1 time=2147483647.00 bitrate= 1", 2147483647},  // the longest time a position holds
      {u"frame=  1 time=2147483648.00 bitrate= 1", std::nullopt},
      {u"frame=  1 time=1e300 bitrate= 1", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(conversion::ParseProgressTime(QStringView(c.chunk)), c.seconds)
        << QString::fromUtf16(c.chunk).toStdString();
}

TEST(ProgressPercent, TruncatesAndCapsAt100) {
  EXPECT_EQ(conversion::ProgressPercent(16, 205), 7);
  EXPECT_EQ(conversion::ProgressPercent(60, 600), 10);
  EXPECT_EQ(conversion::ProgressPercent(205, 205), 100);
  EXPECT_EQ(conversion::ProgressPercent(300, 205), 100);
  EXPECT_EQ(conversion::ProgressPercent(2000000000, 3), 100);  // no overflow on long inputs
  EXPECT_EQ(conversion::ProgressPercent(5, 0), std::nullopt);
}

// Feeds the reads one after the other and joins what they yield.
struct Fed {
  QString information;
  std::vector<int> durations;
  std::vector<int> progress;
  int headerAtRead = -1;
  bool operator==(const Fed&) const = default;
};

Fed Feed(std::initializer_list<const char16_t*> reads, bool toTheEnd = true, const char16_t* inputPath = u"") {
  ConverterOutput output{QString::fromUtf16(inputPath)};
  Fed fed;
  int index = 0;
  auto add = [&](const OutputFindings& f) {
    fed.information += f.information;
    if (f.durationSeconds) fed.durations.push_back(*f.durationSeconds);
    if (f.progressSeconds) fed.progress.push_back(*f.progressSeconds);
    if (f.outputHeader && fed.headerAtRead < 0) fed.headerAtRead = index;
    EXPECT_FALSE(f.durationLine && f.progressSeconds) << "a tick takes either a duration or a progress line";
  };
  for (const char16_t* read : reads) {
    add(output.Take(QStringView(read)));
    ++index;
  }
  if (toTheEnd) add(output.Finish());
  return fed;
}

void PrintTo(const Fed& f, std::ostream* os) {
  *os << "information \"" << f.information.toStdString() << "\", durations " << ::testing::PrintToString(f.durations)
      << ", progress " << ::testing::PrintToString(f.progress) << ", header at read " << f.headerAtRead;
}

TEST(ConverterOutput, FollowsLinesAcrossReads) {
  struct Case {
    const char* what;
    std::initializer_list<const char16_t*> reads;
    Fed fed;
    bool toTheEnd = true;
    const char16_t* inputPath = u"";  // as the converter was given it
  };
  const QString x(5000, u'x');
  const Case cases[] = {
      {"markers split between reads",
       {u"Input #0, flv\n  Dura", u"tion: 00:03:25.43, start: 0.0\nOutp", u"ut #0, avi\n"},
       {u"Input #0, flv\n  Duration: 00:03:25.43, start: 0.0"_s, {205}, {}, 2}},
      {"value split", {u"  Duration: 00:0", u"3:25.43\n"}, {u"  Duration: 00:03:25.43\n"_s, {205}, {}, -1}},
      {"progress split",
       {u"frame=  1 time=16.4", u"8 bitrate= 1k\n"},
       {u"frame=  1 time=16.48 bitrate= 1k\n"_s, {}, {16}, -1}},
      // The duration is complete in the first read but its line is not: it counts when the line ends.
      {"each line once",
       {u"  Duration: 00:00:10.00", u", start: 0\n", u"frame= 1 time=1.00 bitrate= 1\n"},
       {u"  Duration: 00:00:10.00, start: 0\nframe= 1 time=1.00 bitrate= 1\n"_s, {10}, {1}, -1}},
      {"the duration first in one read",
       {u"  Duration: 00:00:10.00\nframe= 1 time=9.00 bitrate= 1\n"},
       {u"  Duration: 00:00:10.00\nframe= 1 time=9.00 bitrate= 1\n"_s, {10}, {}, -1}},
      // A tick that fell behind must not end the run on an old figure.
      {"the latest progress in one read",
       {u"frame= 1 time=81.00 bitrate= 1\nframe= 9 time=90.00 bitrate= 1\n"},
       {u"frame= 1 time=81.00 bitrate= 1\nframe= 9 time=90.00 bitrate= 1\n"_s, {}, {90}, -1}},
      {"carriage returns end lines",
       {u"frame= 1 time=1.00 bitrate= 1\rframe= 2 time=2.", u"00 bitrate= 1\r"},
       {u"frame= 1 time=1.00 bitrate= 1\rframe= 2 time=2.00 bitrate= 1"_s, {}, {1, 2}, -1},
       false},
      // The information stops before the character that precedes the header, wherever the reads split.
      {"header in the read", {u"abc\nOutput #0, mp3\n"}, {u"abc"_s, {}, {}, 0}},
      {"header at 1 of a read", {u"abc\n", u"Output #0, mp3\n"}, {u"abc"_s, {}, {}, 1}},
      {"header at 2 of a read", {u"abc", u"\nOutput #0, mp3\n"}, {u"abc"_s, {}, {}, 1}},
      {"one character left out", {u"abc\r\n", u"Output #0, mp3\n"}, {u"abc\r"_s, {}, {}, 1}},
      {"header first", {u"Output #0, mp3\n"}, {{}, {}, {}, 0}},
      {"no header: the end shows it all", {u"Input\nno header at all"}, {u"Input\nno header at all"_s, {}, {}, -1}},
      {"a line without end is not kept", {reinterpret_cast<const char16_t*>(x.utf16())}, {x, {}, {}, -1}},
      // The duration is the description's own: not the echo of a name, nor a stream's tag.
      {"a name that holds the marker",
       {u"Input #0, flv, from '/v/Duration: 00:00:01.00.flv':\n  Duration: 00:00:27.00\n"},
       {u"Input #0, flv, from '/v/Duration: 00:00:01.00.flv':\n  Duration: 00:00:27.00\n"_s, {27}, {}, -1},
       true,
       u"/v/Duration: 00:00:01.00.flv"},
      {"a name that holds a whole line, split between reads",
       {u"Input #0, flv, from '/v/a\n  Dura", u"tion: 00:00:01.00\n.flv':\n  Duration: 00:00:27.00\n"},
       {u"Input #0, flv, from '/v/a\n  Duration: 00:00:01.00\n.flv':\n  Duration: 00:00:27.00\n"_s, {27}, {}, -1},
       true,
       u"/v/a\n  Duration: 00:00:01.00\n.flv"},
      {"a stream's tag",
       {u"  Duration: 00:00:27.00\n", u"      title           : Duration: 00:00:01.00\n"},
       {u"  Duration: 00:00:27.00\n      title           : Duration: 00:00:01.00\n"_s, {27}, {}, -1}},
  };
  for (const Case& c : cases) EXPECT_EQ(Feed(c.reads, c.toTheEnd, c.inputPath), c.fed) << c.what;
}

}  // namespace
