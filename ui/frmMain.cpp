#include "ui/frmMain.h"

#include <QuillbrookConfig.h>
#include <QCloseEvent>

#include "app/Application.h"
#include "app/Module1.h"
#include "platform/End.h"
#include "platform/widgets/ShellExecute.h"
#include "retrieval/Retrieve.h"
#include "retrieval/Selection.h"
#include "ui/frmAbout.h"
#include "ui/frmConvert.h"
#include "view/frmMainControls.h"

frmMain::frmMain() : view_(this, view::frmMainSpec) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  connect(&view_, &ui::CatalogueView::clicked, this, &frmMain::OnClicked);
}

frmMain::~frmMain() = default;

void frmMain::OnClicked(const QString& name) {
  if (name == view::frmMain::Pic1)
    Pic1_Click();
  else if (name == view::frmMain::B1)
    B1_Click();
  else if (name == view::frmMain::B3)
    B3_Click();
  else if (name.startsWith(QLatin1String("B2_")))
    B2_Click(name.mid(3).toInt());
}

void frmMain::Form_Load() {
  if (App().PrevInstance) {
    platform::End();
    return;
  }
  InitCommonControlsLib();
  SetWindowTransparency(this);
  InitOpenDialog();
  setWindowTitle(ProductLine(App()));
}

void frmMain::InitOpenDialog() {
  CD1.DialogTitle = QStringLiteral("Select A YouTube Video File");
  CD1.InitDir = App().Path;
  // Today's downloads come as MP4, WebM or Matroska; the Flash filter stays for the old ones.
  CD1.Filter = QStringLiteral(
      "Video Files (*.flv *.mp4 *.m4v *.webm *.mkv *.mov *.avi *.wmv *.mpg *.mpeg *.3gp *.ogv)"
      "|*.flv;*.mp4;*.m4v;*.webm;*.mkv;*.mov;*.avi;*.wmv;*.mpg;*.mpeg;*.3gp;*.ogv"
      "|Flash Video Files (*.flv)|*.flv|All Files (*)|*");
  CD1.FilterIndex = 1;
  using Dialog = platform::CommonDialog;
  CD1.Flags = Dialog::HideReadOnly | Dialog::FileMustExist | Dialog::Explorer | Dialog::LongNames;
  CD1.CancelError = true;
}

void frmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  Form_Unload();
}

void frmMain::Form_Unload() { platform::End(); }

void frmMain::Pic1_Click() { platform::ShellExecute(QString::fromUtf8(config::ProductPageAddress)); }

void frmMain::B1_Click() {
  retrieval::Retrieve(view_, Inet1,
                      {QString::fromUtf8(config::VideoSiteHost), QString::fromUtf8(config::ShortLinkHost)});
}

void frmMain::B2_Click(int index) {
  switch (index) {
    case 0:
      platform::ShellExecute(view_.Text(view::frmMain::T1));
      break;
    case 1: {
      frmAbout about(this);
      about.exec();
      break;
    }
    case 2:
      ShowConvertWindow(view_.Text(view::frmMain::T5));
      break;
    case 3:
      close();
      break;
    case 4:
      platform::ShellExecute(QString::fromUtf8(config::ProductPageAddress));
      break;
    default:
      break;
  }
}

void frmMain::B3_Click() {
  const platform::CommonDialog::Outcome outcome = CD1.ShowOpen(this);
  retrieval::TakeSelectedFile(view_, outcome.errorNumber, outcome.description, CD1.FileName);
}

void frmMain::ShowConvertWindow(const QString& path) {
  retrieval::ShowConvertWindow(view_, path, [this] {
    // Each opening starts from the window's initial state, as a freshly loaded window does.
    frmConvert convert(this, [this] { return view_.Text(view::frmMain::T5); });
    convert.Show();
  });
}
