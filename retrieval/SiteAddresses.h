#pragma once
#include <QString>

namespace retrieval {

// "http://" + host + "/watch?v=": what every accepted watch-page address contains.
QString WatchPagePrefix(const QString& videoSiteHost);

// "http://" + host + "/get_video.php?video_id=": the start of every download link.
QString DownloadLinkPrefix(const QString& videoSiteHost);

// The address as typed, untrimmed: accepted when it contains the watch-page prefix anywhere,
// letter case ignored. Text before or after the prefix is allowed.
bool IsWatchPageAddress(const QString& address, const QString& videoSiteHost);

// The download link for a page's download query, joined as is: no separator, no encoding.
QString DownloadLink(const QString& videoSiteHost, const QString& downloadQuery);

}  // namespace retrieval
