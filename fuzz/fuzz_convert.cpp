// Any file as the converter's input, converted in-process with small catalogue-like settings.
extern "C" {
#include <libavutil/mem.h>
}
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "converter/Conversion.h"
#include "converter/Diagnostics.h"

namespace {

std::filesystem::path folder;

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string name = (std::filesystem::temp_directory_path() / "qb-fuzz-convert-XXXXXX").string();
  if (!mkdtemp(name.data())) std::abort();
  folder = name;
  std::atexit(RemoveFolder);
  // A damaged header may ask for any size of picture: the library refusing a huge allocation is
  // a failure the converter must handle, not an out-of-memory of the fuzzer.
  av_max_alloc(64 << 20);
  // Routes the library's messages through our own log handling, as in the real program.
  static kodavert::DiagnosticsSession diagnostics;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = (folder / "input.flv").string();
  if (FILE* file = std::fopen(input.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  } else {
    std::abort();
  }
  // One second of output at most. The input's length picks a small video format or sound only, so
  // the mutations that lengthen or shorten a file try it with the other.
  const bool sound = size % 2;
  const std::string output = (folder / (sound ? "output.mp3" : "output.avi")).string();
  std::vector<const char*> argv{"kodavert.dll", "-i", input.c_str(), "-y", "-t", "1"};
  const std::vector<const char*> video{"-s",  "160x112", "-r",  "29.97", "-b",  "216",   "-vcodec",      "mpeg4",
                                       "-ac", "2",       "-ab", "48",    "-ar", "22050", "-deinterlace", "-sameq"};
  const std::vector<const char*> audio{"-f", "mp3", "-acodec", "mp3", "-ac", "2", "-ab", "128", "-ar", "44100"};
  argv.insert(argv.end(), sound ? audio.begin() : video.begin(), sound ? audio.end() : video.end());
  argv.push_back(output.c_str());
  const kodavert::ParseResult parsed = kodavert::ParseCommandLine(int(argv.size()), argv.data());
  if (!parsed.options) std::abort();
  (void)kodavert::Convert(*parsed.options);
  std::remove(output.c_str());
  std::remove(input.c_str());
  return 0;
}
