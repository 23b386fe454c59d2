#pragma once
#include <QChar>
#include <QString>
#include <optional>

namespace conversion {

// The cut range's six boxes (hours, minutes, seconds of the start and of the end).

// What a typed character becomes: digits pass; everything else, Backspace included, is
// discarded (a null character).
QChar FilterTimeKey(QChar typed);

// The text a box must change to: "00" when the number it starts with is 60 or more (hours
// included); nothing when it may stay.
std::optional<QString> LimitedTimeText(const QString& text);

// Seconds since 00:00:00 of three box texts. A box counts as the number its text starts with,
// so an empty box counts as 0; hours beyond 23 count in full, as the converter takes any length.
int SecondsOfTime(const QString& hours, const QString& minutes, const QString& seconds);

}  // namespace conversion
