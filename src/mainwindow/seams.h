#pragma once
// The services the main window calls that live elsewhere: the language
// table, sound effects, random whole numbers, the orderly shut-down, the
// champions window, the Yes/No question and the screen's size. Each is one replaceable function
// whose default is the real service; tests replace them to see what the
// window asks for.

#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace mainwindow {

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
    // Asks `text` with the buttons Yes and No, the question icon and the
    // caption given; true on Yes. Default: a message box.
    std::function<bool(QWidget* owner, const QString& text, const QString& caption)> askYesNo;
    // The size in pixels of the screen that shows `window` (the primary screen
    // before it is shown).
    std::function<QSize(const QWidget* window)> ScreenPixels;
};

// The hooks in force.
Seams& seams();
// Puts every hook back to its default.
void resetSeams();

// The English texts of the messages the board uses, for tests that want
// readable texts without the language file.
QString defaultGetLang(int16_t key);

}  // namespace mainwindow
