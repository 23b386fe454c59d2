#include "converter/Diagnostics.h"

extern "C" {
#include <libavutil/log.h>
}
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <mutex>
#include <string>

namespace kodavert {
namespace {

constexpr double kLibraryBytesPerSecond = 300;
constexpr double kLibraryBurstBytes = 600;

struct LogState {
  std::mutex mutex;
  std::string pendingLine;  // library text not yet ended by a newline
  std::string lastLibraryLine;
  bool headerDone = false;
  double budget = kLibraryBurstBytes;
  std::chrono::steady_clock::time_point budgetTime = std::chrono::steady_clock::now();
  int printPrefix = 1;
};

LogState& State() {
  static LogState state;
  return state;
}

// A full pipe drops the line instead of holding up the conversion (pipe writes of this size are
// all-or-nothing); any other failure is ignored, there is nowhere else to report it.
void WriteWhole(std::string_view line) {
  while (::write(STDERR_FILENO, line.data(), line.size()) < 0 && errno == EINTR) {
  }
}

bool TakeBudget(LogState& state, size_t bytes) {
  const auto now = std::chrono::steady_clock::now();
  const double elapsed = std::chrono::duration<double>(now - state.budgetTime).count();
  state.budgetTime = now;
  state.budget = std::min(kLibraryBurstBytes, state.budget + elapsed * kLibraryBytesPerSecond);
  if (state.budget < double(bytes)) return false;
  state.budget -= double(bytes);
  return true;
}

void EmitLibraryLine(LogState& state, std::string line) {
  if (state.headerDone) {
    if (line == state.lastLibraryLine || !TakeBudget(state, line.size())) return;
    state.lastLibraryLine = line;
  }
  WriteWhole(line);
}

void LibraryLog(void* object, int level, const char* format, va_list arguments) {
  if (level > av_log_get_level()) return;
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  // Most lines fit the first try; a longer one (the input's description echoes its path, which
  // may run to thousands of bytes) is formatted again whole, so that no marker is cut off.
  va_list again;
  va_copy(again, arguments);
  const int prefix = state.printPrefix;
  std::string text(1024, '\0');
  int length = av_log_format_line2(object, level, format, arguments, text.data(), int(text.size()), &state.printPrefix);
  if (length >= int(text.size())) {
    text.assign(size_t(length) + 1, '\0');
    state.printPrefix = prefix;
    length = av_log_format_line2(object, level, format, again, text.data(), int(text.size()), &state.printPrefix);
  }
  va_end(again);
  if (length < 0) return;
  text.resize(std::min(size_t(length), text.size() - 1));
  state.pendingLine += text;
  for (size_t end; (end = state.pendingLine.find('\n')) != std::string::npos;) {
    EmitLibraryLine(state, state.pendingLine.substr(0, end + 1));
    state.pendingLine.erase(0, end + 1);
  }
}

}  // namespace

DiagnosticsSession::DiagnosticsSession() {
  struct stat info {};
  if (fstat(STDERR_FILENO, &info) == 0 && S_ISFIFO(info.st_mode)) {
    savedStatusFlags_ = fcntl(STDERR_FILENO, F_GETFL);
    if (savedStatusFlags_ >= 0) fcntl(STDERR_FILENO, F_SETFL, savedStatusFlags_ | O_NONBLOCK);
  }
  av_log_set_level(AV_LOG_WARNING);
  av_log_set_callback(LibraryLog);
}

DiagnosticsSession::~DiagnosticsSession() {
  av_log_set_callback(av_log_default_callback);
  if (savedStatusFlags_ >= 0) fcntl(STDERR_FILENO, F_SETFL, savedStatusFlags_);
}

void WriteLine(std::string_view line) {
  std::string whole(line);
  whole += '\n';
  std::lock_guard lock(State().mutex);
  WriteWhole(whole);
}

void Warning(const std::string& message) { WriteLine("Warning: " + message); }
void Error(const std::string& message) { WriteLine("Error: " + message); }

void EndOfHeader() {
  std::lock_guard lock(State().mutex);
  State().headerDone = true;
}

VerboseLogScope::VerboseLogScope() { av_log_set_level(AV_LOG_INFO); }
VerboseLogScope::~VerboseLogScope() { av_log_set_level(AV_LOG_WARNING); }

}  // namespace kodavert
