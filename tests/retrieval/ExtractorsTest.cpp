#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "retrieval/Extractors.h"

using retrieval::VideoInfo;
using Extractor = std::optional<QString> (*)(QStringView);

namespace {

struct ExtractCase {
  const char* name;
  Extractor extract;
  QString page;
  std::optional<QString> expected;  // nullopt: the field is absent
};

// The 34 characters of markup that the description's offset skips on real pages.
const QString SkippedMarkup = QStringLiteral("\n\t\t\t\t\t\t<span  class=\"description\">");
const QString DescriptionMarker = QStringLiteral("<div  class=\"watch-video-desc\">");

void PrintTo(const ExtractCase& c, std::ostream* os) { *os << c.name; }

const ExtractCase ExtractCases[] = {
    {"TitleLosesSiteName", retrieval::ExtractTitle, "x<title>YouTube - Cats</title>y", "Cats"},
    {"SiteNameRemovalIsOnePass", retrieval::ExtractTitle, "<title>YouTubYouTube - e - X</title>", "YouTube - X"},
    {"MarkersMatchCase", retrieval::ExtractTitle, "<TITLE>Cats</TITLE>", std::nullopt},
    {"NoStartMarkerIsAbsent", retrieval::ExtractTitle, "Cats</title>", std::nullopt},
    {"AdjacentMarkersGiveEmptyField", retrieval::ExtractTitle, "<title></title>", ""},
    {"NonAsciiBeforeMarker", retrieval::ExtractTitle, QStringLiteral("é😀<title>Ça</title>"), QStringLiteral("Ça")},
    {"DownloadQueryKeepsParameters", retrieval::ExtractDownloadQuery, "&video_id=AB12&l=201&t=Oe%3D&title=x",
     "AB12&l=201&t=Oe%3D"},
    {"DownloadQueryWithoutEndIsAbsent", retrieval::ExtractDownloadQuery, "&video_id=AB12&t=x", std::nullopt},
    {"EndMarkerBeforeStartDoesNotCount", retrieval::ExtractDownloadQuery, "&title=x&video_id=AB12", std::nullopt},
    {"UserUntrimmed", retrieval::ExtractUser, "class=\"hLink fn n contributor\"> bob\t\n</a>", " bob\t\n"},
    {"AmpersandEntityBecomesTwoAmpersands", retrieval::ExtractCategory,
     "_hbLink('VideoWatch/VideoCategoryLink');\">Film &amp; Animation</a>", "Film && Animation"},
    {"AmpersandReplacementIsOnePass", retrieval::ExtractCategory, "VideoWatch/VideoCategoryLink');\">A &amp;amp; B</a>",
     "A &&amp; B"},
    {"DescriptionSkipsMarkup", retrieval::ExtractDescription, DescriptionMarker + SkippedMarkup + "Hi\n</span>",
     "Hi\n"},
    {"EndMarkerInSkippedMarkupDoesNotCount", retrieval::ExtractDescription,
     DescriptionMarker + "</span>" + SkippedMarkup.mid(7) + "Hi</span>", "Hi"},
    {"DescriptionEndOnlyInSkippedMarkupIsAbsent", retrieval::ExtractDescription,
     DescriptionMarker + "</span>" + SkippedMarkup.mid(7) + "Hi", std::nullopt},
    {"DescriptionMarkerNeedsTwoBlanks", retrieval::ExtractDescription,
     "<div class=\"watch-video-desc\">" + SkippedMarkup + "Hi</span>", std::nullopt},
    {"PageEndingInsideSkippedMarkupIsAbsent", retrieval::ExtractDescription, DescriptionMarker + "</span>",
     std::nullopt},
};

class ExtractorTest : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractorTest, CutsFieldOutOfPage) {
  const ExtractCase& c = GetParam();
  EXPECT_EQ(c.extract(c.page), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Markers, ExtractorTest, ::testing::ValuesIn(ExtractCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Real watch pages captured from the site. A description is checked by its start, its end and
// its length: the full texts are long and say nothing more.
struct RealPage {
  const char* file;
  VideoInfo expected;
  QString descriptionStart;
  QString descriptionEnd;
  qsizetype descriptionSize;
};

void PrintTo(const RealPage& p, std::ostream* os) { *os << p.file; }

// clang-format off
const RealPage RealPages[] = {
    {"split/page1_01_l4eiwiLvp40.html", {"Yu-Gi-Oh! Abridged Series 26 - Mo' Money, Mo' Card Games", "ImBritishYouKnow",
      "20 de janeiro de 2008", "1909", "Entretenimento", {}, {}}, "As Yami learns of his origins", "Friendships are... ", 201},
    {"split/page1_05_d_EBfa0oHbY.html", {"Jimmy Kimmel singing &quot;I'm F*cking Ben Affleck&quot;", "rtitomay",
      "25 de fevereiro de 2008", "25857", "Entretenimento", {}, {}}, "Jimmy Kimmel sings \"I'm F@.kin' Ben Affleck\nJimmy",
     "Ben Affleck\" ", 91},
    {"split/page1_08_lydfxExDOLM.html", {"Little Lulu: Bargain Counter Attack (1946)", "DerKapitalist",
      "21 de fevereiro de 2007", "3493", "Filmes e desenhos", {}, {}}, "Little Lulu wreaks havoc in a city department store. ",
     "store. ", 53},
    {"split/page1_03_ITAWOhoGeqc.html", {"Broadcast Yourself.", {}, {}, {}, {}, {}, {}}, {}, {}, 0},
    {"page2.html", {"\n\t\tYouTube\n\t\t\t\t- Everyday Normal Guy\n\t", {}, {}, "15,114,455</strong><br>views", {}, {}, {}}, {}, {}, 0},
    {"page4.html", {"\n        Los esmayaos de 10-5\n      - YouTube\n  ", {}, {}, "\n    <strong>138</strong>\nviews\n  ", {}, {}, {}},
     {}, {}, 0},
};
// clang-format on

class RealPageTest : public ::testing::TestWithParam<RealPage> {};

TEST_P(RealPageTest, YieldsWhatThePageHolds) {
  const QDir pages(QStringLiteral(QB_TESTDATA_DIR "/pages"));
  QFile file(pages.filePath(QString::fromLatin1(GetParam().file)));
  if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no test pages at " << pages.path().toStdString();
  const QString page = QString::fromUtf8(file.readAll());
  const RealPage& p = GetParam();

  const VideoInfo info = retrieval::ExtractVideoInfo(page);
  EXPECT_EQ(info.Title, p.expected.Title);
  EXPECT_EQ(info.User, p.expected.User);
  EXPECT_EQ(info.Date, p.expected.Date);
  EXPECT_EQ(info.Views, p.expected.Views);
  EXPECT_EQ(info.Category, p.expected.Category);
  // None of these pages has a download query: the 2009 pages carry the id elsewhere, and the
  // 2008 page has "?video_id=", not "&video_id=", before its "&title=".
  EXPECT_EQ(info.DownloadQuery, std::nullopt);
  if (p.descriptionSize == 0) {
    EXPECT_EQ(info.Description, std::nullopt);
    return;
  }
  ASSERT_TRUE(info.Description);
  EXPECT_TRUE(info.Description->startsWith(p.descriptionStart)) << info.Description->toStdString();
  EXPECT_TRUE(info.Description->endsWith(p.descriptionEnd)) << info.Description->toStdString();
  EXPECT_EQ(info.Description->size(), p.descriptionSize);
}

INSTANTIATE_TEST_SUITE_P(Pages, RealPageTest, ::testing::ValuesIn(RealPages), [](const auto& info) {
  return QString::fromLatin1(info.param.file).section('/', -1).section('.', 0, 0).toStdString();
});

}  // namespace
