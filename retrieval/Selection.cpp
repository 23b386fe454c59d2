#include "retrieval/Selection.h"

#include <QDir>
#include <QFileInfo>

#include "platform/CancelErrorNumber.h"
#include "platform/FileLookup.h"
#include "platform/RememberedChoices.h"
#include "view/ControlView.h"
#include "view/MessageIcon.h"
#include "view/frmMainControls.h"

namespace retrieval {

void TakeSelectedFile(view::ControlView& frmMain, int errorNumber, const QString& description,
                      const QString& fileName) {
  if (errorNumber == platform::CancelErrorNumber) return;
  if (errorNumber != 0) {
    frmMain.ShowMessage(QStringLiteral("Error ") + QString::number(errorNumber) + QStringLiteral(" selecting file.") +
                            QStringLiteral("\r\n") + description,
                        QString(), view::MessageIcon::None);
    return;
  }
  frmMain.SetText(view::frmMain::FileBox, fileName);
  frmMain.SetEnabled(view::frmMain::ConvertButton, true);
  platform::Remember(platform::Choice::SelectedFileFolder, QFileInfo(fileName).absolutePath());
}

QString OpenDialogFolder(const QString& programFolder) {
  const QString folder = platform::Remembered(platform::Choice::SelectedFileFolder);
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : programFolder;
}

Arrival ArgumentArrival(const QString& argument, const QString& workingFolder, const SiteHosts& hosts) {
  if (argument.isEmpty()) return {};
  if (IsWatchPageAddress(argument, hosts)) return {Arrival::Kind::Address, argument};
  const QUrl url(argument);
  const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
  return {Arrival::Kind::File, QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path))};
}

Arrival DropArrival(const QList<QUrl>& items, const SiteHosts& hosts) {
  if (items.isEmpty()) return {};
  const QUrl& item = items.first();
  if (item.isLocalFile()) {
    if (!QFileInfo(item.toLocalFile()).isFile()) return {};
    return {Arrival::Kind::File, item.toLocalFile()};
  }
  const QString address = item.toString();
  if (IsWatchPageAddress(address, hosts)) return {Arrival::Kind::Address, address};
  return {};
}

void TakeArrival(view::ControlView& frmMain, const Arrival& arrival) {
  switch (arrival.kind) {
    case Arrival::Kind::Nothing:
      break;
    case Arrival::Kind::Address:
      frmMain.SetText(view::frmMain::AddressBox, arrival.text);
      break;
    case Arrival::Kind::File:
      if (platform::OrdinaryFileExists(arrival.text))
        TakeSelectedFile(frmMain, 0, QString(), arrival.text);
      else
        frmMain.ShowError(QStringLiteral("File ") + arrival.text + QStringLiteral(" doesn't exist!"));
      break;
  }
}

void ShowConvertWindow(view::ControlView& frmMain, const QString& path,
                       const std::function<void()>& showConversionWindow) {
  frmMain.SetEnabled(view::frmMain::SelectButton, false);
  frmMain.SetEnabled(view::frmMain::ConvertButton, false);
  // A failing lookup (an unreadable folder, a vanished drive) answers "not there", as a missing file.
  if (!platform::OrdinaryFileExists(path))
    frmMain.ShowError(QStringLiteral("File ") + path + QStringLiteral(" doesn't exist!"));
  else
    showConversionWindow();
  frmMain.SetEnabled(view::frmMain::SelectButton, true);
  frmMain.SetEnabled(view::frmMain::ConvertButton, true);
}

}  // namespace retrieval
