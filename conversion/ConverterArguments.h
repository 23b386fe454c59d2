#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "conversion/FormatCatalogue.h"

namespace conversion {

// The cut range in whole seconds since 00:00:00.
struct CutRange {
  int startSeconds = 0;
  int endSeconds = 0;
};

// One option as the converter gets it: `literal` is the option's text as it is written on the
// command line ("-y ", "-b ", "-deinterlace"), `value` its value (empty for a switch).
struct ConverterOption {
  QString literal;
  QString value;
};

// The options for `settings` and the cut range (none when "Cut:" is not checked), in the order
// the converter expects them.
std::vector<ConverterOption> ConverterOptionList(const ConversionSettings& settings, std::optional<CutRange> cut);

// The converter's full path: the application directory, the separator and its file name.
QString ConverterPath(const QString& applicationDirectory);

// What starts the converter: the program, "-i" and the input, the options and the output, each
// path and value one argument whatever characters it holds; never a text for a shell.
QStringList ConverterArguments(const QString& converterPath, const QString& inputPath,
                               const std::vector<ConverterOption>& options, const QString& outputPath);

}  // namespace conversion
