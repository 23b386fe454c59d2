#pragma once
#include <QStringDecoder>
#include <QStringList>

#include "conversion/ConverterOutput.h"
#include "platform/CloseHandle.h"
#include "platform/CreateProcessA.h"

namespace conversion {

// One converter child and the pipe its output comes through, from the launch to the stop.
// Destroying it stops a run still going, so nothing outlives the window.
class ConverterRun {
 public:
  // What one look at the pipe found.
  struct Chunk {
    enum class State { Nothing, Data, Ended };
    State state = State::Nothing;
    OutputFindings findings;
  };

  ConverterRun() = default;
  ConverterRun(const ConverterRun&) = delete;
  ConverterRun& operator=(const ConverterRun&) = delete;
  ~ConverterRun();

  // Creates the pipe and starts the child on it; the program's copy of the write end is closed
  // right away, so that the child's end shows as the end of the pipe. False when either failed,
  // with nothing left open.
  bool Start(const QStringList& arguments);
  bool IsActive() const { return pipeRead_.IsOpen(); }

  // Takes at most 256 bytes that are already in the pipe; never waits.
  Chunk ReadChunk();

  // Gives up the child, terminating it first when `terminate` is true (it may still be writing),
  // then the pipe.
  void Stop(bool terminate);

 private:
  platform::Handle pipeRead_;
  platform::ProcessInformation process_;
  QStringDecoder decoder_;
  ConverterOutput output_;
};

}  // namespace conversion
