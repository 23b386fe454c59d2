#include "platform/widgets/SHBrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

namespace platform {
namespace {
std::function<QString(const QString&)>& Double() {
  static std::function<QString(const QString&)> fn;
  return fn;
}
}  // namespace

QString SHBrowseForFolder(QWidget* owner, const QString& title) {
  if (Double()) return Double()(title);
  // The chooser starts from the home folder, not from the current output folder.
  return QFileDialog::getExistingDirectory(owner, title, QDir::homePath(), QFileDialog::ShowDirsOnly);
}

namespace testing {
void SetSHBrowseForFolderDouble(std::function<QString(const QString&)> answer) { Double() = std::move(answer); }
}  // namespace testing

}  // namespace platform
