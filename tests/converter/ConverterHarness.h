#pragma once
// Runs the real converter and the real ffmpeg/ffprobe tools as child processes for the tests.
#include <QString>
#include <QStringList>

#include <vector>

#include "tests/support/Media.h"

namespace convertertest {

using namespace testmedia;

QString ConverterPath();
// `kodavert.dll -i input <options split at blanks> output`, as the window composes it.
RunResult RunConverter(const QString& input, const QString& optionText, const QString& output);

// One entry of the conversion window's format list: its option text exactly as the window
// writes it, and what the file must hold when made from the 320x240, 25 fps, 22050 Hz mono test
// video (0 means "as the source").
struct CatalogueRow {
  const char* name;
  const char* extension;
  const char* optionText;
  const char* videoCodec;  // nullptr: no picture
  int width, height;
  double frameRate;
  const char* audioCodec;
  int sampleRate, channels;
};

const std::vector<CatalogueRow>& CatalogueRows();

}  // namespace convertertest
