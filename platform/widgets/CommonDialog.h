#pragma once
#include <QString>
#include <functional>

#include "platform/CancelErrorNumber.h"

class QWidget;

namespace platform {

// Stands in for the common dialog control, used as an open-file dialog. Its settings are plain
// properties made once and kept for every later ShowOpen.
class CommonDialog {
 public:
  static constexpr int CancelErrorNumber = platform::CancelErrorNumber;
  // Flags, as the control numbers them; only FileMustExist changes what this stand-in does.
  static constexpr int HideReadOnly = 4;
  static constexpr int FileMustExist = 4096;
  static constexpr int Explorer = 524288;
  static constexpr int LongNames = 2097152;

  // The outcome of ShowOpen, in the control's terms: error 0 means a file was chosen (FileName),
  // CancelErrorNumber a cancel (only when CancelError is set), anything else a failure.
  struct Outcome {
    int errorNumber = 0;
    QString description;
  };

  QString DialogTitle;
  QString InitDir;
  QString Filter;  // "description|pattern|description|pattern..."
  int FilterIndex = 1;
  int Flags = 0;
  bool CancelError = false;
  QString FileName;

  // Shows the modal open-file dialog and returns when the user has chosen or cancelled.
  Outcome ShowOpen(QWidget* owner);

  // The filter in the toolkit's form: "Flash Video Files (*.flv)".
  QStringList NameFilters() const;
};

namespace testing {
// Answers every later ShowOpen in place of the user: the function gets the dialog's settings and
// returns the outcome and the chosen file; an empty function restores the real dialog.
struct DialogAnswer {
  CommonDialog::Outcome outcome;
  QString fileName;
};
void SetShowOpenDouble(std::function<DialogAnswer(const CommonDialog&)> answer);
}  // namespace testing

}  // namespace platform
