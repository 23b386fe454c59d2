#pragma once
#include <QString>

namespace view {

enum class MessageIcon;

// The controls of one window as the window-free logic sees them, addressed by the control's
// name with the index for arrays ("T2", "B2_0", "T1_2") - the names the window gives its widgets.
// The window implements it on its widgets; tests implement it on plain values.
class ControlView {
 public:
  virtual ~ControlView() = default;

  virtual QString Text(const QString& control) const = 0;
  virtual void SetText(const QString& control, const QString& text) = 0;
  // Adds text at the end without touching what is there (multi-line information boxes).
  virtual void AppendText(const QString& control, const QString& text) = 0;

  virtual bool IsEnabled(const QString& control) const = 0;
  virtual void SetEnabled(const QString& control, bool enabled) = 0;

  // Check boxes: true when checked (value 1).
  virtual bool IsChecked(const QString& control) const = 0;

  // Progress bars show the whole number of percent their text holds, and nothing for empty text.

  // Drop-down lists: the entries, the selected index (-1 for none); Text() gives the selected entry.
  virtual void AddItem(const QString& control, const QString& item) = 0;
  virtual void ClearItems(const QString& control) = 0;
  virtual void SetListIndex(const QString& control, int index) = 0;

  // A modal message box owned by this window, OK only; returns when it is closed.
  // An empty title means the application's title.
  virtual void ShowMessage(const QString& text, const QString& title, MessageIcon icon) = 0;

  // The window's own title, and whether it is the window the user works in.
  virtual void SetCaption(const QString& caption) = 0;
  virtual bool IsActiveWindow() const = 0;

  // The program's usual error report: title "Error", the critical icon.
  void ShowError(const QString& text);
};

}  // namespace view
