#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "app/Application.h"
#include "platform/PrevInstance.h"
#include "ui/frmMain.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  App().Path = QCoreApplication::applicationDirPath();
  App().PrevInstance = platform::PrevInstance();
  // The application's title serves message boxes without a title of their own. (A display name
  // set explicitly would be appended to every window's caption.)
  QApplication::setApplicationName(App().Title);
  QApplication::setApplicationVersion(App().FileVersion);
  QApplication::setDesktopFileName(QStringLiteral("quillbrook"));

  frmMain window;  // also registers the pictures, the icon among them
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  window.Form_Load();
  window.move(window.screen()->availableGeometry().center() - window.rect().center());
  window.show();
  return application.exec();
}
