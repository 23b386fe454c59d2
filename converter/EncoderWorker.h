#pragma once
#include "converter/LibavPtr.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace kodavert {

// Runs one stream's encoder on a thread of its own, so that decoding and filtering the next
// frames overlap with encoding the last ones. A short queue keeps memory small and the streams
// close to each other: it is bounded in bytes, so that a 1080p or 4K picture does not multiply
// the memory, and in frames, so that small sound frames do not run far ahead of the picture.
class EncoderWorker {
 public:
  // Encodes one frame, or drains the encoder for a null frame; an error text on failure.
  using Work = std::function<std::string(const AVFrame*)>;

  explicit EncoderWorker(Work work);
  // Without a Finish() the queued frames are dropped and the encoder is not drained: the
  // conversion failed, and the output may not even have its header.
  ~EncoderWorker();
  EncoderWorker(const EncoderWorker&) = delete;
  EncoderWorker& operator=(const EncoderWorker&) = delete;

  // Queues a reference to `frame`, waiting while the queue is full; the error of an earlier frame.
  [[nodiscard]] std::string Send(const AVFrame& frame);
  // Drains the encoder and ends the thread; the first error met.
  [[nodiscard]] std::string Finish();

 private:
  void Loop();

  static constexpr size_t kQueueDepth = 8;
  // One 1080p picture waits while the one before it is encoded; a larger one still goes alone.
  static constexpr size_t kQueueBytes = 4 * 1024 * 1024;
  Work work_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<FramePtr> queue_;
  size_t queuedBytes_ = 0;
  bool closed_ = false;
  bool abandoned_ = false;
  std::string error_;
  std::thread thread_;  // last, so that it starts when everything it uses exists
};

}  // namespace kodavert
