#include "platform/ControlView.h"

#include "platform/MessageIcon.h"

namespace platform {

void ControlView::ShowError(const QString& text) {
  ShowMessage(text, QStringLiteral("Error"), MessageIcon::Critical);
}

}  // namespace platform
