#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "platform/TaskbarProgress.h"
#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(double, bool)>& Double() {
  return testing::Hook<struct TaskbarProgressDouble, void(double, bool)>();
}
}  // namespace

void SetTaskbarProgress(double progress, bool visible) {
  if (Double()) return Double()(progress, visible);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage signal =
      QDBusMessage::createSignal(QStringLiteral("/com/canonical/unity/launcherentry/quillbrook"),
                                 QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
  const QVariantMap properties{{QStringLiteral("progress"), progress}, {QStringLiteral("progress-visible"), visible}};
  signal << QString::fromUtf16(LauncherEntryUri) << properties;
  bus.send(signal);
}

namespace testing {
void SetTaskbarProgressDouble(std::function<void(double, bool)> shown) { Double() = std::move(shown); }
}  // namespace testing

}  // namespace platform
