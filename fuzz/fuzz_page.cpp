// Any page text through the seven extractors, today's player-data reader and the information
// box's text.
#include <QUrl>
#include <cstdint>
#include <cstdlib>

#include "platform/Inet.h"
#include "retrieval/Extractors.h"
#include "retrieval/InformationText.h"
#include "retrieval/PlayerData.h"

namespace {
void Require(bool holds) {
  if (!holds) std::abort();
}

void RequireShown(const retrieval::VideoInfo& info) {
  const QString text = retrieval::InformationText(info);
  for (const auto* field : {&info.Title, &info.User, &info.Date, &info.Views, &info.Category, &info.Description})
    Require(!*field || text.contains(**field));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const retrieval::VideoInfo info = retrieval::ExtractVideoInfo(page);
  // Fields cut without a finishing step are verbatim pieces of the page; every field shown must
  // reach the box unchanged.
  for (const auto* field : {&info.User, &info.Date, &info.Views, &info.Description, &info.DownloadQuery})
    Require(!*field || page.contains(**field));
  RequireShown(info);

  if (const std::optional<retrieval::VideoInfo> today = retrieval::ReadPlayerData(page)) {
    RequireShown(*today);
    Require(!today->Date || today->Date->size() <= 10);
    // Only a web address may reach the desktop's opener.
    Require(!today->DirectLink || platform::IsWebAddress(QUrl(*today->DirectLink)));
    Require(!today->Unplayable || !today->Unplayable->isEmpty());
    // Every line break in the description is a CR LF pair.
    Require(!today->Description ||
            today->Description->count(u'\n') == today->Description->count(QLatin1String("\r\n")));
  }
  return 0;
}
