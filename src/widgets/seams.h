#pragma once
// The services the main window calls that live elsewhere: the language
// table, sound effects, random whole numbers, the orderly shut-down, the
// champions, picture and wallpaper windows, the Yes/No question and the screen's size. Each is one replaceable function
// whose default is the real service; tests replace them to see what the
// window asks for.

#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QWidget;

namespace widgets {

struct Seams {
    // GetLang(Sprache + message number) -> text in the current language.
    std::function<QString(int16_t key)> GetLang;
    // PlayWAV(n): plays the sound resource n and returns at once.
    std::function<void(int16_t n)> PlayWAV;
    // Zufallszahl(lo, hi): a whole number from lo to hi, both included, with
    // equal chances.
    std::function<int16_t(int16_t lo, int16_t hi)> Zufallszahl;
    // Shutdown(): unloads all windows and ends the program.
    std::function<void()> Shutdown;
    // Shows the champions window modally over `owner` and returns when it
    // closes; it reads HSScore and HSPending. Default: frmHighscore.
    std::function<void(QWidget* owner)> showChampions;
    // Show the picture window and the wallpaper window modally over `owner`
    // and return when they close. Default: the real windows.
    std::function<void(QWidget* owner)> showPictureWindow;
    std::function<void(QWidget* owner)> showWallpaperWindow;
    // Asks `text` with the buttons Yes and No, the question icon and the
    // caption given; true on Yes. Default: a message box.
    std::function<bool(QWidget* owner, const QString& text, const QString& caption)> askYesNo;
    // Tells the player `text` with an OK button, the warning icon and the
    // caption given. Default: a message box.
    std::function<void(QWidget* owner, const QString& text, const QString& caption)> tell;
    // The desktop's dialog for opening files: the files the player chose
    // (none when cancelled), several at once, shown by `filter` ("Pictures
    // (*.png *.jpg)"), starting in the player's pictures folder (else home).
    std::function<QStringList(QWidget* owner, const QString& caption, const QString& filter)>
        chooseFiles;
    // Opens the folder in the desktop's file manager; false when nothing
    // could open it. Default: QDesktopServices.
    std::function<bool(const QString& folder)> openFolder;
    // HtmlHelp(owner, Sprache): opens the help window owned by `owner` at its
    // default topic in that language. Default: the help viewer.
    std::function<void(QWidget* owner, int16_t sprache)> HtmlHelp;
    // Shows the about window modally over `owner` and returns when it closes.
    // Default: frmInfo as the about box.
    std::function<void(QWidget* owner)> showAbout;
    // The size in pixels of the screen that shows `window` (the primary screen
    // before it is shown).
    std::function<QSize(const QWidget* window)> ScreenPixels;
    // Asks the window system to make `window` the active window: without a
    // window manager nobody else does. Default: QWidget::activateWindow.
    std::function<void(QWidget* window)> requestActivation;
};

// The hooks in force.
Seams& seams();
// What resetSeams puts back: the services, completed by the program with the
// game's dialogs and help viewer.
Seams& defaultSeams();
// Puts every hook back to its default.
void resetSeams();

// The English texts of the messages the board uses, for tests that want
// readable texts without the language file.
QString defaultGetLang(int16_t key);

}  // namespace widgets
