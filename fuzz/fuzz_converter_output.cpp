// Any converter output, read in chunks whose sizes the input chooses, as the conversion window
// decodes and follows it.
#include <fuzzer/FuzzedDataProvider.h>

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "conversion/ConverterOutput.h"
#include "conversion/ProgressParser.h"

namespace {
void Require(bool holds) {
  if (!holds) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  QStringDecoder decoder(QStringConverter::Utf8);
  conversion::ConverterOutput output;
  QString whole, information;
  bool durationLine = false;
  int duration = 0;
  auto follow = [&](const conversion::OutputFindings& found) {
    information += found.information;
    durationLine = durationLine || found.durationLine;
    if (found.durationSeconds) duration = *found.durationSeconds;
    if (found.progressSeconds)
      Require(conversion::ProgressPercent(*found.progressSeconds, duration).value_or(0) <= 100);
  };
  while (input.remaining_bytes() > 0) {
    const auto length = input.ConsumeIntegralInRange<size_t>(1, 256);  // the window reads 256 bytes at most
    const std::string bytes = input.ConsumeBytesAsString(length);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    whole += text;
    follow(output.Take(text));
  }
  follow(output.Finish());
  // However the reads split it, the information text is everything before the character that
  // precedes the first header, and every duration line is noticed. Lines longer than the kept
  // limit are cut on purpose, so only shorter output can be held to that.
  if (whole.size() <= 4096) {
    const qsizetype header = whole.indexOf(QStringView(conversion::OutputHeaderMarker));
    Require(information == (header < 0 ? whole : whole.left(std::max<qsizetype>(0, header - 1))));
    // Only a duration that begins a line after its blanks is the input's own; the rest is a name
    // or a tag that happens to hold the words.
    static const QRegularExpression ownDuration(QStringLiteral("(^|[\\r\\n]) *") +
                                                QRegularExpression::escape(conversion::DurationMarker));
    Require(durationLine == whole.contains(ownDuration));
  }
  return 0;
}
