#include "conversion/TimeBoxes.h"

namespace conversion {
namespace {

// The value of the digits at the start of `text`; the boxes hold two characters at most, but
// pasted text may hold more.
int LeadingNumber(const QString& text) {
  int value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9' || value > 99999) break;
    value = value * 10 + (c.unicode() - u'0');
  }
  return value;
}

}  // namespace

QChar FilterTimeKey(QChar typed) { return typed >= u'0' && typed <= u'9' ? typed : QChar(); }

std::optional<QString> LimitedTimeText(const QString& text) {
  if (LeadingNumber(text) >= 60) return QStringLiteral("00");
  return std::nullopt;
}

int SecondsOfTime(const QString& hours, const QString& minutes, const QString& seconds) {
  return LeadingNumber(hours) * 3600 + LeadingNumber(minutes) * 60 + LeadingNumber(seconds);
}

}  // namespace conversion
