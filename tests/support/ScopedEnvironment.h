#pragma once
#include <QByteArray>
#include <initializer_list>
#include <utility>
#include <vector>

// Sets environment variables until it goes out of scope, when the earlier values come back:
// ScopedEnvironment env{{"HOME", home}, {"XDG_CONFIG_HOME", {}}}. A null value unsets its variable.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::initializer_list<std::pair<QByteArray, QByteArray>> variables) {
    for (const auto& [name, value] : variables) {
      saved_.emplace_back(name, qgetenv(name.constData()));  // null exactly when unset
      Put(name, value);
    }
  }
  ~ScopedEnvironment() {
    // Backwards: a variable named twice ends as it was before the first.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Put(it->first, it->second);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  static void Put(const QByteArray& name, const QByteArray& value) {
    value.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
  }

  std::vector<std::pair<QByteArray, QByteArray>> saved_;
};
