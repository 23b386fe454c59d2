#pragma once

namespace view {
// The icon of a message box: none, or the critical-error (stop) sign.
enum class MessageIcon { None, Critical };
}  // namespace view
