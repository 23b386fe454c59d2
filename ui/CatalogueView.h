#pragma once
#include <QFont>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

#include "view/ControlCatalogue.h"
#include "view/ControlView.h"

class QWidget;

namespace ui {

using view::ControlSpec;
using view::WindowSpec;

// The window font: Verdana where it is installed, otherwise the closest sans-serif face.
QFont WindowFont(double pointSize = 8.25, bool bold = false);

// A window opened over the main one: a title and a close button, nothing else.
inline constexpr Qt::WindowFlags ModalWindowFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Builds a window's controls from its catalogue table, gives each the control's name as its
// objectName, and lets the window-free logic read and write them by that name.
class CatalogueView : public QObject, public view::ControlView {
  Q_OBJECT
 public:
  CatalogueView(QWidget* window, const WindowSpec& spec);

  QWidget* Control(const QString& name) const;
  template <class W>
  W* ControlAs(const QString& name) const {
    return qobject_cast<W*>(Control(name));
  }

  QString Text(const QString& control) const override;
  void SetText(const QString& control, const QString& text) override;
  void AppendText(const QString& control, const QString& text) override;
  bool IsEnabled(const QString& control) const override;
  void SetEnabled(const QString& control, bool enabled) override;
  bool IsChecked(const QString& control) const override;
  void AddItem(const QString& control, const QString& item) override;
  void ClearItems(const QString& control) override;
  void SetListIndex(const QString& control, int index) override;
  void ShowMessage(const QString& text, const QString& title, view::MessageIcon icon) override;
  void SetCaption(const QString& caption) override;
  bool IsActiveWindow() const override;

 signals:
  // A button, label, picture or check box was clicked; `name` is the control's name.
  void clicked(const QString& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Build(const ControlSpec& row, QWidget* parent);
  void ApplyTabOrder(const WindowSpec& spec);

  QWidget* window_;
  QHash<QString, QWidget*> controls_;
};

}  // namespace ui
