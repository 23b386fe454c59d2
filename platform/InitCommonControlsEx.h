#pragma once

namespace platform {
// Stands in for InitCommonControlsEx: the toolkit registers its own control classes, so there is
// nothing to prepare; true means the controls are ready.
inline bool InitCommonControlsEx() { return true; }
}  // namespace platform
