#include "retrieval/Selection.h"

#include "platform/FileLookup.h"
#include "view/ControlView.h"
#include "view/MessageIcon.h"
// Only the number of a cancel, which the dialog and this code must agree on.
#include "platform/widgets/CommonDialog.h"
#include "view/frmMainControls.h"

namespace retrieval {

void TakeSelectedFile(view::ControlView& frmMain, int errorNumber, const QString& description,
                      const QString& fileName) {
  if (errorNumber == platform::CommonDialog::CancelErrorNumber) return;
  if (errorNumber != 0) {
    frmMain.ShowMessage(QStringLiteral("Error ") + QString::number(errorNumber) + QStringLiteral(" selecting file.") +
                            QStringLiteral("\r\n") + description,
                        QString(), view::MessageIcon::None);
    return;
  }
  frmMain.SetText(view::frmMain::T5, fileName);
  frmMain.SetEnabled(view::frmMain::B2_2, true);
}

void ShowConvertWindow(view::ControlView& frmMain, const QString& path,
                       const std::function<void()>& showConversionWindow) {
  frmMain.SetEnabled(view::frmMain::B3, false);
  frmMain.SetEnabled(view::frmMain::B2_2, false);
  // A failing lookup (an unreadable folder, a vanished drive) answers "not there", as a missing file.
  if (!platform::OrdinaryFileExists(path))
    frmMain.ShowError(QStringLiteral("File ") + path + QStringLiteral(" doesn't exist!"));
  else
    showConversionWindow();
  frmMain.SetEnabled(view::frmMain::B3, true);
  frmMain.SetEnabled(view::frmMain::B2_2, true);
}

}  // namespace retrieval
