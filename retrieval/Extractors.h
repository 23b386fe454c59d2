#pragma once
#include <QString>
#include <QStringView>
#include <optional>

namespace retrieval {

// What one watch page yields. A field is absent when it could not be cut out of the page.
// The last two come only from today's player data (PlayerData.h).
struct VideoInfo {
  std::optional<QString> Title;
  std::optional<QString> User;
  std::optional<QString> Date;
  std::optional<QString> Views;
  std::optional<QString> Category;
  std::optional<QString> Description;
  std::optional<QString> DownloadQuery;
  std::optional<QString> DirectLink{};  // a whole address the browser can fetch as it stands
  std::optional<QString> Unplayable{};  // why the site will not play the video
};

// Each cuts one field out of the page text by fixed markers, exactly as the page writes it.
std::optional<QString> ExtractTitle(QStringView page);
std::optional<QString> ExtractUser(QStringView page);
std::optional<QString> ExtractDate(QStringView page);
std::optional<QString> ExtractViews(QStringView page);
std::optional<QString> ExtractCategory(QStringView page);
std::optional<QString> ExtractDescription(QStringView page);
std::optional<QString> ExtractDownloadQuery(QStringView page);

// All seven fields of one page.
VideoInfo ExtractVideoInfo(QStringView page);

}  // namespace retrieval
