#include <gtest/gtest.h>

#include "retrieval/SiteAddresses.h"

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
      {"http://m.youtube.com/watch?v=AB12", true},
      {"http://youtube.com/watch?v=AB12", true},
      {"https://m.test/watch?v=AB12", true, {"video.test", "v.test"}},
      {"https://test/watch?v=AB12", true, {"video.test", "v.test"}},
      {"https://www.youtube.com/shorts/AB12", true},
      {"http://www.youtube.com/live/AB12", true},
      {"https://www.youtube.com/embed/AB12", true},
      {"http://YOUTU.BE/A", true},
      {"https://v.test/AB12", true, {"video.test", "v.test"}},
      {"https://youtu.be/AB12", false, {"video.test", "v.test"}},
      {"https://youtu.be/", false},
      {"https://youtu.be.evil.test/AB12", false},
      {"https://notyoutube.com/watch?v=AB12", false},
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

}  // namespace
