#include "converter/EncoderWorker.h"

#include "converter/Diagnostics.h"

namespace kodavert {
namespace {

// What the frame's buffers hold, shared or not: the memory the queue keeps alive.
size_t BytesOf(const AVFrame& frame) {
  size_t bytes = 0;
  for (const AVBufferRef* buffer : frame.buf)
    if (buffer) bytes += buffer->size;
  for (int i = 0; i < frame.nb_extended_buf; ++i) bytes += frame.extended_buf[i]->size;
  return bytes;
}

}  // namespace

EncoderWorker::EncoderWorker(Work work) : work_(std::move(work)), thread_([this] { Loop(); }) {}

EncoderWorker::~EncoderWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    queue_.clear();
    queuedBytes_ = 0;
  }
  changed_.notify_all();
  thread_.join();
}

std::string EncoderWorker::Send(const AVFrame& frame) {
  FramePtr reference(av_frame_clone(&frame));
  if (!reference) return OutOfMemory;
  const size_t bytes = BytesOf(*reference);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    return queue_.empty() || (queue_.size() < kQueueDepth && queuedBytes_ + bytes <= kQueueBytes) || !error_.empty();
  });
  if (!error_.empty()) return error_;
  queuedBytes_ += bytes;
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
    queuedBytes_ -= BytesOf(*frame);
    changed_.notify_all();
    lock.unlock();
    std::string error = work_(frame.get());
    if (error.empty()) continue;
    lock.lock();
    error_ = std::move(error);
    queue_.clear();
    queuedBytes_ = 0;
    changed_.notify_all();
    return;
  }
}

}  // namespace kodavert
