#include "conversion/ConverterRun.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QTimer>

#include <linux/close_range.h>

namespace conversion {
namespace {
constexpr int ChunkBytes = 256;
constexpr int StopGraceMilliseconds = 2000;
// Enough for the converter's closing lines, its "Error:" line among them.
constexpr qsizetype KeptTailCharacters = 2048;
constexpr int ReportedLines = 8;

// The runs with a child, for the stop by name. Runs live on the window's thread only.
QList<ConverterRun*>& Runs() {
  static QList<ConverterRun*> runs;
  return runs;
}

// Whether the system can execute `path`: an executable regular file that starts as a program
// (ELF) or a script ("#!") does. One it cannot read is left to the start to judge.
bool IsProgram(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isExecutable()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return true;
  const QByteArray start = file.read(4);
  return start == QByteArray::fromHex("7f454c46") || start.startsWith("#!");
}

// Runs in the child between fork and exec: only async-signal-safe calls. Descriptors the
// program left inheritable would otherwise reach the converter; marking them close-on-exec
// rather than closing them keeps the channel through which QProcess learns of a failed exec.
void PrepareChild() {
  if (const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC); nothing >= 0) {
    ::dup2(nothing, STDIN_FILENO);
    ::close(nothing);
  }
  if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
    for (int fd = 3; fd < 1024; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  // Signals the program blocks or ignores must not stay so in the converter: it has to stop
  // when asked.
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  for (int signal : {SIGTERM, SIGINT, SIGPIPE, SIGHUP}) ::sigaction(signal, &standard, nullptr);
}

}  // namespace

ConverterRun::~ConverterRun() {
  if (IsActive()) Release();
}

bool ConverterRun::Start(const QStringList& arguments, const QString& inputPath) {
  if (arguments.isEmpty() || IsActive()) return false;
  // Qt keeps a descriptor of each child it fails to execute, so what cannot be executed is not
  // handed to it.
  if (!IsProgram(arguments.first())) return false;
  auto process = std::make_unique<QProcess>();
  process->setProgram(arguments.first());
  process->setArguments(arguments.mid(1));
  // Standard input is set to the null device in the child itself: this Qt leaks the descriptor it
  // opens for that when the program cannot be executed.
  process->setInputChannelMode(QProcess::ForwardedInputChannel);
  process->setProcessChannelMode(QProcess::MergedChannels);
  process->setChildProcessModifier(PrepareChild);
  process->start(QIODevice::ReadOnly);
  if (!process->waitForStarted()) return false;
  process_ = std::move(process);
  // The converter writes in the system's 8-bit encoding; a character split between two reads is
  // completed by the next one.
  decoder_ = QStringDecoder(QStringConverter::System);
  output_ = ConverterOutput(inputPath);
  tail_.clear();
  succeeded_ = false;
  stopAsked_ = false;
  Runs().append(this);
  return true;
}

ConverterRun::Chunk ConverterRun::ReadChunk() {
  if (!process_) return {Chunk::State::Ended, {}};
  // Collects what has arrived and notices an exit even when no event loop has run since.
  process_->waitForReadyRead(0);
  if (stopAsked_) {
    process_->readAll();
    if (process_->state() != QProcess::NotRunning) return {};
    return {Chunk::State::Ended, {}};
  }
  const QByteArray bytes = process_->read(ChunkBytes);
  if (!bytes.isEmpty()) {
    const QString text = decoder_.decode(bytes);
    tail_ = (tail_ + text).right(KeptTailCharacters);
    return {Chunk::State::Data, output_.Take(text)};
  }
  if (process_->state() != QProcess::NotRunning) return {};
  succeeded_ = process_->exitStatus() == QProcess::NormalExit && process_->exitCode() == 0;
  return {Chunk::State::Ended, output_.Finish()};
}

QString ConverterRun::LastLines() const {
  QStringList lines = tail_.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
  // The first may be the end of a line whose start was not kept.
  if (tail_.size() == KeptTailCharacters && lines.size() > 1) lines.removeFirst();
  return lines.mid(std::max<qsizetype>(0, lines.size() - ReportedLines)).join(QStringLiteral("\r\n"));
}

void ConverterRun::Stop() {
  if (!process_ || stopAsked_) return;
  stopAsked_ = true;
  if (process_->state() == QProcess::NotRunning) return;
  process_->terminate();
  // The timer belongs to the process object, so it goes with it.
  QTimer::singleShot(StopGraceMilliseconds, process_.get(), &QProcess::kill);
}

void ConverterRun::Release() {
  if (!process_) return;
  Stop();
  Runs().removeOne(this);
  QProcess* process = process_.release();
  if (process->state() == QProcess::NotRunning) {
    delete process;
    return;
  }
  // It goes on by itself until it has ended and been collected, so that no zombie remains.
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
}

ConverterRun* ConverterRun::Owning(qint64 processId) {
  for (ConverterRun* run : Runs())
    if (processId > 0 && run->ProcessId() == processId) return run;
  return nullptr;
}

}  // namespace conversion
