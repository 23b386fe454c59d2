#pragma once
#include <functional>

namespace platform {

// Stands in for the run-time's End: ends the whole process at once, whatever windows, dialogs or
// requests are open. Nothing is saved or asked; the program keeps no state of its own.
// Under a test double it returns, so callers return right after calling it.
void End();

namespace testing {
// Calls `ended` instead of ending the process; an empty function restores the real End.
void SetEndDouble(std::function<void()> ended);
}  // namespace testing

}  // namespace platform
