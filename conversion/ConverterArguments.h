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

// One option as the converter gets it: `name` is the option as one argument ("-y", "-b",
// "-deinterlace"), `value` its value (empty for a switch).
struct ConverterOption {
  QString name;
  QString value;
};

// The options for `settings` and the cut range (none when "Cut:" is not checked), in the order
// the converter expects them.
std::vector<ConverterOption> ConverterOptionList(const ConversionSettings& settings, std::optional<CutRange> cut);

// What the program says when the converter is not where ConverterPath looks.
inline constexpr char16_t ConverterMissingText[] = u"Unable to locate decoder. Please reinstall the software.";

// The converter's full path: the application directory, the separator and its file name.
QString ConverterPath(const QString& applicationDirectory);

// What starts the converter: the program, "-i" and the input, the options and the output, each
// path and value one argument whatever characters it holds; never a text for a shell.
QStringList ConverterArguments(const QString& converterPath, const QString& inputPath,
                               const std::vector<ConverterOption>& options, const QString& outputPath);

}  // namespace conversion
