#pragma once

namespace platform {
// The icon of a message box: none, or the critical-error (stop) sign.
enum class MessageIcon { None, Critical };
}  // namespace platform
