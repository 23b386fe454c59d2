#include "conversion/ConverterOutput.h"

#include "conversion/ProgressParser.h"

#include <algorithm>
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

// The description comes first; an echo not seen by then is not coming (a converter that failed to
// open its input), and a duration may come from anywhere after that.
constexpr qsizetype LongestAwaitedEcho = 16384;

// Where the first "Duration: " at or after `from` stands that begins a line after its blanks, as
// the input's description line does; a stream's tags that hold the words stand after a name.
std::optional<qsizetype> DescriptionDuration(QStringView lines, qsizetype from) {
  const QStringView marker(DurationMarker);
  for (qsizetype at = lines.indexOf(marker, from); at >= 0; at = lines.indexOf(marker, at + 1)) {
    qsizetype start = at;
    while (start > 0 && lines[start - 1] == u' ') --start;
    if (start == 0 || lines[start - 1] == u'\n' || lines[start - 1] == u'\r') return at;
  }
  return std::nullopt;
}

}  // namespace

ConverterOutput::ConverterOutput(const QString& inputPath)
    : echo_(inputPath.isEmpty() ? QString() : QStringLiteral("from '") + inputPath + QStringLiteral("':")) {}

OutputFindings ConverterOutput::Take(QStringView chunk) {
  taken_ += chunk.size();
  if (!echo_.isEmpty()) {
    beforeEcho_ += chunk;
    const qsizetype at = beforeEcho_.indexOf(echo_);
    if (at >= 0 || beforeEcho_.size() > LongestAwaitedEcho + echo_.size()) {
      durationFrom_ = at >= 0 ? at + echo_.size() : taken_;
      echo_.clear();
      beforeEcho_.clear();
    }
  }
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
  const qsizetype textStart = taken_ - text.size();
  const auto duration =
      echo_.isEmpty() ? DescriptionDuration(lines, std::max<qsizetype>(0, durationFrom_ - textStart)) : std::nullopt;
  if (duration) {
    found.durationLine = true;
    found.durationSeconds = ParseDuration(lines.mid(*duration));
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
