// Developer tool: saves a PNG of each window in its initial state into the folder given as the
// first argument (default: the current folder). Run it under a real or virtual display to see the
// fonts the user sees; the README's picture of the main window comes from here.
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "app/Application.h"
#include "ui/frmAbout.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace {
void Save(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  App().Path = QCoreApplication::applicationDirPath();
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  frmMain main;
  main.Form_Load();
  Save(main, folder, QStringLiteral("frmMain"));
  frmAbout about(&main);
  Save(about, folder, QStringLiteral("frmAbout"));
  frmConvert convert(&main, [] { return QStringLiteral("clip.flv"); });
  convert.Logic().Form_Load();
  Save(convert, folder, QStringLiteral("frmConvert"));
  return 0;
}
