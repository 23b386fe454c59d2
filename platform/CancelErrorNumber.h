#pragma once
// The error number of a cancelled common dialog, which the dialog and the window-free logic that
// tells a cancel apart must agree on; the logic links no widgets, so it lives outside the dialog.

namespace platform {
inline constexpr int CancelErrorNumber = 32755;
}  // namespace platform
