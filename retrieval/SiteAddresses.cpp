#include "retrieval/SiteAddresses.h"

#include <QStringList>

#include "platform/Inet.h"

namespace retrieval {
namespace {

// The host's other names on the site: the first label replaced by "m", and dropped. A host of
// one label has neither.
QStringList WatchHosts(const QString& videoSiteHost) {
  QStringList hosts{videoSiteHost};
  const qsizetype dot = videoSiteHost.indexOf(u'.');
  if (dot > 0) hosts << QStringLiteral("m") + videoSiteHost.mid(dot) << videoSiteHost.mid(dot + 1);
  return hosts;
}

// Every text an accepted address contains, without its scheme.
QStringList AddressCores(const SiteHosts& hosts) {
  QStringList cores;
  for (const QString& host : WatchHosts(hosts.video)) cores << host + QStringLiteral("/watch?v=");
  for (const char* path : {"/shorts/", "/live/", "/embed/"}) cores << hosts.video + QLatin1String(path);
  return cores;
}

bool ContainsShortLink(const QString& address, const QString& shortLinkPrefix) {
  // The first occurrence is the one followed by the most characters.
  const qsizetype at = address.indexOf(shortLinkPrefix, 0, Qt::CaseInsensitive);
  return at >= 0 && at + shortLinkPrefix.size() < address.size();
}

}  // namespace

QString WatchPagePrefix(const QString& videoSiteHost) {
  return QStringLiteral("http://") + videoSiteHost + QStringLiteral("/watch?v=");
}

QString DownloadLinkPrefix(const QString& videoSiteHost) {
  return QStringLiteral("http://") + videoSiteHost + QStringLiteral("/get_video.php?video_id=");
}

bool IsWatchPageAddress(const QString& address, const SiteHosts& hosts) {
  if (address.isEmpty()) return false;
  if (address.contains(WatchPagePrefix(hosts.video), Qt::CaseInsensitive)) return true;
  const QStringList cores = AddressCores(hosts);
  for (const char* scheme : platform::WebSchemes) {
    const QString start = QLatin1String(scheme) + QLatin1String("://");
    for (const QString& core : cores) {
      if (address.contains(start + core, Qt::CaseInsensitive)) return true;
    }
    if (ContainsShortLink(address, start + hosts.shortLink + u'/')) return true;
  }
  return false;
}

QString DownloadLink(const QString& videoSiteHost, const QString& downloadQuery) {
  return DownloadLinkPrefix(videoSiteHost) + downloadQuery;
}

}  // namespace retrieval
