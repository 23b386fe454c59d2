#include "conversion/ConverterOutput.h"

#include "conversion/ProgressParser.h"

#include <utility>

namespace conversion {
namespace {

// A converter that never ends a line must not make the kept text grow without bound.
constexpr qsizetype LongestKeptLine = 4096;

// Length of the finished part of `text`: up to and including its last line terminator.
qsizetype FinishedLength(const QString& text) {
  for (qsizetype i = text.size(); i > 0; --i) {
    if (text[i - 1] == u'\n' || text[i - 1] == u'\r') return i;
  }
  return 0;
}

}  // namespace

OutputFindings ConverterOutput::Take(QStringView chunk) {
  QString text = pending_ + chunk.toString();
  const qsizetype finished = FinishedLength(text);
  if (text.size() - finished > LongestKeptLine) return Finish(std::move(text));
  return Scan(std::move(text), finished, false);
}

OutputFindings ConverterOutput::Finish() { return Finish(std::exchange(pending_, QString())); }

OutputFindings ConverterOutput::Finish(QString text) {
  const qsizetype length = text.size();
  return Scan(std::move(text), length, true);
}

OutputFindings ConverterOutput::Scan(QString text, qsizetype finishedLength, bool flush) {
  OutputFindings found;
  const QStringView lines = QStringView(text).left(finishedLength);
  if (lines.contains(QStringView(DurationMarker))) {
    found.durationLine = true;
    found.durationSeconds = ParseDuration(lines);
  } else if (const qsizetype last = lines.lastIndexOf(QStringView(ProgressMarker)); last >= 0) {
    // A tick that falls behind finds several progress lines; the latest tells where the converter
    // is, so the last of them ends a run at 100% rather than at an earlier figure.
    found.progressSeconds = ParseProgressTime(lines.mid(last));
  }

  // The information text ends before the character that precedes the header; before that, the
  // last terminator stays back with the unfinished line.
  const qsizetype header = headerSeen_ ? -1 : text.indexOf(QStringView(OutputHeaderMarker));
  const qsizetype kept = flush ? text.size() : std::max<qsizetype>(0, finishedLength - 1);
  found.outputHeader = header >= 0;
  if (!headerSeen_) found.information = text.left(found.outputHeader ? std::max<qsizetype>(0, header - 1) : kept);
  headerSeen_ = headerSeen_ || found.outputHeader;
  pending_ = text.mid(kept);
  return found;
}

}  // namespace conversion
