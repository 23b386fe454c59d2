#pragma once

namespace platform {

// Stands in for DoEvents: processes the window messages that are waiting (painting, clicks,
// timers), so a long-running handler leaves the window usable between its steps.
void DoEvents();

}  // namespace platform
