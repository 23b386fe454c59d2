#include "ui/frmMain.h"

#include <QuillbrookConfig.h>
#include <QCloseEvent>
#include <QDir>
#include <QMimeData>

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
  // A drop anywhere on the window is the window's: the URL box would otherwise take any text.
  for (QWidget* child : findChildren<QWidget*>()) child->setAcceptDrops(false);
  setAcceptDrops(true);
}

namespace {
retrieval::SiteHosts Hosts() {
  return {QString::fromUtf8(config::VideoSiteHost), QString::fromUtf8(config::ShortLinkHost)};
}
}  // namespace

frmMain::~frmMain() = default;

void frmMain::OnClicked(const QString& name) {
  if (name == view::frmMain::Banner)
    Pic1_Click();
  else if (name == view::frmMain::RetrieveButton)
    B1_Click();
  else if (name == view::frmMain::SelectButton)
    B3_Click();
  for (const auto button : view::frmMain::Buttons) {
    if (name == view::frmMain::NameOf(button)) B2_Click(button);
  }
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
  QStringList patterns;
  for (const char* extension : {"flv", "mp4", "m4v", "webm", "mkv", "mov", "avi", "wmv", "mpg", "mpeg", "3gp", "ogv"})
    patterns.append(QStringLiteral("*.") + QLatin1String(extension));
  CD1.Filter = QStringLiteral("Video Files (%1)|%2|Flash Video Files (*.flv)|*.flv|All Files (*)|*")
                   .arg(patterns.join(u' '), patterns.join(u';'));
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

void frmMain::B1_Click() { retrieval::Retrieve(view_, Inet1, Hosts()); }

void frmMain::B2_Click(view::frmMain::Button index) {
  using Button = view::frmMain::Button;
  switch (index) {
    case Button::Download:
      platform::ShellExecute(view_.Text(view::frmMain::LinkBox));
      break;
    case Button::About: {
      frmAbout about(this);
      about.exec();
      break;
    }
    case Button::Convert:
      ShowConvertWindow(view_.Text(view::frmMain::FileBox));
      break;
    case Button::Exit:
      close();
      break;
    case Button::Update:
      platform::ShellExecute(QString::fromUtf8(config::ProductPageAddress));
      break;
  }
}

void frmMain::B3_Click() {
  CD1.InitDir = retrieval::OpenDialogFolder(App().Path);
  const platform::CommonDialog::Outcome outcome = CD1.ShowOpen(this);
  retrieval::TakeSelectedFile(view_, outcome.errorNumber, outcome.description, CD1.FileName);
}

void frmMain::ShowConvertWindow(const QString& path) {
  retrieval::ShowConvertWindow(view_, path, [this] {
    // Each opening starts from the window's initial state, as a freshly loaded window does.
    frmConvert convert(this, [this] { return view_.Text(view::frmMain::FileBox); });
    convert.Show();
  });
}

void frmMain::TakeArgument(const QString& argument) {
  retrieval::TakeArrival(view_, retrieval::ArgumentArrival(argument, QDir::currentPath(), Hosts()));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
  if (retrieval::DropArrival(event->mimeData()->urls(), Hosts()).kind != retrieval::Arrival::Kind::Nothing)
    event->acceptProposedAction();
  else
    event->ignore();
}

void frmMain::dropEvent(QDropEvent* event) {
  const retrieval::Arrival arrival = retrieval::DropArrival(event->mimeData()->urls(), Hosts());
  if (arrival.kind == retrieval::Arrival::Kind::Nothing) return event->ignore();
  event->acceptProposedAction();
  retrieval::TakeArrival(view_, arrival);
}
