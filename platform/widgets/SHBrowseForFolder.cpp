#include "platform/widgets/SHBrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<QString(const QString&)>& Double() {
  return testing::Hook<struct SHBrowseForFolderDouble, QString(const QString&)>();
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
