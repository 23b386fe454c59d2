// Developer tool: saves a PNG of each window in its initial state, and of the main and conversion
// windows as a user sees them in the middle of their work, into the folder given as the first
// argument (default: the current folder). Run it under a real or virtual display to see the fonts
// the user sees; the README's pictures come from here.
#include <QApplication>
#include <QCheckBox>
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

  ui::CatalogueView& m = main.View();
  m.SetText(QStringLiteral("T4"), QStringLiteral("http://www.youtube.com/watch?v=Zx4qD1Jv0cE"));
  m.SetText(QStringLiteral("T3"), QStringLiteral("Title: Otters holding hands\r\n\r\nUser: riverwatch\r\n\r\n"
                                                 "Date: March 19, 2008\r\n\r\nViews: 1,204,311\r\n\r\n"
                                                 "Category: Pets && Animals\r\n\r\nDescription: Two otters "
                                                 "drift along, holding hands so they do not float apart.\r\n\r\n"));
  m.SetText(QStringLiteral("T2"), QStringLiteral("YouTube data loaded. Click Download button to save the video."));
  m.SetText(QStringLiteral("T5"), QDir::homePath() + QStringLiteral("/Downloads/otters.flv"));
  m.SetEnabled(QStringLiteral("B2_0"), true);
  m.SetEnabled(QStringLiteral("B2_2"), true);
  Save(main, folder, QStringLiteral("frmMain-in-use"));

  ui::CatalogueView& c = convert.View();
  c.ControlAs<QCheckBox>(QStringLiteral("CHk1"))->setChecked(true);
  convert.Logic().SetInputsEnabled(false);
  c.SetListIndex(QStringLiteral("CBO"), 23);
  c.SetText(QStringLiteral("T2_2"), QStringLiteral("15"));
  c.SetText(QStringLiteral("T2_4"), QStringLiteral("01"));
  c.SetText(QStringLiteral("T2_5"), QStringLiteral("30"));
  c.SetText(QStringLiteral("T1_2"), QStringLiteral("Input #0, flv, from 'otters.flv':\r\n  Duration: 00:02:41.03, "
                                                   "start: 0.000000, bitrate: 567 kb/s\r\n    Stream #0:0: Video: "
                                                   "flv1, yuv420p, 320x240, 25 fps\r\n    Stream #0:1: Audio: mp3, "
                                                   "22050 Hz, mono\r\n"));
  c.SetText(QStringLiteral("T1_0"), QStringLiteral("Converting video... 42% completed."));
  Save(convert, folder, QStringLiteral("frmConvert-in-use"));
  return 0;
}
