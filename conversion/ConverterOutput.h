#pragma once
#include <QString>
#include <QStringView>
#include <optional>

namespace conversion {

// What one tick learns from the converter's output.
struct OutputFindings {
  bool durationLine = false;           // a "Duration: " line, parsable or not
  std::optional<int> durationSeconds;  // its value, when it is hh:mm:ss
  std::optional<int> progressSeconds;  // a progress line's position; never together with a duration line
  bool outputHeader = false;           // "Output #0" has arrived, in this chunk for the first time
  QString information;                 // output to add to the information box, once each
};

// Follows the converter's output across reads. A read may end in the middle of a line, so the
// unfinished last line is kept and searched again together with the next chunk: a marker or a
// value split between two reads is still recognised. Duration and progress are taken from
// finished lines only, so a line is never counted twice. The information text stops right before
// the character preceding "Output #0", wherever the reads happened to split the output.
class ConverterOutput {
 public:
  // `inputPath` is the input as the converter was given it. The converter repeats it in the
  // input's description ("from '<path>':"), and a name may hold anything, "Duration: " and line
  // ends included: the duration is read only from the description's own lines after that echo.
  explicit ConverterOutput(const QString& inputPath = {});

  OutputFindings Take(QStringView chunk);
  // The converter has ended: whatever is left counts as a finished line.
  OutputFindings Finish();

 private:
  OutputFindings Finish(QString text);
  OutputFindings Scan(QString text, qsizetype finishedLength, bool flush);

  // Everything after the last finished line, starting with that line's terminator, which is held
  // back so that the information text can end before it when "Output #0" follows.
  QString pending_;
  bool headerSeen_ = false;
  // The echo of the input's path while it is still awaited, and all the output taken meanwhile.
  QString echo_;
  QString beforeEcho_;
  qsizetype taken_ = 0;         // characters taken so far
  qsizetype durationFrom_ = 0;  // where in the output a duration may start, once the echo has passed
};

}  // namespace conversion
