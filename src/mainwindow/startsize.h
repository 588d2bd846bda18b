#pragma once
// The size at which the main window first appears. Its layout is made once,
// from the client area it has when it first stands on the screen, and needs
// at least 800 x 600 pixels: the toolbar's lowest language button ends 553
// pixels down, and the room wants the width. On a screen with room for that
// the window opens maximized, so the board is as large as the screen allows;
// on a smaller screen it opens with a client area of exactly 800 x 600 at the
// top left of the free area, which keeps every control of the layout there.

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

namespace mainwindow {

inline constexpr QSize MinimumClient{800, 600};
// What a window manager's title bar and borders may take of a maximized window.
inline constexpr int FrameAllowance = 40;

// Whether the window opens maximized on a screen whose free area (without
// panels and docks) is `available`.
bool opensMaximized(QSize available);

// The smallest client area the room is laid out for: MinimumClient, or
// the free area of the window's screen where that is smaller.
QSize smallestClient(const QWidget& window);

// Where a window kept at `kept` opens now: on the screen (free area among
// `areas`) that shows most of it, else on `fallback`; moved and, where
// needed, shrunk to lie wholly there with its title bar.
QRect placeOnScreen(const QRect& kept, const QList<QRect>& areas, const QRect& fallback);

// Where the window stands when not maximized, on a first start: four fifths
// of the free area, centred.
QRect normalPlace(const QRect& available);

// Shows the main window for the first time: maximized when the screen
// leaves room, otherwise at the smallest room; in either case as the player
// left it last time (normal place and maximized state, kept per user, not in
// Tavoro.ini), moved onto a screen.
void showMainWindow(QWidget& window);

// Keeps the window's normal place and maximized state for the next start.
void rememberWindowPlace(const QWidget& window);

}  // namespace mainwindow
