#include "conversion/ProgressDisplay.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace conversion {
namespace {
constexpr int FirstGuessPercent = 5;
// How far a new reading moves the shown guess: a quarter keeps a passing change of pace from
// swinging it, and still follows a lasting one within a few readings.
constexpr double Weight = 0.25;
}  // namespace

std::optional<int> TimeLeft::Update(int percent, qint64 elapsedMs) {
  if (percent < FirstGuessPercent) return std::nullopt;
  const double elapsed = elapsedMs / 1000.0;
  const double reading = elapsed * (100 - std::min(percent, 100)) / std::min(percent, 100);
  if (seconds_) {
    const double counted = std::max(0.0, *seconds_ - (elapsedMs - lastElapsedMs_) / 1000.0);
    seconds_ = counted + Weight * (reading - counted);
  } else {
    seconds_ = reading;
  }
  lastElapsedMs_ = elapsedMs;
  return int(*seconds_ + 0.5);
}

QString TimeLeftText(int seconds) {
  const int fives = std::max(5, (seconds + 2) / 5 * 5);
  if (fives < 60) return QStringLiteral("About %1 seconds left").arg(fives);
  const int minutes = (seconds + 30) / 60;
  return minutes == 1 ? QStringLiteral("About 1 minute left") : QStringLiteral("About %1 minutes left").arg(minutes);
}

QString ProgressCaption(int percent, const QString& caption) {
  // The caption's leading blank keeps it off the title bar's icon; after the percentage it would
  // only double the space.
  return QStringLiteral("%1% \u00b7 ").arg(percent) + caption.trimmed();
}

Notice RunEndNotice(bool failed, const QString& outputPath) {
  const QString file = QFileInfo(outputPath).fileName();
  const QString folder = QDir::toNativeSeparators(QFileInfo(outputPath).path());
  if (failed)
    return {QStringLiteral("Conversion failed: ") + file, QStringLiteral("The converter could not finish it.")};
  return {QStringLiteral("Done: ") + file, QStringLiteral("Saved in ") + folder};
}

}  // namespace conversion
