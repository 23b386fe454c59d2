#include "app/Module1.h"

#include "platform/InitCommonControlsEx.h"
#include "platform/widgets/SetLayeredWindowAttributes.h"

namespace {
constexpr int kWindowAlpha = 230;
}

void SetWindowTransparency(QWidget* window) { platform::SetLayeredWindowAttributes(window, kWindowAlpha); }

bool InitCommonControlsLib() { return platform::InitCommonControlsEx(); }
