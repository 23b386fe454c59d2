#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "view/MessageIcon.h"

class QMessageBox;
class QWidget;

namespace platform {

using view::MessageIcon;

// A modal message box with a single OK button. `title` empty means the application's title.
// Returns when the user has closed it.
void MessageBox(QWidget* owner, const QString& text, const QString& title, MessageIcon icon);

// The box MessageBox shows, not yet shown. Its text is plain text, never markup.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& text, const QString& title,
                                            MessageIcon icon);

namespace testing {
struct ShownMessage {
  QString text;
  QString title;
  MessageIcon icon;
};
// Every later message box goes to `answer` instead of the screen (it stands for the user pressing
// OK); an empty function restores the real box.
void SetMessageBoxDouble(std::function<void(const ShownMessage&)> answer);
}  // namespace testing

}  // namespace platform
