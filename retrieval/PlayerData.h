#pragma once
#include <QStringView>
#include <optional>

#include "retrieval/Extractors.h"

namespace retrieval {

// Today's watch pages carry the video's data as JSON assigned to `ytInitialPlayerResponse` in a
// script: an object literal on the desktop site, a JavaScript string (alone or inside
// `JSON.parse(...)`) on the mobile site. The first assignment that holds a JSON object with
// `videoDetails` is read; a page without one yields nothing. Fields the object lacks, or holds as
// something other than text, are absent. `DirectLink` is a format's plain address (itag 18
// first, then the first MP4, then any); `Unplayable` is set when the site says it will not play.
std::optional<VideoInfo> ReadPlayerData(QStringView page);

// The player data when the page has it, the 2008 markers otherwise.
VideoInfo ReadVideoInfo(QStringView page);

}  // namespace retrieval
