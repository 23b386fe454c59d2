#include "platform/widgets/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/TestHook.h"

namespace platform {
namespace {
std::function<void(const testing::ShownMessage&)>& Double() {
  return testing::Hook<struct MessageBoxDouble, void(const testing::ShownMessage&)>();
}
}  // namespace

void MessageBox(QWidget* owner, const QString& text, const QString& title, MessageIcon icon) {
  const QString caption = title.isEmpty() ? QApplication::applicationDisplayName() : title;
  if (Double()) {
    Double()({text, caption, icon});
    return;
  }
  MakeMessageBox(owner, text, caption, icon)->exec();
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& text, const QString& title,
                                            MessageIcon icon) {
  auto box = std::make_unique<QMessageBox>(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                                           title, text, QMessageBox::Ok, owner);
  // A file named "<b>a</b>.flv" is shown as it is named, not in bold.
  box->setTextFormat(Qt::PlainText);
  return box;
}

namespace testing {
void SetMessageBoxDouble(std::function<void(const ShownMessage&)> answer) { Double() = std::move(answer); }
}  // namespace testing

}  // namespace platform
