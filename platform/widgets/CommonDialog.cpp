#include "platform/widgets/CommonDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <cerrno>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<testing::DialogAnswer(const CommonDialog&)>& Double() {
  return testing::Hook<struct CommonDialogDouble, testing::DialogAnswer(const CommonDialog&)>();
}
}  // namespace

QStringList CommonDialog::NameFilters() const {
  QStringList filters;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // The toolkit reads the patterns from the last parentheses; add them where the text lacks them.
    filters << (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

CommonDialog::Outcome CommonDialog::ShowOpen(QWidget* owner) {
  testing::DialogAnswer answer;
  if (Double()) {
    answer = Double()(*this);
  } else {
    QFileDialog dialog(owner, DialogTitle, InitDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((Flags & FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = NameFilters();
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) dialog.selectNameFilter(filters[FilterIndex - 1]);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      answer.fileName = dialog.selectedFiles().constFirst();
      // The chosen file can vanish between the choice and the return; the dialog promised it
      // exists, so it fails with the system's own number and text for a missing file.
      if ((Flags & FileMustExist) && !QFileInfo(answer.fileName).isFile())
        answer.outcome = {ENOENT, qt_error_string(ENOENT) + QStringLiteral(": ") + answer.fileName};
    } else {
      answer.outcome = {CancelErrorNumber, QStringLiteral("Cancel was selected.")};
    }
  }
  if (answer.outcome.errorNumber == CancelErrorNumber && !CancelError) return {};
  if (answer.outcome.errorNumber == 0) FileName = answer.fileName;
  return answer.outcome;
}

namespace testing {
void SetShowOpenDouble(std::function<DialogAnswer(const CommonDialog&)> answer) { Double() = std::move(answer); }
}  // namespace testing

}  // namespace platform
