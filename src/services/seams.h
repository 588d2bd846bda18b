#pragma once
// What the windows ask of the services, and what the services take from
// their surroundings, in one place for tests.
//
// The first members are the services the windows call through here: the
// language table, the sound effects, random whole numbers, the orderly
// shut-down, the questions and messages, the name box and the screen. Each
// holds the real service by default; a test puts its own in place to see
// what a window asks for, or to answer in place of the player.
//
// The last members are what the services themselves use: the random draws,
// the resources, the language file and the memory of earlier starts. They are
// empty by default, and an empty member means the real thing.

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace services {

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
    // Asks `text` over `owner` with the buttons Yes and No (Yes the default)
    // and the question icon, under the caption given; true on Yes.
    std::function<bool(QWidget* owner, const QString& text, const QString& caption)> askYesNo;
    // The same question with No as the default button, for a question whose
    // Yes loses something (a running game, the champions list).
    std::function<bool(QWidget* owner, const QString& text, const QString& caption)>
        askYesNoDefaultNo;
    // The name box: the prompt, the title, the text it starts with, and what
    // it refuses as typed: `problem` gives, for a text the box would hold, why
    // it may not (shown under the field while the keystroke or paste is
    // refused), or nothing. The answer, or nothing when the player cancels it.
    std::function<std::optional<QString>(QWidget* owner, const QString& prompt,
                                         const QString& title, const QString& preset,
                                         const std::function<QString(const QString&)>& problem)>
        InputBox;
    // A message over `owner` with an OK button under the application title:
    // `warn` with the warning icon, `tell` with the information icon.
    std::function<void(QWidget* owner, const QString& text)> warn;
    std::function<void(QWidget* owner, const QString& text)> tell;
    // The size in pixels of the screen that shows `window` (the primary screen
    // before it is shown).
    std::function<QSize(const QWidget* window)> ScreenPixels;
    // Asks the window system to make `window` the active window: without a
    // window manager nobody else does.
    std::function<void(QWidget* window)> requestActivation;
    // The desktop's dialog for opening files: the files the player chose
    // (none when cancelled), several at once, shown by `filter` ("Pictures
    // (*.png *.jpg)"), starting in the player's pictures folder (else home).
    std::function<QStringList(QWidget* owner, const QString& caption, const QString& filter)>
        chooseFiles;
    // Opens the folder in the desktop's file manager; false when nothing
    // could open it.
    std::function<bool(const QString& folder)> openFolder;
    // Moves the file into the desktop's trash (QFile::moveToTrash); false
    // where there is none for it.
    std::function<bool(const QString& path)> moveToTrash;

    // Allgemein::Rnd(): the draws in [0, 1); scripted draws also make
    // Randomize do nothing.
    std::function<double()> rnd;
    // The root the resources are found under: a test's own small ones under
    // ":/testres"; empty, the program's own.
    QString resourceRoot;
    // Allgemein::LanguageFile(): settled at its first call from the temporary
    // folder and kept here for the run; a test names its own.
    QString languageFile;
    // The settings file that remembers whether the program was started
    // before (the user's own).
    QString startMemoryFile;
    // Runs on the reading worker just before an own picture is read there
    // (pictures::PictureLater): a test makes the reading slow or holds it.
    std::function<void(const QString& path)> beforePictureRead;
};

// The pieces in force.
Seams& seams();
// GetLang(Sprache + message) through the seams: the message's text in the
// language of the settings.
QString textOf(int message);
// Puts every piece back to its default.
void resetSeams();

}  // namespace services
