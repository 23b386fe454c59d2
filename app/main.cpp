#include <QuillbrookConfig.h>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "conversion/ConverterArguments.h"
#include "platform/FileLookup.h"
#include "platform/HandOver.h"
#include "platform/PrevInstance.h"
#include "retrieval/Selection.h"
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

// The video the program was started with (`quillbrook FILE` or `quillbrook URL`): a file's path made
// absolute here, where the caller's working folder is known, so that a running instance can take it.
QString VideoArgument(const QStringList& arguments) {
  if (arguments.size() < 2) return {};
  const retrieval::SiteHosts hosts{QString::fromUtf8(config::VideoSiteHost), QString::fromUtf8(config::ShortLinkHost)};
  return retrieval::ArgumentArrival(arguments[1], QDir::currentPath(), hosts).text;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return PrintVersion(argc, argv);
  QApplication application(argc, argv);
  App().Path = QCoreApplication::applicationDirPath();
  App().PrevInstance = platform::PrevInstance();
  const QString video = VideoArgument(QCoreApplication::arguments());
  // A second start gives its video to the running instance and then ends in Form_Load as before.
  // The first listens from here on; what arrives waits in the socket until the window is up.
  platform::HandOverServer handOver;
  if (App().PrevInstance && !video.isEmpty())
    platform::HandOver(video);
  else if (!App().PrevInstance)
    handOver.Listen();
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
  if (!video.isEmpty()) window.TakeArgument(video);
  QObject::connect(&handOver, &platform::HandOverServer::received, &window, [&window](const QString& argument) {
    window.TakeArgument(argument);
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
  });
  return application.exec();
}
