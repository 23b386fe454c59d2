#include "platform/widgets/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {
std::function<void(const testing::ShownMessage&)>& Double() {
  static std::function<void(const testing::ShownMessage&)> fn;
  return fn;
}
}  // namespace

void MessageBox(QWidget* owner, const QString& text, const QString& title, MessageIcon icon) {
  const QString caption = title.isEmpty() ? QApplication::applicationDisplayName() : title;
  if (Double()) {
    Double()({text, caption, icon});
    return;
  }
  QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text,
                  QMessageBox::Ok, owner);
  box.exec();
}

namespace testing {
void SetMessageBoxDouble(std::function<void(const ShownMessage&)> answer) { Double() = std::move(answer); }
}  // namespace testing

}  // namespace platform
