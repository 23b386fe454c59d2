// Any argument vector, split at NUL bytes, through the converter's command-line reader.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments{"kodavert.dll"};
  arguments.emplace_back();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      arguments.emplace_back();
    else
      arguments.back() += char(data[i]);
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  const kodavert::ParseResult parsed = kodavert::ParseCommandLine(int(arguments.size()), argv.data());
  // A refusal always says why; an acceptance always names both files; a request for help is neither.
  if (parsed.help      ? parsed.options || !parsed.error.empty()
      : parsed.options ? parsed.options->inputPath.empty() || parsed.options->outputPath.empty()
                       : parsed.error.empty())
    std::abort();
  return 0;
}
