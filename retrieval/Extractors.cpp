#include "retrieval/Extractors.h"

namespace retrieval {
namespace {

// How one field is found: the field starts `offset` characters after the first character of
// the first `start` marker and runs up to the first `end` marker from there on; `finish`, when
// given, is applied to what was cut out.
struct Marker {
  QStringView start;
  qsizetype offset;
  QStringView end;
  QString (*finish)(QString);
};

// Both replacements make one pass from left to right and never rescan what they inserted.
QString WithoutSiteName(QString title) { return title.remove(QStringLiteral("YouTube - ")); }
QString WithDoubledAmpersands(QString category) {
  return category.replace(QStringLiteral("&amp;"), QStringLiteral("&&"));
}

// The description's marker really has two blanks after "div"; its offset skips the 34
// characters of markup that follow the marker on the page.
// clang-format off
//                             start marker                                  offset  end marker  finishing step
constexpr Marker Title{        u"<title>",                                      7,  u"</title>", WithoutSiteName};
constexpr Marker DownloadQuery{u"&video_id=",                                  10,  u"&title=",  nullptr};
constexpr Marker Views{        u"watch-view-count\">",                         18,  u"</span>",  nullptr};
constexpr Marker User{         u"hLink fn n contributor\">",                   24,  u"</a>",     nullptr};
constexpr Marker Date{         u"<span class=\"watch-video-added post-date\">", 42,  u"</span>",  nullptr};
constexpr Marker Category{     u"VideoWatch/VideoCategoryLink');\">",          33,  u"</a>",     WithDoubledAmpersands};
constexpr Marker Description{  u"<div  class=\"watch-video-desc\">",           65,  u"</span>",  nullptr};
// clang-format on

// A page without the start marker yields nothing rather than text cut from positions that
// mean nothing on that page.
std::optional<QString> Extract(QStringView page, const Marker& marker) {
  const qsizetype p = page.indexOf(marker.start);
  if (p < 0) return std::nullopt;
  const qsizetype s = p + marker.offset;
  const qsizetype e = page.indexOf(marker.end, s);
  if (e < 0) return std::nullopt;
  QString field = page.mid(s, e - s).toString();
  return marker.finish ? marker.finish(std::move(field)) : field;
}

}  // namespace

std::optional<QString> ExtractTitle(QStringView page) { return Extract(page, Title); }
std::optional<QString> ExtractUser(QStringView page) { return Extract(page, User); }
std::optional<QString> ExtractDate(QStringView page) { return Extract(page, Date); }
std::optional<QString> ExtractViews(QStringView page) { return Extract(page, Views); }
std::optional<QString> ExtractCategory(QStringView page) { return Extract(page, Category); }
std::optional<QString> ExtractDescription(QStringView page) { return Extract(page, Description); }
std::optional<QString> ExtractDownloadQuery(QStringView page) { return Extract(page, DownloadQuery); }

VideoInfo ExtractVideoInfo(QStringView page) {
  VideoInfo info;
  info.Title = ExtractTitle(page);
  info.User = ExtractUser(page);
  info.Date = ExtractDate(page);
  info.Views = ExtractViews(page);
  info.Category = ExtractCategory(page);
  info.Description = ExtractDescription(page);
  info.DownloadQuery = ExtractDownloadQuery(page);
  return info;
}

}  // namespace retrieval
