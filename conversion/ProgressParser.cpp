#include "conversion/ProgressParser.h"

#include <cmath>
#include <limits>

namespace conversion {
namespace {

std::optional<int> TwoDigits(QStringView text) {
  if (text.size() != 2 || !text[0].isDigit() || !text[1].isDigit()) return std::nullopt;
  return text[0].digitValue() * 10 + text[1].digitValue();
}

}  // namespace

std::optional<int> ParseDuration(QStringView chunk) {
  const QStringView marker(DurationMarker);
  const qsizetype at = chunk.indexOf(marker);
  if (at < 0) return std::nullopt;
  const QStringView time = chunk.mid(at + marker.size(), 8);
  if (time.size() != 8 || time[2] != u':' || time[5] != u':') return std::nullopt;
  const auto hours = TwoDigits(time.mid(0, 2));
  const auto minutes = TwoDigits(time.mid(3, 2));
  const auto seconds = TwoDigits(time.mid(6, 2));
  if (!hours || !minutes || !seconds) return std::nullopt;
  return *hours * 3600 + *minutes * 60 + *seconds;
}

std::optional<int> ParseProgressTime(QStringView chunk) {
  if (!chunk.contains(QStringView(ProgressMarker))) return std::nullopt;
  const QLatin1String timeMarker(kodavert::TimeMarker);
  const qsizetype time = chunk.indexOf(timeMarker);
  const qsizetype bitrate = chunk.indexOf(QLatin1String(kodavert::BitrateMarker));
  if (time < 0 || bitrate < 0) return std::nullopt;
  const qsizetype from = time + timeMarker.size();
  const qsizetype length = bitrate - 1 - from;  // the one separating character is left out
  if (length <= 0) return std::nullopt;
  bool ok = false;
  const double value = chunk.mid(from, length).toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  // nearbyint rounds in the default mode, to nearest with ties to even.
  const double rounded = std::nearbyint(value);
  if (std::fabs(rounded) > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(rounded);
}

std::optional<int> ProgressPercent(int positionSeconds, int durationSeconds) {
  if (durationSeconds <= 0) return std::nullopt;
  const qint64 percent = qint64(positionSeconds) * 100 / durationSeconds;
  return static_cast<int>(std::min<qint64>(percent, 100));
}

}  // namespace conversion
