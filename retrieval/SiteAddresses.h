#pragma once
#include <QString>

namespace retrieval {

// The hosts a watch-page address may name, fixed when the program is built.
struct SiteHosts {
  QString video;      // "www.youtube.com"
  QString shortLink;  // "youtu.be"
};

// "http://" + host + "/watch?v=": the watch page's address as the site wrote it in 2008.
QString WatchPagePrefix(const QString& videoSiteHost);

// "http://" + host + "/get_video.php?video_id=": the start of every download link.
QString DownloadLinkPrefix(const QString& videoSiteHost);

// The address as typed, untrimmed, letter case ignored: accepted when it contains, anywhere, a
// watch page's address as a browser shows it today or as the site wrote it in 2008 - http or
// https; the video host, its mobile host ("m.youtube.com") or its bare domain ("youtube.com")
// with "/watch?v="; the video host with "/shorts/", "/live/" or "/embed/"; or the short-link host
// with "/" and at least one more character. Text before or after is allowed.
bool IsWatchPageAddress(const QString& address, const SiteHosts& hosts);

// The download link for a page's download query, joined as is: no separator, no encoding.
QString DownloadLink(const QString& videoSiteHost, const QString& downloadQuery);

}  // namespace retrieval
