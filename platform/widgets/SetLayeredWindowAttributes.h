#pragma once
#include <functional>

class QWidget;

namespace platform {

// Stands in for the layered-window calls (extended style plus SetLayeredWindowAttributes with
// LWA_ALPHA): draws the window at alpha/255 opacity. Returns false where the platform cannot make
// windows translucent (no compositor, the offscreen platform); the window then stays opaque.
bool SetLayeredWindowAttributes(QWidget* window, int alpha);

namespace testing {
// Records each call instead of touching the window; an empty function restores the real one.
void SetLayeredWindowAttributesDouble(std::function<void(QWidget*, int)> recorder);
}  // namespace testing

}  // namespace platform
