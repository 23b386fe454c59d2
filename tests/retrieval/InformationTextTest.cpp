#include <gtest/gtest.h>

#include "retrieval/InformationText.h"

using retrieval::VideoInfo;

namespace {

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
