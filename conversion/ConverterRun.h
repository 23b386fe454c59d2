#pragma once
#include <QProcess>
#include <QStringDecoder>
#include <QStringList>
#include <memory>

#include "conversion/ConverterOutput.h"

namespace conversion {

// One converter child and its merged output, from the launch to the stop. Destroying it stops a
// run still going, so nothing outlives the window.
class ConverterRun {
 public:
  // What one look at the output found.
  struct Chunk {
    enum class State { Nothing, Data, Ended };
    State state = State::Nothing;
    OutputFindings findings;
  };

  ConverterRun() = default;
  ConverterRun(const ConverterRun&) = delete;
  ConverterRun& operator=(const ConverterRun&) = delete;
  ~ConverterRun();

  // Starts arguments[0] with the rest as its arguments, never through a shell, with standard
  // input empty, standard output and standard error merged, and no descriptor of the program.
  // False when it could not be started, with nothing left behind.
  bool Start(const QStringList& arguments);
  bool IsActive() const { return process_ != nullptr; }

  // Takes at most 256 bytes of what the converter has written; never waits. Ended once the
  // converter has exited and everything it wrote has been taken.
  Chunk ReadChunk();

  // Whether the converter that has Ended exited by itself with status 0.
  bool Succeeded() const { return succeeded_; }
  // The last lines the converter wrote, for a report of its failure.
  QString LastLines() const;

  // Gives up the child. One still running is asked to stop and killed two seconds later if it
  // has not; the window never waits for it.
  void Stop();

 private:
  std::unique_ptr<QProcess> process_;
  QStringDecoder decoder_;
  ConverterOutput output_;
  QString tail_;
  bool succeeded_ = false;
};

}  // namespace conversion
