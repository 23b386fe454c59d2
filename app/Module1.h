#pragma once

class QWidget;

// Start-up services shared by the three windows.

// Draws the whole window, its controls included, at 230/255 opacity. Where the platform cannot
// make windows translucent the window stays opaque; nothing is reported to the user.
void SetWindowTransparency(QWidget* window);

// Prepares the platform's common controls. True when nothing went wrong; the caller may ignore it.
bool InitCommonControlsLib();
