#pragma once
#include <QByteArray>
#include <QString>

#include "QuillbrookConfig.h"

const QString SiteHost = QString::fromLatin1(config::VideoSiteHost);
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
