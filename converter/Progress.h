#pragma once
extern "C" {
#include <libavcodec/packet.h>
}
#include <algorithm>
#include <chrono>
#include <cstdint>

namespace kodavert {

// Keeps count of what was written and reports it as progress lines in the stock manner, with the
// position in seconds: "frame=  412 fps= 95 q=2.0 size=    1234kB time=16.48 bitrate= 613.3kbits/s".
// Two lines a second at most, so that a slow reader of the pipe never falls behind.
class Progress {
 public:
  Progress();
  void Written(const AVPacket& packet, AVRational timeBase, bool isVideo);
  // A pass that writes nothing reports how far it has read instead.
  void Reached(double seconds) { seconds_ = std::max(seconds_, seconds); }
  // When the input is read twice, each pass shows its position as a share of both: `offset` plus
  // `factor` times its own.
  void ShowAs(double offset, double factor) { offset_ = offset, factor_ = factor; }
  void Report(int64_t bytes);       // only when half a second has passed
  void ReportFinal(int64_t bytes);  // always

 private:
  void Print(int64_t bytes);

  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastReport_;
  int64_t frames_ = 0;
  double quantiser_ = 0;
  double seconds_ = 0;
  double offset_ = 0;
  double factor_ = 1;
};

}  // namespace kodavert
