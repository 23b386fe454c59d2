#include "ui/frmConvert.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/Application.h"
#include "app/Module1.h"
#include "platform/widgets/SHBrowseForFolder.h"
#include "view/frmConvertControls.h"

using view::frmConvert::CutTime;
using view::frmConvert::NameOf;

namespace {

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
      conversionWindow_(view_, App().Path, std::move(mainWindowFileText), [this] {
        return platform::SHBrowseForFolder(this, QString::fromUtf16(conversion::FolderDialogTitle));
      }) {
  setWindowFlags(ui::ModalWindowFlags);
  setModal(true);
  connect(&view_, &ui::CatalogueView::clicked, this, [this](const QString& name) {
    if (name == view::frmConvert::CutCheckBox) conversionWindow_.CHk1_Click();
    for (const auto button : view::frmConvert::Buttons) {
      if (name == NameOf(button)) conversionWindow_.B1_Click(button);
    }
  });
  connect(&conversionWindow_, &conversion::ConversionWindow::closeRequested, this, &QDialog::reject);
  for (const CutTime index : view::frmConvert::CutTimes) {
    auto* box = view_.ControlAs<QLineEdit>(NameOf(index));
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, index] { conversionWindow_.T2_Change(index); });
  }
}

void frmConvert::Show() {
  conversionWindow_.Form_Load();
  SetWindowTransparency(this);
  exec();
}

bool frmConvert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QChar typed = TypedCharacter(*key);
  if (typed.isNull() || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return false;
  for (const CutTime index : view::frmConvert::CutTimes) {
    if (watched != view_.Control(NameOf(index))) continue;
    const QChar kept = conversionWindow_.T2_KeyPress(index, typed);
    if (kept.isNull()) return true;
    if (kept == typed) return false;
    // The rule may change the character: type the one it gives instead.
    view_.ControlAs<QLineEdit>(NameOf(index))->insert(QString(kept));
    return true;
  }
  return false;
}

// Every way of closing (Exit, the close box, Escape) unloads the window: a running conversion is
// cancelled and its child released.
void frmConvert::done(int result) {
  conversionWindow_.Form_Unload();
  QDialog::done(result);
}
