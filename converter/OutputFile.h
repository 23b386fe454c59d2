#pragma once
#include "converter/EncoderOptions.h"
#include "converter/LibavPtr.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace kodavert {

// Second stage: the muxer and the file it writes. Nothing touches the disk before Begin().
class OutputFile {
 public:
  struct CreateResult {
    std::unique_ptr<OutputFile> file;
    std::string error;
  };
  // `options` are the muxer's AVOptions, `metadata` the tags the file is to carry.
  [[nodiscard]] static CreateResult Create(const AVOutputFormat* format, std::string path,
                                           const OptionList& options = {}, const OptionList& metadata = {});
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool NeedsGlobalHeader() const { return context_->oformat->flags & AVFMT_GLOBALHEADER; }
  bool StoresNegativeTimes() const { return context_->oformat->flags & AVFMT_TS_NEGATIVE; }
  // DV stores no timestamps: its muxer packs each picture with the sound that has arrived by then.
  bool PacksSoundWithPictures() const { return !strcmp(context_->oformat->name, "dv"); }
  [[nodiscard]] AVStream* AddStream(const AVCodecContext& encoder, std::optional<uint32_t> tag);
  // A stream whose packets are copied from the input's `source`, in the form `parameters` describe.
  [[nodiscard]] AVStream* AddCopiedStream(const AVStream& source, const AVCodecParameters& parameters,
                                          std::optional<uint32_t> tag);
  // Gives `target` the display matrix of `source`, if it has one; false when out of memory.
  [[nodiscard]] static bool CarryDisplayMatrix(const AVStream& source, AVStream& target);
  // Writes the output's description ("Output #0, <format>, to '<path>':" and its streams).
  void Describe() const;
  // Creates the file and writes the container header; an error text on failure.
  [[nodiscard]] std::string Begin();
  [[nodiscard]] int Write(AVPacket* packet) { return av_interleaved_write_frame(context_.get(), packet); }
  // Completes the container so that what was written plays; an error text on failure.
  [[nodiscard]] std::string Finish();
  // Takes back a file that failed half-way.
  void Discard();
  int64_t BytesWritten() const;

 private:
  OutputFile(OutputContextPtr context, std::string path) : context_(std::move(context)), path_(std::move(path)) {}
  // Closes the file this class opened; formats that open their own files (AVFMT_NOFILE) have none.
  int Close();

  OutputContextPtr context_;
  std::string path_;
  bool opened_ = false;
  bool wroteToPath_ = false;  // the muxer, or this class, may have put something at path_
};

}  // namespace kodavert
