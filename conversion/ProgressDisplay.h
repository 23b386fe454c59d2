#pragma once
#include <QString>
#include <QtGlobal>
#include <optional>

namespace conversion {

// What a run shows beyond the status line, where a user looks while working elsewhere: the time
// left, the percentage in the window's title, the notice at the end.

// The time left, from the share done after `elapsedMs` since the converter started. Nothing
// before 5% is done, when a guess would be a wild one. Between readings the previous guess counts
// down with the clock and moves only part of the way toward the new one, so that it does not jump
// when the converter passes through an easy or a hard part of the video.
class TimeLeft {
 public:
  std::optional<int> Update(int percent, qint64 elapsedMs);

 private:
  std::optional<double> seconds_;
  qint64 lastElapsedMs_ = 0;
};

// "About 40 seconds left" (to 5 seconds) below a minute, "About 1 minute left", then
// "About 3 minutes left" (to the nearest minute).
QString TimeLeftText(int seconds);

// The window's title while a run is at `percent`: "42% · Convert YouTube Video To New Format".
QString ProgressCaption(int percent, const QString& caption);

// The desktop notice at the end of a conversion run: what happened, and the file it concerns.
struct Notice {
  QString summary;
  QString body;
};
Notice RunEndNotice(bool failed, const QString& outputPath);

}  // namespace conversion
