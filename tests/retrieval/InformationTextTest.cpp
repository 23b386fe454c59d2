#include <gtest/gtest.h>

#include "retrieval/InformationText.h"
#include "retrieval/SiteAddresses.h"

using retrieval::VideoInfo;

namespace {

TEST(AddressCheck, AcceptsWatchPageAddressesOfTheSiteOnly) {
  const struct {
    const char* address;
    bool accepted;
    retrieval::SiteHosts hosts = {"www.youtube.com", "youtu.be"};
  } cases[] = {
      {"http://www.youtube.com/watch?v=AB12", true},
      {"HTTP://WWW.YOUTUBE.COM/WATCH?V=AB12", true},
      {"  look: http://www.youtube.com/watch?v=AB12 ", true},
      {"http://www.youtube.com/watch?v=", true},
      {"http://video.test/watch?v=AB12", true, {"video.test", "v.test"}},
      {"http://www.youtube.com/watch?v=AB12", false, {"video.test", "v.test"}},
      {"https://www.youtube.com/watch?v=AB12", true},
      {"https://www.youtube.com/watch?v=AB12&t=42s", true},
      {"http://m.youtube.com/watch?v=AB12", true},
      {"HTTPS://M.YOUTUBE.COM/watch?v=AB12", true},
      {"http://youtube.com/watch?v=AB12", true},
      {"https://youtube.com/watch?v=AB12", true},
      {"https://m.test/watch?v=AB12", true, {"video.test", "v.test"}},
      {"https://test/watch?v=AB12", true, {"video.test", "v.test"}},
      {"https://www.youtube.com/shorts/AB12", true},
      {"http://www.youtube.com/live/AB12", true},
      {"https://www.youtube.com/embed/AB12", true},
      {"https://youtu.be/AB12", true},
      {"http://YOUTU.BE/A", true},
      {"https://v.test/AB12", true, {"video.test", "v.test"}},
      {"https://youtu.be/AB12", false, {"video.test", "v.test"}},
      {"https://youtu.be/", false},
      {"https://youtu.be", false},
      {"https://youtu.be.evil.test/AB12", false},
      {"https://notyoutube.com/watch?v=AB12", false},
      {"https://m.youtube.com/shorts/AB12", false},
      {"https://youtube.com/shorts/AB12", false},
      {"https://www.youtube.com/shorts", false},
      {"https://www.youtube.com/channel/AB12", false},
      {"ftp://www.youtube.com/watch?v=AB12", false},
      {"https://www.youtube.com/watch?x=1&v=AB12", false},
      {"http://www.youtube.com/watch?v", false},
      {"www.youtube.com/watch?v=AB12", false},
      {"", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(retrieval::IsWatchPageAddress(QString::fromUtf8(c.address), c.hosts), c.accepted)
        << c.address << " for " << c.hosts.video.toStdString();
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
      {Without(&VideoInfo::Description),
       "Title: Cats\r\n\r\nUser: bob\r\n\r\n" + rest.left(rest.indexOf("Description: "))},
      {VideoInfo{{}, {}, {}, {}, {}, "", {}}, "Description: \r\n\r\n"},
  };
  for (const auto& [info, text] : cases) EXPECT_EQ(retrieval::InformationText(info), text);
}

}  // namespace
