#pragma once
// What the main window and its controls reach that lies above the widgets:
// the champions, picture, wallpaper and statistics windows, the help viewer
// and the about box, which the program gives (main.cpp) and which do nothing until
// then; and a hook that sees the artwork rendered from SVG, off by default.
// Tests replace them to see what is asked for.

#include "game/session.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <mutex>

class QWidget;

namespace widgets {

// A hook that worker threads call: replaced and called under a lock of its
// own, so that a test may set it while art is drawn on other threads. Empty,
// a call does nothing.
template <class... Args>
class LockedHook {
public:
    LockedHook() = default;
    LockedHook(const LockedHook& other) : fn_(other.get()) {}
    LockedHook& operator=(const LockedHook& other) { return *this = other.get(); }
    LockedHook& operator=(std::function<void(Args...)> fn)
    {
        std::lock_guard lock(mutex_);
        fn_ = std::move(fn);
        return *this;
    }

    void operator()(Args... args) const
    {
        std::lock_guard lock(mutex_);
        if (fn_)
            fn_(args...);
    }

private:
    std::function<void(Args...)> get() const
    {
        std::lock_guard lock(mutex_);
        return fn_;
    }

    mutable std::mutex mutex_;
    std::function<void(Args...)> fn_;
};

struct Seams {
    // Shows the champions window modally over `owner` and returns when it
    // closes; with a result (the score of a solved game that may enter the
    // list) it checks the result first.
    std::function<void(QWidget* owner, std::optional<game::Score> result)> showChampions;
    // Show the picture window and the wallpaper window modally over `owner`
    // and return when they close.
    std::function<void(QWidget* owner)> showPictureWindow;
    std::function<void(QWidget* owner)> showWallpaperWindow;
    // HtmlHelp(owner, Sprache): opens the help window owned by `owner` at its
    // default topic in that language.
    std::function<void(QWidget* owner, int16_t sprache)> HtmlHelp;
    // Shows the about window modally over `owner` and returns when it closes.
    std::function<void(QWidget* owner)> showAbout;
    // Shows the statistics window modally over `owner` and returns when it
    // closes; it reads the statistics file.
    std::function<void(QWidget* owner)> showStatistics;
    // Called with the path and size of every SVG rendered (renderSvgArt, and
    // the picture frame's side where it is drawn from its artwork), on the
    // rendering thread.
    LockedHook<const QString&, QSize> svgRendered;
};

// The pieces in force.
Seams& seams();
// What resetSeams puts back: the program's windows (main.cpp fills them in).
Seams& defaultSeams();
// Puts every piece back to its default.
void resetSeams();

}  // namespace widgets
