#include "converter/Conversion.h"

#include "converter/Diagnostics.h"
#include "converter/InputFile.h"
#include "converter/OutputFile.h"
#include "converter/OutputPlan.h"
#include "converter/StopSignal.h"
#include "converter/Targets.h"
#include "converter/Transcoder.h"

#include <sys/stat.h>

namespace kodavert {
namespace {

int Fail(const std::string& message) {
  Error(message);
  return kExitFailure;
}

// The output may neither replace a file the user did not allow to replace, nor the input itself.
std::string CheckOutputPath(const Options& options) {
  struct stat output {}, input {};
  if (stat(options.outputPath.c_str(), &output) != 0) return {};
  if (stat(options.inputPath.c_str(), &input) == 0 && input.st_dev == output.st_dev &&
      input.st_ino == output.st_ino)
    return "the output '" + options.outputPath + "' is the input file itself; choose another name.";
  if (!options.overwrite)
    return "'" + options.outputPath + "' already exists; give -y to overwrite it.";
  return {};
}

int Transcode(const Options& options, InputFile& input, const OutputPlan& plan) {
  OutputFile::CreateResult created =
      OutputFile::Create(plan.format, options.outputPath, plan.muxerOptions, options.metadata);
  if (!created.file) return Fail(created.error);
  OutputFile& output = *created.file;
  Transcoder transcoder(options, input, output);
  if (std::string error = transcoder.Setup(plan); !error.empty()) return Fail(error);
  output.Describe();
  if (std::string error = output.Begin(); !error.empty()) {
    output.Discard();
    return Fail(error);
  }
  EndOfHeader();
  std::string error = transcoder.Run();
  if (error.empty()) error = output.Finish();
  if (!error.empty()) {
    output.Discard();
    return Fail(error + " Nothing was kept of the output.");
  }
  if (StopRequested()) {
    Warning("stopped on request; the output holds what was converted so far.");
    return kExitStopped;
  }
  return transcoder.InputDamaged() ? kExitInputDamaged : kExitSuccess;
}

// -vframes counts pictures of the output; the sound ends with them. Copied pictures are counted
// as they are copied.
void LimitToFrames(Options& options, const OutputPlan& plan) {
  if (!options.videoFrames || (plan.video && !plan.video->encoder)) return;
  if (!plan.video) {
    Warning("-vframes has no pictures to count in this output; the whole length is converted.");
    return;
  }
  const double seconds = *options.videoFrames / av_q2d(plan.video->frameRate);
  if (!options.lengthSeconds || seconds < *options.lengthSeconds) options.lengthSeconds = seconds;
}

}  // namespace

int Convert(const Options& given, const std::vector<std::string>& warnings) {
  if (std::string error = CheckOutputPath(given); !error.empty()) return Fail(error);
  InputFile::OpenResult opened = InputFile::Open(given.inputPath);
  if (!opened.file) return StopRequested() ? kExitStopped : Fail(opened.error);
  opened.file->Describe(given.inputPath);
  for (const std::string& warning : warnings) Warning(warning);
  if (!opened.file->Video() && !opened.file->Audio())
    return Fail("'" + given.inputPath + "' holds no video or sound that can be decoded. The file "
                "may be damaged or incomplete; try downloading it again.");
  Options options = given;
  if (!options.target.empty()) ApplyTarget(options, opened.file->VideoFrameRate());
  const OutputPlan plan = PlanOutput(options, *opened.file);
  if (!plan.error.empty()) {
    Error(plan.error);
    return plan.commandLineError ? kExitUsage : kExitFailure;
  }
  LimitToFrames(options, plan);
  return Transcode(options, *opened.file, plan);
}

}  // namespace kodavert
