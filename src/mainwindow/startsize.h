#pragma once
// The size at which the main window first appears. Its layout is made once,
// from the client area it has when it first stands on the screen, and needs
// at least 800 x 600 pixels: the toolbar's lowest language button ends 553
// pixels down, and the room wants the width. On a screen with room for that
// the window opens maximized, so the board is as large as the screen allows;
// on a smaller screen it opens with a client area of exactly 800 x 600 at the
// top left of the free area, which keeps every control of the layout there.

#include <QSize>

class QWidget;

namespace mainwindow {

inline constexpr QSize MinimumClient{800, 600};
// What a window manager's title bar and borders may take of a maximized window.
inline constexpr int FrameAllowance = 40;

// Whether the window opens maximized on a screen whose free area (without
// panels and docks) is `available`.
bool opensMaximized(QSize available);

// The client size the main window first has on its screen (maximized, or
// MinimumClient), as showMainWindow gives it; without a window, on the
// primary screen, where a new window first stands.
QSize startClientSize(const QWidget& window);
QSize startClientSize();

// Shows the main window for the first time.
void showMainWindow(QWidget& window);

}  // namespace mainwindow
