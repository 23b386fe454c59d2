// Developer tool for the README's pictures: saves each window as loaded, and the main and conversion
// windows in the middle of a user's work, as PNGs into the folder given (default: the current one).
// Run it on a real or virtual display to get the fonts the user sees.
#include <QApplication>
#include <QCheckBox>
#include <QDir>

#include "ui/frmAbout.h"
#include "ui/frmConvert.h"
#include "ui/frmMain.h"

namespace M = view::frmMain;
namespace C = view::frmConvert;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  const auto save = [&](QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    window.grab().save(folder.filePath(name + ".png"));
  };
  frmMain main;
  main.Form_Load();
  save(main, "frmMain");
  frmAbout about(&main);
  save(about, "frmAbout");
  frmConvert convert(&main, [] { return QStringLiteral("clip.flv"); });
  convert.ConversionWindow().Form_Load();
  save(convert, "frmConvert");

  ui::CatalogueView &m = main.View(), &c = convert.View();
  const std::tuple<ui::CatalogueView&, const char*, QString> inUse[] = {
      {m, M::AddressBox, "http://www.youtube.com/watch?v=Zx4qD1Jv0cE"},
      {m, M::InformationBox,
       "Title: Otters holding hands\r\n\r\nUser: riverwatch\r\n\r\nDate: March 19, 2008\r\n\r\n"
       "Views: 1,204,311\r\n\r\nCategory: Pets && Animals\r\n\r\n"
       "Description: Two otters drift along, holding hands so they do not float apart.\r\n\r\n"},
      {m, M::StatusLine, "YouTube data loaded. Click Download button to save the video."},
      {m, M::FileBox, QDir::homePath() + "/Downloads/otters.flv"},
      {c, C::StartSecondsBox, "15"},
      {c, C::EndMinutesBox, "01"},
      {c, C::EndSecondsBox, "30"},
      {c, C::StatusLine, "Converting video... 42% completed."},
      {c, C::ProgressBar, "42"},
      {c, C::TimeLeftLabel, "About 3 minutes left"},
      {c, C::InformationBox,
       "Input #0, flv, from 'otters.flv':\r\n  Duration: 00:02:41.03, start: 0.000000, bitrate: 567 kb/s\r\n"
       "    Stream #0:0: Video: flv1, yuv420p, 320x240, 25 fps\r\n"
       "    Stream #0:1: Audio: mp3, 22050 Hz, mono\r\n"}};
  for (const auto& [view, box, text] : inUse) view.SetText(box, text);
  m.SetEnabled(M::DownloadButton, true);
  m.SetEnabled(M::ConvertButton, true);
  save(main, "frmMain-in-use");
  c.ControlAs<QCheckBox>(C::CutCheckBox)->setChecked(true);
  convert.ConversionWindow().SetInputsEnabled(false);
  c.SetListIndex(C::FormatList, 23);
  c.SetCaption(conversion::ProgressCaption(42, QString::fromUtf8(view::frmConvertSpec.caption)));
  save(convert, "frmConvert-in-use");
}
