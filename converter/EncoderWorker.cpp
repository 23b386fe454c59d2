#include "converter/EncoderWorker.h"

#include "converter/Diagnostics.h"

namespace kodavert {

EncoderWorker::EncoderWorker(Work work) : work_(std::move(work)), thread_([this] { Loop(); }) {}

EncoderWorker::~EncoderWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    queue_.clear();
  }
  changed_.notify_all();
  thread_.join();
}

std::string EncoderWorker::Send(const AVFrame& frame) {
  FramePtr reference(av_frame_clone(&frame));
  if (!reference) return OutOfMemory;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kQueueDepth || !error_.empty(); });
  if (!error_.empty()) return error_;
  queue_.push_back(std::move(reference));
  changed_.notify_all();
  return {};
}

std::string EncoderWorker::Finish() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
  thread_.join();
  return error_;
}

void EncoderWorker::Loop() {
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !queue_.empty() || closed_ || abandoned_; });
    if (abandoned_) return;
    if (queue_.empty()) {
      lock.unlock();
      std::string error = work_(nullptr);
      lock.lock();
      if (error_.empty()) error_ = std::move(error);
      return;
    }
    FramePtr frame = std::move(queue_.front());
    queue_.pop_front();
    changed_.notify_all();
    lock.unlock();
    std::string error = work_(frame.get());
    if (error.empty()) continue;
    lock.lock();
    error_ = std::move(error);
    queue_.clear();
    changed_.notify_all();
    return;
  }
}

}  // namespace kodavert
