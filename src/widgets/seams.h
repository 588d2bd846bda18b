#pragma once
// The windows the main window opens that live above it: the champions,
// picture and wallpaper windows, the help viewer and the about box. Each is
// one replaceable function; the champions window is there by default, the
// others the program gives (main.cpp) and do nothing until then. Tests
// replace them to see what the window asks for.

#include <cstdint>
#include <functional>

class QWidget;

namespace widgets {

struct Seams {
    // Shows the champions window modally over `owner` and returns when it
    // closes; it reads HSScore and HSPending. Default: frmHighscore.
    std::function<void(QWidget* owner)> showChampions;
    // Show the picture window and the wallpaper window modally over `owner`
    // and return when they close.
    std::function<void(QWidget* owner)> showPictureWindow;
    std::function<void(QWidget* owner)> showWallpaperWindow;
    // HtmlHelp(owner, Sprache): opens the help window owned by `owner` at its
    // default topic in that language.
    std::function<void(QWidget* owner, int16_t sprache)> HtmlHelp;
    // Shows the about window modally over `owner` and returns when it closes.
    std::function<void(QWidget* owner)> showAbout;
};

// The windows in force.
Seams& seams();
// What resetSeams puts back: the champions window, completed by the program
// with the game's dialogs and help viewer.
Seams& defaultSeams();
// Puts every window back to its default.
void resetSeams();

}  // namespace widgets
