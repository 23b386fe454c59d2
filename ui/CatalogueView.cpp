#include "ui/CatalogueView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/widgets/MessageBox.h"

// The pictures live in a static library; their resources must be registered by hand.
static void InitPictures() {
  static const bool done = [] {
    Q_INIT_RESOURCE(pictures);
    return true;
  }();
  (void)done;
}

namespace ui {
namespace {
using namespace view;

// Multi-line boxes show CR LF as one line break, but the logic reads back exactly what it wrote.
constexpr const char* kExactText = "quillbrookExactText";

// Laying out one line takes time that grows with the square of its length, and a page can hold
// megabytes where a title belongs. Longer lines are cut for display and marked with "..."; the
// logic still reads back the whole text.
constexpr qsizetype kLongestShownLine = 10000;

QString Displayed(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (text.size() <= kLongestShownLine) return text;
  QStringList lines;
  for (QStringView line : QStringView(text).split(u'\n')) {
    lines << (line.size() <= kLongestShownLine ? line.toString()
                                               : line.left(kLongestShownLine).toString() + QLatin1String("..."));
  }
  return lines.join(u'\n');
}

// Labels treat "&" as the mark of a keyboard shortcut and "&&" as one ampersand, so the shown text
// drops single marks; the logic reads back what it wrote.
QString WithoutMnemonics(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size())
      ++i;
    else if (text[i] == QLatin1Char('&'))
      continue;
    shown += text[i];
  }
  return shown;
}

void SetLabelText(QLabel* label, const QString& text) {
  label->setProperty(kExactText, text);
  label->setText(Displayed(WithoutMnemonics(text)));
}

QRect Geometry(const ControlSpec& row) {
  return QRect(TwipsToPixels(row.left), TwipsToPixels(row.top), TwipsToPixels(row.width), TwipsToPixels(row.height));
}

QFont FontFor(unsigned style) {
  QFont font = WindowFont((style & Small) ? 6.75 : 8.25, style & Bold);
  if (style & LinkColour) font.setUnderline(true);
  return font;
}

void ApplyColours(QWidget* w, unsigned style) {
  QPalette palette = w->palette();
  if (style & DarkText) {
    palette.setColor(QPalette::Text, QColor(64, 64, 64));
    palette.setColor(QPalette::WindowText, QColor(64, 64, 64));
  }
  if (style & StatusGround) palette.setColor(QPalette::Base, QColor(224, 224, 224));
  if (style & LinkColour) palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  if (style & WhiteGround) {
    palette.setColor(QPalette::Button, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
  }
  w->setPalette(palette);
}

QWidget* Create(const ControlSpec& row, QWidget* parent) {
  const QString text = QString::fromUtf8(row.text);
  switch (row.kind) {
    case ControlKind::PictureBox:
      return new QWidget(parent);
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(QPixmap(text));
      picture->setAlignment(Qt::AlignCenter);
      return picture;
    }
    case ControlKind::Frame: {
      auto* frame = new QGroupBox(text, parent);
      // The frame's colour is its caption's only; the controls inside keep their own.
      if (row.style & DarkText) frame->setStyleSheet(QStringLiteral("QGroupBox { color: rgb(64, 64, 64); }"));
      return frame;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      SetLabelText(label, text);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(row.style & WordWrap);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::TextBox: {
      if (row.style & MultiLine) {
        auto* box = new QPlainTextEdit(parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setReadOnly(row.style & ReadOnly);
        if (row.style & ReadOnly)
          box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setPlainText(Displayed(text));
        box->setProperty(kExactText, text);
        return box;
      }
      auto* box = new QLineEdit(text, parent);
      box->setReadOnly(row.style & ReadOnly);
      if (row.style & TwoCharacters) box->setMaxLength(2);
      return box;
    }
    case ControlKind::Button:
      return new QPushButton(text, parent);
    case ControlKind::ComboBox:
      return new QComboBox(parent);
    case ControlKind::CheckBox:
      return new QCheckBox(text, parent);
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, 100);
      bar->reset();
      return bar;
    }
  }
  return nullptr;
}

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::Button || kind == ControlKind::ComboBox ||
         kind == ControlKind::CheckBox;
}

}  // namespace

QFont WindowFont(double pointSize, bool bold) {
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    for (const char* candidate : {"Verdana", "DejaVu Sans", "Bitstream Vera Sans"})
      if (installed.contains(QLatin1String(candidate))) return QString::fromLatin1(candidate);
    return QString();  // the platform's default sans-serif face
  }();
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

CatalogueView::CatalogueView(QWidget* window, const WindowSpec& spec) : QObject(window), window_(window) {
  InitPictures();
  window->setObjectName(QString::fromLatin1(spec.name));
  window->setFont(WindowFont());
  if (*spec.caption) window->setWindowTitle(QString::fromUtf8(spec.caption));
  window->setFixedSize(TwipsToPixels(spec.clientWidth), TwipsToPixels(spec.clientHeight));
  for (const ControlSpec& row : spec.controls) {
    QWidget* parent = *row.container ? Control(QString::fromLatin1(row.container)) : window;
    controls_.insert(QString::fromLatin1(row.name), Build(row, parent));
  }
  ApplyTabOrder(spec);
}

QWidget* CatalogueView::Build(const ControlSpec& row, QWidget* parent) {
  QWidget* w = Create(row, parent);
  w->setObjectName(QString::fromLatin1(row.name));
  w->setGeometry(Geometry(row));
  w->setFont(FontFor(row.style));
  // A palette would pass a frame's colour on to the controls inside; its style sheet does not.
  if (row.kind != ControlKind::Frame) ApplyColours(w, row.style);
  const QString tip = QString::fromUtf8(row.tip);
  w->setToolTip(tip);
  w->setAccessibleDescription(tip);
  const QString accessible = QString::fromUtf8(*row.accessibleName ? row.accessibleName : row.text);
  if (!accessible.isEmpty() && row.kind != ControlKind::Label) w->setAccessibleName(accessible);
  if (row.style & HandCursor) w->setCursor(Qt::PointingHandCursor);
  w->setEnabled(!(row.style & Disabled));
  w->setVisible(!(row.style & Hidden));
  if (!TakesFocus(row.kind)) w->setFocusPolicy(Qt::NoFocus);

  if (auto* button = qobject_cast<QPushButton*>(w)) {
    // Enter presses the focused button, as Space does, in every window.
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, name = w->objectName()] { emit clicked(name); });
  } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
    connect(box, &QCheckBox::clicked, this, [this, name = w->objectName()] { emit clicked(name); });
  } else if (qobject_cast<QLabel*>(w)) {
    w->installEventFilter(this);
  }
  return w;
}

void CatalogueView::ApplyTabOrder(const WindowSpec& spec) {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& row : spec.controls)
    if (row.tab >= 0 && TakesFocus(row.kind)) order.push_back(&row);
  std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab < b->tab; });
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(Control(QString::fromLatin1(order[i - 1]->name)),
                         Control(QString::fromLatin1(order[i]->name)));
}

bool CatalogueView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint()))
      emit clicked(w->objectName());
  }
  return QObject::eventFilter(watched, event);
}

QWidget* CatalogueView::Control(const QString& name) const {
  QWidget* w = controls_.value(name);
  // A name the catalogue does not hold is a fault of the program, not of its input.
  if (!w) qFatal("%s has no control named %s", qPrintable(window_->objectName()), qPrintable(name));
  return w;
}

QString CatalogueView::Text(const QString& control) const {
  QWidget* w = Control(control);
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(w)) return box->property(kExactText).toString();
  if (qobject_cast<QLabel*>(w)) return w->property(kExactText).toString();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText();
  if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
  if (auto* bar = qobject_cast<QProgressBar*>(w))
    return bar->value() < bar->minimum() ? QString() : QString::number(bar->value());
  return {};
}

void CatalogueView::SetText(const QString& control, const QString& text) {
  QWidget* w = Control(control);
  if (auto* box = qobject_cast<QLineEdit*>(w)) {
    box->setText(text);
    box->setCursorPosition(0);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
    box->setProperty(kExactText, text);
    box->setPlainText(Displayed(text));
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    SetLabelText(label, text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(text);
  } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
    frame->setTitle(text);
  } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
    text.isEmpty() ? bar->reset() : bar->setValue(text.toInt());
  }
}

void CatalogueView::AppendText(const QString& control, const QString& text) {
  auto* box = qobject_cast<QPlainTextEdit*>(Control(control));
  if (!box) {
    SetText(control, Text(control) + text);
    return;
  }
  box->setProperty(kExactText, box->property(kExactText).toString() + text);
  // Appending at the end keeps a long converter report cheap and leaves the user's scroll position.
  QTextCursor cursor(box->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(Displayed(text));
}

bool CatalogueView::IsEnabled(const QString& control) const { return Control(control)->isEnabled(); }
void CatalogueView::SetEnabled(const QString& control, bool enabled) { Control(control)->setEnabled(enabled); }

bool CatalogueView::IsChecked(const QString& control) const {
  auto* box = ControlAs<QCheckBox>(control);
  return box && box->checkState() == Qt::Checked;
}

void CatalogueView::AddItem(const QString& control, const QString& item) {
  if (auto* list = ControlAs<QComboBox>(control)) list->addItem(item);
}
void CatalogueView::ClearItems(const QString& control) {
  if (auto* list = ControlAs<QComboBox>(control)) list->clear();
}
void CatalogueView::SetListIndex(const QString& control, int index) {
  if (auto* list = ControlAs<QComboBox>(control)) list->setCurrentIndex(index);
}

void CatalogueView::SetCaption(const QString& caption) { window_->setWindowTitle(caption); }
bool CatalogueView::IsActiveWindow() const { return window_->isActiveWindow(); }

void CatalogueView::ShowMessage(const QString& text, const QString& title, view::MessageIcon icon) {
  platform::MessageBox(window_, text, title, icon);
}

}  // namespace ui
