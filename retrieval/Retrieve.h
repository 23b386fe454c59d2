#pragma once
#include <QString>

#include "retrieval/SiteAddresses.h"

namespace platform {
class Inet;
}
namespace view {
class ControlView;
}

namespace retrieval {

// What pressing Retrieve (`B1`) does in the main window: checks the watch-page address in `T4`,
// fetches the page through `Inet1`, shows the video's details in `T3` (from today's player data,
// or by the 2008 markers) and its download link in `T1`, reports in `T2` and in error messages, and enables Download
// (`B2_0`) only after a page was loaded. `B1` is disabled while it runs and enabled again on every path.
void Retrieve(view::ControlView& frmMain, platform::Inet& Inet1, const SiteHosts& hosts);

}  // namespace retrieval
