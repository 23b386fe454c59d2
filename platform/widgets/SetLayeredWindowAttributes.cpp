#include "platform/widgets/SetLayeredWindowAttributes.h"

#include <QGuiApplication>
#include <QWidget>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(QWidget*, int)>& Double() {
  return testing::Hook<struct SetLayeredWindowAttributesDouble, void(QWidget*, int)>();
}
}  // namespace

bool SetLayeredWindowAttributes(QWidget* window, int alpha) {
  if (Double()) {
    Double()(window, alpha);
    return true;
  }
  // Qt keeps the opacity as a window property and applies it when the window is shown; platforms
  // without translucency ignore it quietly. An X11 desktop without a compositor cannot be told
  // apart from here, so only the platforms known to lack it answer false.
  window->setWindowOpacity(alpha / 255.0);
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

namespace testing {
void SetLayeredWindowAttributesDouble(std::function<void(QWidget*, int)> recorder) { Double() = std::move(recorder); }
}  // namespace testing

}  // namespace platform
