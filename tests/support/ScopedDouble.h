#pragma once
// Test doubles that last as long as their holder: the real calls come back when it goes, also
// when a test fails on the way.
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

// Sets doubles through their setters (platform::testing::Set...Double) and sets each back to
// empty, the real call, when it goes: doubles.Set(platform::testing::SetEndDouble, [&] { ++ended; }).
class ScopedDoubles {
 public:
  ScopedDoubles() = default;
  ScopedDoubles(const ScopedDoubles&) = delete;
  ScopedDoubles& operator=(const ScopedDoubles&) = delete;
  ~ScopedDoubles() {
    for (auto it = resets_.rbegin(); it != resets_.rend(); ++it) (*it)();
  }

  template <typename Signature>
  void Set(void (*set)(std::function<Signature>), std::type_identity_t<std::function<Signature>> stand) {
    set(std::move(stand));
    resets_.push_back([set] { set({}); });
  }

 private:
  std::vector<std::function<void()>> resets_;
};

// Keeps a copy of a value that a test may change and puts it back when it goes.
template <typename T>
class ScopedRestore {
 public:
  explicit ScopedRestore(T& value) : value_(value), saved_(value) {}
  ~ScopedRestore() { value_ = saved_; }
  ScopedRestore(const ScopedRestore&) = delete;
  ScopedRestore& operator=(const ScopedRestore&) = delete;

 private:
  T& value_;
  const T saved_;
};
