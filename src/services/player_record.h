#pragma once
// The player's own record beside the desktop's settings, per user in
// ~/.config/Tavoro/Tavoro.conf (not in Tavoro.ini): whether the game started
// before, and the main window's place. Tests name a file of their own through
// the services' seams.
//
// The file is read only when it is a regular file of at most 64 KiB, never
// through a link nor from a FIFO or device, and replaced whole (never written
// through a link). A record that cannot be read is an empty one; one that
// cannot be stored is let go: it only saves the player a few clicks.
// Its form is the one Qt's settings files have ("[Window]", "Normal=@Rect(x y
// w h)", "Maximized=true"), so that earlier versions read it as before.

#include "platform/profile.h"

#include <QRect>
#include <QString>

#include <optional>

namespace Allgemein {

class PlayerRecord {
public:
    // Reads the record.
    PlayerRecord();

    bool startedBefore() const;
    void setStartedBefore();

    // The window's normal place and maximized state, as stored; nothing when
    // missing or not a rectangle of sane numbers.
    std::optional<QRect> windowPlace() const;
    std::optional<bool> windowMaximized() const;
    void setWindow(const QRect& normal, bool maximized);

    // Stores the record whole; false when it could not be.
    bool store() const;

    static QString path();

private:
    profile::ProfileFile file_;
};

}  // namespace Allgemein
