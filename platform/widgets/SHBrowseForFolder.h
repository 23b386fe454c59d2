#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace platform {

// Stands in for SHBrowseForFolder with SHGetPathFromIDList: a modal folder chooser owned by
// `owner`, titled `title`, that offers file-system folders only. Returns the chosen folder's
// path, or empty text when the user cancels.
QString SHBrowseForFolder(QWidget* owner, const QString& title);

namespace testing {
// Every later folder chooser goes to `answer` (given the title) instead of the screen; its result
// stands for the user's choice, empty for Cancel. An empty function restores the real chooser.
void SetSHBrowseForFolderDouble(std::function<QString(const QString& title)> answer);
}  // namespace testing

}  // namespace platform
