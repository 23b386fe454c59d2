#pragma once
#include <functional>

namespace platform {

// Shows a run's progress (0 to 1) on the program's button in the taskbar or dock, on desktops that
// listen for the launcher entry signal (KDE Plasma, the Ubuntu dock); `visible` false takes it away.
// Elsewhere, and without a session bus, nothing happens.
void SetTaskbarProgress(double progress, bool visible);

// The desktop entry the taskbar knows the program by.
inline constexpr char16_t LauncherEntryUri[] = u"application://quillbrook.desktop";

namespace testing {
// Receives every later SetTaskbarProgress instead of the desktop; an empty function restores it.
void SetTaskbarProgressDouble(std::function<void(double progress, bool visible)> shown);
}  // namespace testing

}  // namespace platform
