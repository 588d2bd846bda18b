#pragma once
// What the champions window asks of the world outside it: the language
// table, the name box, the Yes/No question and a message. Each is one
// replaceable function whose default is the real thing; tests replace them
// to answer in place of a player.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace champions {

struct Hooks {
    // GetLang(Sprache + message number) -> text in the current language.
    std::function<QString(int16_t key)> GetLang;
    // The input box: the prompt, the title, no preset text. The answer, or
    // nothing when the player cancels it.
    std::function<std::optional<QString>(QWidget* owner, const QString& prompt,
                                         const QString& title)>
        InputBox;
    // A question with the buttons Yes and No and the question icon; true on Yes.
    std::function<bool(QWidget* owner, const QString& text, const QString& caption)> askYesNo;
    // A message with an OK button and the warning icon; the caption is the
    // application title.
    std::function<void(QWidget* owner, const QString& text)> warn;
};

Hooks& hooks();
// Puts every hook back to its default.
void resetHooks();

// Opens the champions window modally over `owner` and returns when it has
// closed. After a solved game (HSPending true) it checks the result first.
void showHighscore(QWidget* owner);

}  // namespace champions
