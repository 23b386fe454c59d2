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

// The option text: each option followed by one blank, so "-y" is followed by two.
QString ConverterOptions(const ConversionSettings& settings, std::optional<CutRange> cut);

// The converter's full path: the application directory, the separator and its file name.
QString ConverterPath(const QString& applicationDirectory);

// The command line as one text: the unquoted converter path, " -i ", the quoted input, a blank,
// the option text and the quoted output. It shows what is run; it is never handed to a shell.
QString ConverterCommandLine(const QString& converterPath, const QString& inputPath, const QString& options,
                             const QString& outputPath);

// The argument vector made of the same pieces, which is what actually starts the converter: each
// path and value is one argument, whatever characters it holds.
QStringList ConverterArguments(const QString& converterPath, const QString& inputPath,
                               const std::vector<ConverterOption>& options, const QString& outputPath);

}  // namespace conversion
