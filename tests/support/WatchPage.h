#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "QuillbrookConfig.h"

const QString SiteHost = QString::fromLatin1(config::VideoSiteHost);
const QString ShortLinkHost = QString::fromLatin1(config::ShortLinkHost);
// Every host name an accepted address may carry: the site's, its mobile host, its bare domain and
// the short-link host; what the certificate of the site's stand-in names.
inline QStringList SiteNames() {
  const QString domain = SiteHost.mid(SiteHost.indexOf(u'.') + 1);
  return {SiteHost, "m." + domain, domain, ShortLinkHost};
}
const QString WatchPageAddress = "http://" + SiteHost + "/watch?v=AB12";

// A watch page in the 2008 layout, cut down to the elements that carry the fields.
const QByteArray WatchPage =
    "<html><head><title>YouTube - Cats &amp; Dogs</title></head><body>\n"
    "<a href=\"/user/bob\" class=\"hLink fn n contributor\">bob</a>\n"
    "<span class=\"watch-video-added post-date\">February 25, 2008</span>\n"
    "<span id=\"watch-view-count\">1,909</span>\n"
    "<a href=\"/browse?c=1\" onclick=\"_hbLink('VideoWatch/VideoCategoryLink');\">Film &amp; Animation</a>\n"
    "<div  class=\"watch-video-desc\">\n\t\t\t\t\t\t<span  class=\"description\">A cat\nmeets a dog.</span></div>\n"
    "<script>var fullscreenUrl = '/watch_fullscreen?fs=1&video_id=AB12&l=201&t=OEgsToPDskK&title=Cats';</script>\n"
    "</body></html>\n";

// What the information box and the download link hold once the page is in.
const QString WatchPageText = QStringLiteral(
    "Title: Cats &amp; Dogs\r\n\r\nUser: bob\r\n\r\nDate: February 25, 2008\r\n\r\nViews: 1,909\r\n\r\n"
    "Category: Film && Animation\r\n\r\nDescription: A cat\nmeets a dog.\r\n\r\n");
const QString WatchPageLink = "http://" + SiteHost + "/get_video.php?video_id=AB12&l=201&t=OEgsToPDskK";

// Today's player data as the desktop site writes it, cut down to what the program reads and a
// little around it. The description holds a brace and a semicolon, as a script's end would.
const QByteArray PlayerData =
    R"({"responseContext":{"visitorData":"CgtHbi1IOXcycjRQayjVlri8BjIKCgJJThIEGgAgOQ%3D%3D"},)"
    R"("playabilityStatus":{"status":"OK","playableInEmbed":true},)"
    R"("streamingData":{"expiresInSeconds":"21540","formats":[{"itag":18,)"
    R"("url":"https://rr1---sn-q4f.googlevideo.com/videoplayback?expire=1737383861\u0026itag=18\u0026source=youtube",)"
    R"("mimeType":"video/mp4; codecs=\"avc1.42001E, mp4a.40.2\"","qualityLabel":"360p"}],)"
    R"("adaptiveFormats":[{"itag":137,"signatureCipher":"s=AB\u0026sp=sig\u0026url=https://x.test/v"}]},)"
    R"("videoDetails":{"videoId":"AB12","title":"Cats \u0026 Dogs","lengthSeconds":"212","author":"bob",)"
    R"("shortDescription":"A cat\nmeets a dog. };","viewCount":"1234567"},)"
    R"("microformat":{"playerMicroformatRenderer":{"category":"Film \u0026 Animation",)"
    R"("publishDate":"2009-10-24T18:45:00-07:00","uploadDate":"2009-10-24"}}})";

// A desktop watch page of today around `playerData`.
inline QByteArray TodayPage(const QByteArray& playerData = PlayerData) {
  return "<!DOCTYPE html><html><head><title>Cats &amp; Dogs - YouTube</title></head><body>"
         "<script nonce=\"GWQS4dROIhbOWa4QpveqWw\">var ytInitialPlayerResponse = " +
         playerData +
         ";var meta = document.createElement('meta');</script>"
         "<script nonce=\"GWQS4dROIhbOWa4QpveqWw\">var ytInitialData = {\"contents\":{}};</script></body></html>";
}

const QString TodayPageText = QStringLiteral(
    "Title: Cats & Dogs\r\n\r\nUser: bob\r\n\r\nDate: 2009-10-24\r\n\r\nViews: 1,234,567\r\n\r\n"
    "Category: Film & Animation\r\n\r\nDescription: A cat\r\nmeets a dog. };\r\n\r\n");
const QString TodayPageLink =
    QStringLiteral("https://rr1---sn-q4f.googlevideo.com/videoplayback?expire=1737383861&itag=18&source=youtube");
