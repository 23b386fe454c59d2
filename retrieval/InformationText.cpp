#include "retrieval/InformationText.h"

#include <array>
#include <utility>

namespace retrieval {

QString InformationText(const VideoInfo& info) {
  const std::array<std::pair<const char*, const std::optional<QString>*>, 6> blocks{{
      {"Title: ", &info.Title},
      {"User: ", &info.User},
      {"Date: ", &info.Date},
      {"Views: ", &info.Views},
      {"Category: ", &info.Category},
      {"Description: ", &info.Description},
  }};
  QString text;
  for (const auto& [label, field] : blocks) {
    if (*field) text += QLatin1String(label) + **field + QStringLiteral("\r\n\r\n");
  }
  return text;
}

}  // namespace retrieval
