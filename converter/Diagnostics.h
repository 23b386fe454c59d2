#pragma once
#include <string>
#include <string_view>

namespace kodavert {

// Everything the converter says goes to standard error, one write per whole line, so that a reader
// polling a pipe sees complete lines as soon as they exist. While a session is alive, libav's own
// messages are routed through here as well.
class DiagnosticsSession {
 public:
  DiagnosticsSession();
  ~DiagnosticsSession();
  DiagnosticsSession(const DiagnosticsSession&) = delete;
  DiagnosticsSession& operator=(const DiagnosticsSession&) = delete;

 private:
  int savedStatusFlags_ = -1;
};

// The complaint of every step that could not get the memory it needed.
inline constexpr char OutOfMemory[] = "out of memory.";

void WriteLine(std::string_view line);
void Warning(const std::string& message);
void Error(const std::string& message);

// Once the output header is out, the reader takes well under a kilobyte a second: from then on
// library messages share a small byte budget and repeats are dropped.
void EndOfHeader();

// Lets libav's informational text (the stream descriptions) through while alive.
class VerboseLogScope {
 public:
  VerboseLogScope();
  ~VerboseLogScope();
  VerboseLogScope(const VerboseLogScope&) = delete;
  VerboseLogScope& operator=(const VerboseLogScope&) = delete;
};

}  // namespace kodavert
