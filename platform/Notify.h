#pragma once
#include <QString>
#include <functional>

namespace platform {

// Shows one desktop notification through the session bus's notification service and returns at
// once. Without a session bus or a notification service nothing happens and nothing is reported.
void Notify(const QString& summary, const QString& body);

namespace testing {
// Receives every later Notify instead of the desktop; an empty function restores the desktop.
void SetNotifyDouble(std::function<void(const QString& summary, const QString& body)> notified);
}  // namespace testing

}  // namespace platform
