#include "converter/Progress.h"

#include "converter/Diagnostics.h"
#include "converter/OutputMarkers.h"

extern "C" {
#include <libavutil/avutil.h>
}
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kodavert {

Progress::Progress() : start_(std::chrono::steady_clock::now()), lastReport_(start_) {}

void Progress::Written(const AVPacket& packet, AVRational timeBase, bool isVideo) {
  if (packet.pts != AV_NOPTS_VALUE) seconds_ = std::max(seconds_, (packet.pts + packet.duration) * av_q2d(timeBase));
  if (!isVideo) return;
  ++frames_;
  size_t size = 0;
  if (const uint8_t* stats = av_packet_get_side_data(&packet, AV_PKT_DATA_QUALITY_STATS, &size); stats && size >= 4) {
    int32_t quality = 0;
    std::memcpy(&quality, stats, sizeof quality);
    quantiser_ = double(quality) / FF_QP2LAMBDA;
  }
}

void Progress::Report(int64_t bytes) {
  if (std::chrono::steady_clock::now() - lastReport_ >= std::chrono::milliseconds(500)) Print(bytes);
}

void Progress::ReportFinal(int64_t bytes) { Print(bytes); }

void Progress::Print(int64_t bytes) {
  lastReport_ = std::chrono::steady_clock::now();
  const double elapsed = std::chrono::duration<double>(lastReport_ - start_).count();
  const double fps = elapsed > 0 ? frames_ / elapsed : 0;
  char bitrate[32] = "N/A";
  if (seconds_ > 0) snprintf(bitrate, sizeof bitrate, "%6.1fkbits/s", bytes * 8 / seconds_ / 1000);
  char line[160];
  snprintf(line, sizeof line, "%s%4lld fps=%3.0f q=%.1f size=%8lldkB %s%.2f %s%s", ProgressMarker,
           static_cast<long long>(frames_), fps, quantiser_, static_cast<long long>(bytes / 1024), TimeMarker,
           offset_ + factor_ * seconds_, BitrateMarker, bitrate);
  WriteLine(line);
}

}  // namespace kodavert
