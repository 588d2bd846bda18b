#pragma once
// The help viewer: the game's own help window, owned by the main window,
// that shows the help pages built into the program in the current language.

#include <QString>
#include <cstdint>

class QWidget;

namespace help {

// The help file's name as the program knows it.
QString HelpFileName();

// Opens the help window owned by `owner` at its default topic, in the
// language `sprache` (0, 1000, 2000, 3000, 5000 or 6000; any other value
// shows English). A help window that is already open comes to the front and
// turns to the default topic in that language. Nothing visible happens when
// there is no help to show; it never fails.
void HtmlHelp(QWidget* owner, int16_t sprache);

}  // namespace help
