#include "retrieval/Selection.h"

#include "platform/CancelErrorNumber.h"
#include "platform/FileLookup.h"
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
