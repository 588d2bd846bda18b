#pragma once
// Opening a web or e-mail address from a window: with the desktop's program
// for it, or, when it has none, telling the player so.

#include <QString>

class QWidget;

namespace widgets {

// Opens the address with the desktop's program for it; without one, the
// player is told so (message 241 in the game's language), naming `shown`.
void openOrSaySo(QWidget* owner, const QString& address, const QString& shown);

}  // namespace widgets
