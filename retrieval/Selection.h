#pragma once
#include <QString>
#include <functional>

namespace view {
class ControlView;
}

namespace retrieval {

// What Select (`B3`) does once the open-file dialog has returned: a chosen file goes into the file
// box `T5` and enables Convert (`B2_2`); a cancel changes nothing; any other failure is reported
// ("Error " + number + " selecting file." + CR LF + description, no icon, the program's title) and
// changes nothing either.
void TakeSelectedFile(view::ControlView& frmMain, int errorNumber, const QString& description, const QString& fileName);

// The hand-off to the conversion window (Convert, `B2_2`): Select and Convert are disabled while it
// runs; a path that is no longer an ordinary file gets "File " + path + " doesn't exist!";
// otherwise `showConversionWindow` shows the window modally and returns when it is closed. Both
// buttons are enabled again on both paths.
void ShowConvertWindow(view::ControlView& frmMain, const QString& path,
                       const std::function<void()>& showConversionWindow);

}  // namespace retrieval
