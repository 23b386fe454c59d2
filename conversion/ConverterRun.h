#pragma once
#include <QProcess>
#include <QStringDecoder>
#include <QStringList>
#include <memory>

#include "conversion/ConverterOutput.h"

namespace conversion {

// One converter child and its merged output, from the launch to the stop. It alone stops its
// child: one request to stop, and one kill when the grace time is over. Destroying it stops a run
// still going, so nothing outlives the window.
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
  // False when it could not be started (also when arguments[0] is not a program the system can
  // execute), with nothing left behind. `inputPath` is the input as the arguments name it, whose
  // echo in the converter's description tells where the input's own duration begins.
  bool Start(const QStringList& arguments, const QString& inputPath);
  bool IsActive() const { return process_ != nullptr; }
  // Zero once the converter has ended and been collected.
  qint64 ProcessId() const { return process_ ? process_->processId() : 0; }

  // Takes at most 256 bytes of what the converter has written; never waits. Ended once the
  // converter has exited and everything it wrote has been taken. After Stop what it writes is
  // dropped, so the end is not held up by output nobody reads.
  Chunk ReadChunk();

  // Whether the converter that has Ended exited by itself with status 0.
  bool Succeeded() const { return succeeded_; }
  // The last lines the converter wrote, for a report of its failure.
  QString LastLines() const;

  // Asks the converter to stop (SIGTERM), so that it completes what it has written, and kills it
  // if it is still there when the grace time is over. Returns at once; the run stays active until
  // ReadChunk reports the end. Asking again changes nothing.
  void Stop();
  bool StopAsked() const { return stopAsked_; }

  // Gives up the child. One still running is stopped as above and collected by itself when it
  // ends; nobody waits for it.
  void Release();

  // The run whose converter has this process id, if it is this program's.
  static ConverterRun* Owning(qint64 processId);

 private:
  std::unique_ptr<QProcess> process_;
  QStringDecoder decoder_;
  ConverterOutput output_;
  QString tail_;
  bool succeeded_ = false;
  bool stopAsked_ = false;
};

}  // namespace conversion
