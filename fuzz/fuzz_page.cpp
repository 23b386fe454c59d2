// Any page text through the seven extractors and the information box's text.
#include <cstdint>
#include <cstdlib>

#include "retrieval/Extractors.h"
#include "retrieval/InformationText.h"

namespace {
void Require(bool holds) {
  if (!holds) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const retrieval::VideoInfo info = retrieval::ExtractVideoInfo(page);
  const QString text = retrieval::InformationText(info);
  // Fields cut without a finishing step are verbatim pieces of the page; every field shown must
  // reach the box unchanged.
  for (const auto* field : {&info.User, &info.Date, &info.Views, &info.Description, &info.DownloadQuery})
    Require(!*field || page.contains(**field));
  for (const auto* field : {&info.Title, &info.User, &info.Date, &info.Views, &info.Category, &info.Description})
    Require(!*field || text.contains(**field));
  return 0;
}
