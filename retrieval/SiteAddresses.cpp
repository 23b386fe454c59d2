#include "retrieval/SiteAddresses.h"

namespace retrieval {

QString WatchPagePrefix(const QString& videoSiteHost) {
  return QStringLiteral("http://") + videoSiteHost + QStringLiteral("/watch?v=");
}

QString DownloadLinkPrefix(const QString& videoSiteHost) {
  return QStringLiteral("http://") + videoSiteHost + QStringLiteral("/get_video.php?video_id=");
}

bool IsWatchPageAddress(const QString& address, const QString& videoSiteHost) {
  return !address.isEmpty() && address.contains(WatchPagePrefix(videoSiteHost), Qt::CaseInsensitive);
}

QString DownloadLink(const QString& videoSiteHost, const QString& downloadQuery) {
  return DownloadLinkPrefix(videoSiteHost) + downloadQuery;
}

}  // namespace retrieval
