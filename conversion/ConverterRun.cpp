#include "conversion/ConverterRun.h"

#include "platform/CreatePipe.h"
#include "platform/ReadFile.h"
#include "platform/TerminateProcess.h"

namespace conversion {
namespace {
constexpr int ChunkBytes = 256;
}

ConverterRun::~ConverterRun() {
  if (IsActive()) Stop(true);
}

bool ConverterRun::Start(const QStringList& arguments) {
  std::optional<platform::Pipe> pipe = platform::CreatePipe();
  if (!pipe) return false;
  std::optional<platform::ProcessInformation> process = platform::CreateProcessA(arguments, pipe->write);
  platform::CloseHandle(pipe->write);
  if (!process) return false;  // the read end closes with `pipe`
  pipeRead_ = std::move(pipe->read);
  process_ = std::move(*process);
  // The converter writes in the system's 8-bit encoding; a character split between two reads is
  // completed by the next one.
  decoder_ = QStringDecoder(QStringConverter::System);
  output_ = ConverterOutput();
  return true;
}

ConverterRun::Chunk ConverterRun::ReadChunk() {
  const platform::ReadResult read = platform::ReadFile(pipeRead_, ChunkBytes);
  switch (read.state) {
    case platform::ReadResult::State::Nothing:
      return {};
    case platform::ReadResult::State::Data: {
      const QString text = decoder_.decode(read.bytes);
      return {Chunk::State::Data, output_.Take(text)};
    }
    case platform::ReadResult::State::Ended:
      break;
  }
  return {Chunk::State::Ended, output_.Finish()};
}

void ConverterRun::Stop(bool terminate) {
  if (terminate && process_.IsOpen()) platform::TerminateProcess(platform::OpenProcess(process_.ProcessId()));
  platform::CloseHandle(process_);
  platform::CloseHandle(pipeRead_);
}

}  // namespace conversion
