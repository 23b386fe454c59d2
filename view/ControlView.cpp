#include "view/ControlView.h"

#include "view/MessageIcon.h"

namespace view {

void ControlView::ShowError(const QString& text) { ShowMessage(text, QStringLiteral("Error"), MessageIcon::Critical); }

}  // namespace view
