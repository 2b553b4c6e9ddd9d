#pragma once
// Where a window opens: centred, or filling the screen. Either way it is kept within the
// screen's free area, so a laptop screen shows every control without a window manager's
// help.

#include <QWidget>

namespace platform {

// Shrinks the window to the screen's free area where it is larger, then centres it:
// left = (screen width - window width) / 2, top likewise.
void CentreOnScreen(QWidget* window);

// Gives the window the screen's free area and the maximised state, which a window
// manager keeps when it maximises it itself.
void OpenMaximised(QWidget* window);

}  // namespace platform
