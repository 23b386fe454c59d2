#pragma once
#include <utility>

namespace platform {

// A kernel object the program holds: here a file descriptor (a process's). It is
// closed exactly once, by CloseHandle or by the destructor, whichever comes first.
class Handle {
 public:
  Handle() = default;
  explicit Handle(int descriptor) : descriptor_(descriptor) {}
  Handle(Handle&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  Handle& operator=(Handle&& other) noexcept;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle();

  bool IsOpen() const { return descriptor_ >= 0; }
  int Descriptor() const { return descriptor_; }

 private:
  friend void CloseHandle(Handle& handle);
  int descriptor_ = -1;
};

// Stands in for CloseHandle: releases the object; closing a closed handle does nothing.
void CloseHandle(Handle& handle);

}  // namespace platform
