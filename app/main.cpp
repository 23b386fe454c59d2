#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "conversion/ConverterArguments.h"
#include "platform/FileLookup.h"
#include "platform/Inet.h"
#include "platform/PrevInstance.h"
#include "ui/frmMain.h"

namespace {

// Answers without a display, so that a package or a terminal can check an install: the version,
// and the converter that a conversion would start.
int PrintVersion(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QString converter = conversion::ConverterPath(QCoreApplication::applicationDirPath());
  std::printf("Quillbrook %s\nConverter: %s\n", QB_VERSION, qPrintable(converter));
  if (platform::OrdinaryFileExists(converter)) return 0;
  std::fprintf(stderr, "%s\n", qPrintable(QString::fromUtf16(conversion::ConverterMissingText)));
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return PrintVersion(argc, argv);
  QApplication application(argc, argv);
  App().Path = QCoreApplication::applicationDirPath();
  App().PrevInstance = platform::PrevInstance();
  platform::TrustCertificatesFromEnvironment();
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
