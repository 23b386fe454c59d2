#pragma once
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

#include "retrieval/SiteAddresses.h"

namespace view {
class ControlView;
}

namespace retrieval {

// What Select (`B3`) does once the open-file dialog has returned: a chosen file goes into the file
// box `T5` and enables Convert (`B2_2`); a cancel changes nothing; any other failure is reported
// ("Error " + number + " selecting file." + CR LF + description, no icon, the program's title) and
// changes nothing either.
// The chosen file's folder is remembered for the next Select.
void TakeSelectedFile(view::ControlView& frmMain, int errorNumber, const QString& description, const QString& fileName);

// The folder Select's dialog opens in: the last selected file's while it is there, else
// `programFolder`.
QString OpenDialogFolder(const QString& programFolder);

// What a video handed to the program from outside (the command line, a second start, a drop)
// becomes: an address for the URL box, or a local file for the file box.
struct Arrival {
  enum class Kind { Nothing, File, Address };
  Kind kind = Kind::Nothing;
  QString text;  // the address as given, or the file's absolute path
  bool operator==(const Arrival&) const = default;
};

// A command-line argument: a watch-page address that Retrieve accepts is an address; anything else
// names a file, a relative path from `workingFolder`, a "file:" URL by its path.
Arrival ArgumentArrival(const QString& argument, const QString& workingFolder, const SiteHosts& hosts);

// Dropped items: the first, when it is an existing local file or a watch-page address that
// Retrieve accepts; nothing for anything else, so that the drop is refused.
Arrival DropArrival(const QList<QUrl>& items, const SiteHosts& hosts);

// An address goes into the URL box, for the user to Retrieve; a file is taken as Select takes it,
// or, when it is not an ordinary file, gets "File " + path + " doesn't exist!" and changes nothing.
void TakeArrival(view::ControlView& frmMain, const Arrival& arrival);

// The hand-off to the conversion window (Convert, `B2_2`): Select and Convert are disabled while it
// runs; a path that is no longer an ordinary file gets "File " + path + " doesn't exist!";
// otherwise `showConversionWindow` shows the window modally and returns when it is closed. Both
// buttons are enabled again on both paths.
void ShowConvertWindow(view::ControlView& frmMain, const QString& path,
                       const std::function<void()>& showConversionWindow);

}  // namespace retrieval
