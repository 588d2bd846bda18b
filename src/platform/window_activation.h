#pragma once
// Asking for a window to become the active one.
//
// On an X11 desktop (and on a bare X server with no window manager) a program
// may hand the focus to its own window, and the game does so where no window
// manager would: the main window after the start screen, the owner after a
// dialog. On Wayland the compositor alone decides which window is active; it
// activates a new window itself, and a program's request only brings a
// warning. There the request is left out.

class QWidget;

namespace platform {

// Whether the windowing system lets a program activate its own windows.
bool programMayActivateWindows();

// Asks for the window to become the active one, where that may be asked.
void activateWindow(QWidget* window);

// The same for a window shown for the first time that acts when it becomes
// active (the main window stores its language and starts the music). Where
// it may not be asked and the compositor has not activated it once the events
// waiting are handled, it is told of an activation all the same, so that what
// it does then is not lost.
void requestFirstActivation(QWidget* window);

// Whether a window's opacity can be changed: X11, Windows and macOS let it;
// Wayland and the test platforms only warn that they cannot.
bool windowsMayFade();

}  // namespace platform
