#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{';
  for (const QString& t : texts) *out << " \"" << t.toStdString() << '"';
  *out << " }";
}
