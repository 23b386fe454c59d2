#include "ui/frmConvert.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/Application.h"
#include "app/Module1.h"
#include "platform/widgets/SHBrowseForFolder.h"
#include "view/frmConvertControls.h"

namespace {
constexpr int kCutBoxes = 6;

QString CutBox(int index) { return view::frmConvert::T2(index); }

// The character a key press types into a box, as the cut boxes' rule sees it: Backspace counts as
// one (and is refused). Keys that type nothing into a box (Delete, arrows, Tab, Enter, Escape)
// give none, so that they move the focus, press the default button or close the window as usual.
QChar TypedCharacter(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) return QChar(8);
  if (key.key() == Qt::Key_Delete || key.text().isEmpty() || !key.text().front().isPrint()) return QChar();
  return key.text().front();
}
}  // namespace

frmConvert::frmConvert(QWidget* owner, std::function<QString()> mainWindowFileText)
    : QDialog(owner),
      view_(this, view::frmConvertSpec),
      logic_(view_, App().Path, std::move(mainWindowFileText),
             [this] { return platform::SHBrowseForFolder(this, QString::fromUtf16(conversion::FolderDialogTitle)); }) {
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  connect(&view_, &ui::CatalogueView::clicked, this, [this](const QString& name) {
    if (name == view::frmConvert::CHk1)
      logic_.CHk1_Click();
    else if (name.startsWith(QLatin1String("B1_")))
      logic_.B1_Click(name.mid(3).toInt());
  });
  connect(&logic_, &conversion::ConversionWindow::closeRequested, this, &QDialog::reject);
  for (int i = 0; i < kCutBoxes; ++i) {
    auto* box = view_.ControlAs<QLineEdit>(CutBox(i));
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, i] { logic_.T2_Change(i); });
  }
}

void frmConvert::Show() {
  logic_.Form_Load();
  SetWindowTransparency(this);
  exec();
}

bool frmConvert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QChar typed = TypedCharacter(*key);
  if (typed.isNull() || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return false;
  for (int i = 0; i < kCutBoxes; ++i) {
    if (watched != view_.Control(CutBox(i))) continue;
    const QChar kept = logic_.T2_KeyPress(i, typed);
    if (kept.isNull()) return true;
    if (kept == typed) return false;
    // The rule may change the character: type the one it gives instead.
    view_.ControlAs<QLineEdit>(CutBox(i))->insert(QString(kept));
    return true;
  }
  return false;
}

// Every way of closing (Exit, the close box, Escape) unloads the window: a running conversion is
// cancelled and its child released.
void frmConvert::done(int result) {
  logic_.Form_Unload();
  QDialog::done(result);
}
