// The real folder chooser, on the offscreen platform: what it offers, and that Cancel gives nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "conversion/ConversionWindow.h"
#include "platform/widgets/SHBrowseForFolder.h"

namespace {

TEST(SHBrowseForFolder, OffersFoldersOnlyUnderItsTitleAndCancelGivesNothing) {
  QString title;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  bool dirsOnly = false;
  QTimer::singleShot(200, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    mode = dialog->fileMode();
    dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
    dialog->reject();
  });
  const QString chosen = platform::SHBrowseForFolder(nullptr, QString::fromUtf16(conversion::FolderDialogTitle));
  EXPECT_EQ(chosen.toStdString(), "");
  EXPECT_EQ(title.toStdString(), "Select Video Output Folder");
  EXPECT_EQ(mode, QFileDialog::Directory);
  EXPECT_TRUE(dirsOnly);
}

}  // namespace
