#include <gtest/gtest.h>

#include "retrieval/InformationText.h"
#include "retrieval/SiteAddresses.h"

using retrieval::VideoInfo;

namespace {

TEST(AddressCheck, AcceptsOnlyAddressesHoldingTheWatchPagePrefix) {
  const struct {
    const char* address;
    const char* host;
    bool accepted;
  } cases[] = {
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
  for (const auto& c : cases)
    EXPECT_EQ(retrieval::IsWatchPageAddress(QString::fromUtf8(c.address), QString::fromUtf8(c.host)), c.accepted)
        << c.address << " for " << c.host;
}

TEST(DownloadLinkTest, JoinsQueryUnaltered) {
  EXPECT_EQ(retrieval::DownloadLink(QStringLiteral("video.test"), QStringLiteral("AB 12&t=x%3D&l=1")),
            QStringLiteral("http://video.test/get_video.php?video_id=AB 12&t=x%3D&l=1"));
}

VideoInfo FullInfo() {
  return {"Cats", "bob", "Feb 25, 2008", "1,909", "Film && Animation", " A <b>cat</b>\n", "AB12"};
}

VideoInfo Without(std::optional<QString> VideoInfo::*field) {
  VideoInfo info = FullInfo();
  info.*field = std::nullopt;
  return info;
}

TEST(InformationText, ComposesBlocksOfPresentFields) {
  const QString rest = QStringLiteral(
      "Date: Feb 25, 2008\r\n\r\nViews: 1,909\r\n\r\nCategory: Film && Animation\r\n\r\nDescription:  A "
      "<b>cat</b>\n\r\n\r\n");
  VideoInfo emptyTitle = FullInfo();
  emptyTitle.Title = QString();
  const std::pair<VideoInfo, QString> cases[] = {
      {FullInfo(), "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + rest},
      {Without(&VideoInfo::Title), "User: bob\r\n\r\n" + rest},
      {Without(&VideoInfo::User), "Title: Cats\r\n\r\n" + rest},
      {emptyTitle, "Title: \r\n\r\nUser: bob\r\n\r\n" + rest},
      {Without(&VideoInfo::DownloadQuery), "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + rest},
      {Without(&VideoInfo::Description), "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + rest.left(rest.indexOf("Description: "))},
      {VideoInfo{{}, {}, {}, {}, {}, "", {}}, "Description: \r\n\r\n"},
  };
  for (const auto& [info, text] : cases) EXPECT_EQ(retrieval::InformationText(info), text);
}

}  // namespace
