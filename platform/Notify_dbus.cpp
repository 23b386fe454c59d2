#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "platform/Notify.h"
#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(const QString&, const QString&)>& Double() {
  return testing::Hook<struct NotifyDouble, void(const QString&, const QString&)>();
}
}  // namespace

void Notify(const QString& summary, const QString& body) {
  if (Double()) return Double()(summary, body);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("quillbrook")}};
  call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("quillbrook") << summary << body
       << QStringList() << hints << -1;
  // Sent without waiting for the answer: a missing service must not hold up the window.
  bus.send(call);
}

namespace testing {
void SetNotifyDouble(std::function<void(const QString&, const QString&)> notified) { Double() = std::move(notified); }
}  // namespace testing

}  // namespace platform
