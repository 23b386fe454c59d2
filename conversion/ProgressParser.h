#pragma once
#include <QString>
#include <QStringView>
#include <optional>

#include "converter/OutputMarkers.h"

namespace conversion {

// The lines of the converter's diagnostic output that the conversion window follows.
inline const QString DurationMarker = QString::fromLatin1(kodavert::DurationMarker);
inline const QString OutputHeaderMarker = QString::fromLatin1(kodavert::OutputHeaderMarker);
inline const QString ProgressMarker = QString::fromLatin1(kodavert::ProgressMarker);

// The input's length in whole seconds, from the eight characters "hh:mm:ss" right after the first
// "Duration: " (a fraction that follows is ignored). Nothing when the marker is absent, or when
// those characters are not two-digit groups separated by colons ("N/A", a line cut short).
std::optional<int> ParseDuration(QStringView chunk);

// The position a progress line reports, in whole seconds: for text that contains "frame= ", the
// value between the first "time=" and the single character before the first "bitrate=", a decimal
// number with "." as its point, rounded to the nearest second with an exact half going to the
// even neighbour (16.5 gives 16, 17.5 gives 18). Nothing when the text holds no progress line or
// the value is not a number.
std::optional<int> ParseProgressTime(QStringView chunk);

// The share of the input reached, in whole percent truncated toward zero and capped at 100.
// Nothing while the duration is unknown (zero or less), as there is no sensible share then.
std::optional<int> ProgressPercent(int positionSeconds, int durationSeconds);

}  // namespace conversion
