#include "converter/Conversion.h"

#include "converter/Diagnostics.h"
#include "converter/Encoders.h"
#include "converter/InputFile.h"
#include "converter/OutputFile.h"
#include "converter/OutputPlan.h"
#include "converter/PalettePass.h"
#include "converter/StopSignal.h"
#include "converter/Targets.h"
#include "converter/Transcoder.h"

extern "C" {
#include <libavformat/avio.h>
}
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <utility>

namespace kodavert {
namespace {

int Fail(const std::string& message, int status = kExitFailure) {
  Error(message);
  return status;
}

// The file that libavformat's file protocol opens for `url` ("file:clip.flv" is clip.flv), or
// nothing when another protocol reads or writes it.
std::optional<std::string> LocalFile(const std::string& url) {
  const char* protocol = avio_find_protocol_name(url.c_str());
  if (!protocol || strcmp(protocol, "file")) return std::nullopt;
  return url.starts_with("file:") ? url.substr(5) : url;
}

// Two names of one file: the same inode when both exist, the same place when neither does yet.
bool SameFile(const std::optional<std::string>& a, const std::string& b) {
  if (!a) return false;
  struct stat first {};
  struct stat second {};
  const bool firstExists = stat(a->c_str(), &first) == 0, secondExists = stat(b.c_str(), &second) == 0;
  if (firstExists || secondExists)
    return firstExists && secondExists && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  std::error_code failed;
  const auto placeA = std::filesystem::weakly_canonical(*a, failed);
  if (failed) return false;
  const auto placeB = std::filesystem::weakly_canonical(b, failed);
  return !failed && placeA == placeB;
}

struct Refusal {
  std::string error;
  int status = kExitSuccess;
};

// Nothing the run writes may be the input or another of its files, whatever name the command
// line gives them; and the output may not replace a file the user did not allow to replace.
Refusal CheckFiles(const Options& options) {
  const std::optional<std::string> input = LocalFile(options.inputPath), output = LocalFile(options.outputPath);
  struct stat existing {};
  if (output && stat(output->c_str(), &existing) == 0) {
    if (SameFile(input, *output))
      return {"the output '" + options.outputPath + "' is the input file itself; choose another name.", kExitUsage};
    if (!options.overwrite)
      return {"'" + options.outputPath + "' already exists; give -y to overwrite it.", kExitFailure};
  }
  if (!options.pass) return {};
  // x264 writes its notes beside a temporary copy first, and its macroblock tree beside them.
  for (const char* suffix : {"", ".temp", ".mbtree", ".mbtree.temp"}) {
    const std::string log = options.PassLogPath() + suffix;
    const char* clash = SameFile(input, log) ? "input" : SameFile(output, log) ? "output" : nullptr;
    if (clash)
      return {"the two-pass log '" + log + "' would be the " + clash + " file itself; give -passlogfile another name.",
              kExitUsage};
  }
  return {};
}

// The second pass's filters and encoder are set up around a blank palette, so that the output's
// description comes before the first pass's progress, as the window expects.
int Transcode(InputFile& input, OutputPlan plan) {
  const bool ownPalette = plan.video && plan.video->ownPalette;
  if (ownPalette && !(plan.video->palette = BlankPalette())) return Fail(OutOfMemory);
  OutputFile::CreateResult created = OutputFile::Create(plan.format, plan.outputPath, plan.muxerOptions, plan.metadata);
  if (!created.file) return Fail(created.error);
  OutputFile& output = *created.file;
  // Declared after the output so that it goes first: its encoder threads write into the output.
  Transcoder transcoder(input, output);
  if (std::string error = transcoder.Setup(plan); !error.empty()) return Fail(error);
  output.Describe();
  if (ownPalette) {
    OutputPlan firstPass = plan;
    firstPass.video->palette.reset();
    transcoder.SetPictureFiltersAside();
    PaletteResult made = MakePalette(firstPass);
    if (!made.error.empty()) return Fail(made.error);
    if (!made.palette) {
      Warning("stopped on request before the palette was made; nothing was written.");
      return kExitStopped;
    }
    av_frame_unref(plan.video->palette.get());
    if (const int result = av_frame_ref(plan.video->palette.get(), made.palette.get()); result < 0)
      return Fail(OutOfMemory);
    if (std::string error = transcoder.UsePalette(made.seconds); !error.empty()) return Fail(error);
  }
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
  if (!transcoder.ReadError().empty()) return Fail(transcoder.ReadError(), kExitInputDamaged);
  return kExitSuccess;
}

}  // namespace

int Convert(const Options& given, const std::vector<std::string>& warnings) {
  if (Refusal refusal = CheckFiles(given); !refusal.error.empty()) return Fail(refusal.error, refusal.status);
  InputFile::OpenResult opened = InputFile::Open(given.inputPath);
  if (!opened.file) return StopRequested() ? kExitStopped : Fail(opened.error);
  opened.file->Describe(given.inputPath);
  for (const std::string& warning : warnings) Warning(warning);
  if (!opened.file->Video() && !opened.file->Audio())
    return Fail("'" + given.inputPath +
                "' holds no video or sound that can be decoded. The file "
                "may be damaged or incomplete; try downloading it again.");
  Options options = given;
  if (!options.target.empty()) ApplyTarget(options, opened.file->VideoFrameRate());
  OutputPlan plan = PlanOutput(options, *opened.file);
  if (!plan.error.empty()) {
    Error(plan.error);
    return plan.commandLineError ? kExitUsage : kExitFailure;
  }
  if (plan.video && plan.video->encoder && plan.video->qscale)
    if (std::string error = CheckFixedQuality(plan.video->encoder, *plan.video->qscale); !error.empty())
      return Fail(error, kExitUsage);
  return Transcode(*opened.file, std::move(plan));
}

}  // namespace kodavert
