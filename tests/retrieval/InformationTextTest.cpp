#include <gtest/gtest.h>

#include "retrieval/InformationText.h"
#include "retrieval/SiteAddresses.h"

using retrieval::VideoInfo;

namespace {

struct AddressCase {
  const char* address;
  const char* host;
  bool accepted;
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << '"' << c.address << "\" for " << c.host; }

const AddressCase AddressCases[] = {
    {"http://www.youtube.com/watch?v=AB12", "www.youtube.com", true},
    {"HTTP://WWW.YOUTUBE.COM/WATCH?V=AB12", "www.youtube.com", true},
    {"  look: http://www.youtube.com/watch?v=AB12 ", "www.youtube.com", true},
    {"http://www.youtube.com/watch?v=", "www.youtube.com", true},
    {"http://video.test/watch?v=AB12", "video.test", true},
    {"http://www.youtube.com/watch?v=AB12", "video.test", false},
    {"https://www.youtube.com/watch?v=AB12", "www.youtube.com", false},
    {"http://youtube.com/watch?v=AB12", "www.youtube.com", false},
    {"http://www.youtube.com/watch?x=1&v=AB12", "www.youtube.com", false},
    {"http://www.youtube.com/watch?v", "www.youtube.com", false},
    {"", "www.youtube.com", false},
};

class AddressCheckTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressCheckTest, AcceptsOnlyAddressesHoldingWatchPagePrefix) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(retrieval::IsWatchPageAddress(QString::fromUtf8(c.address), QString::fromUtf8(c.host)), c.accepted)
      << c.address;
}

INSTANTIATE_TEST_SUITE_P(Addresses, AddressCheckTest, ::testing::ValuesIn(AddressCases));

TEST(DownloadLinkTest, JoinsQueryUnaltered) {
  EXPECT_EQ(retrieval::DownloadLink(QStringLiteral("video.test"), QStringLiteral("AB 12&t=x%3D&l=1")),
            QStringLiteral("http://video.test/get_video.php?video_id=AB 12&t=x%3D&l=1"));
}

VideoInfo FullInfo() {
  return {"Cats", "bob", "Feb 25, 2008", "1,909", "Film && Animation", " A <b>cat</b>\n", "AB12"};
}

struct TextCase {
  const char* name;
  VideoInfo info;
  QString expected;
};

VideoInfo Without(std::optional<QString> VideoInfo::*field) {
  VideoInfo info = FullInfo();
  info.*field = std::nullopt;
  return info;
}

const QString Rest = QStringLiteral(
    "Date: Feb 25, 2008\r\n\r\nViews: 1,909\r\n\r\nCategory: Film && Animation\r\n\r\nDescription:  A "
    "<b>cat</b>\n\r\n\r\n");

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

const TextCase TextCases[] = {
    {"AllFields", FullInfo(), "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + Rest},
    {"WithoutTitleBeginsWithUser", Without(&VideoInfo::Title), "User: bob\r\n\r\n" + Rest},
    {"WithoutUser", Without(&VideoInfo::User), "Title: Cats\r\n\r\n" + Rest},
    {"EmptyTitleKeepsBlock",
     [] {
       VideoInfo i = FullInfo();
       i.Title = QString();
       return i;
     }(),
     "Title: \r\n\r\nUser: bob\r\n\r\n" + Rest},
    {"WithoutDownloadQuery", Without(&VideoInfo::DownloadQuery), "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + Rest},
    {"WithoutDescription", Without(&VideoInfo::Description),
     "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + Rest.left(Rest.indexOf("Description: "))},
    {"OnlyDescription", VideoInfo{{}, {}, {}, {}, {}, "", {}}, "Description: \r\n\r\n"},
};

class InformationTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(InformationTextTest, ComposesBlocksOfPresentFields) {
  EXPECT_EQ(retrieval::InformationText(GetParam().info), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, InformationTextTest, ::testing::ValuesIn(TextCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
