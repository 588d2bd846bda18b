#pragma once
// The running game kept on disk, so that closing the window, logging out or a
// crash between two moves never costs the player a game: "Tavoro saved
// game.ini" beside Tavoro.ini, an INI file of one section [Game]:
//
//   Size=4            pieces per side
//   Mode=0            0 slide, 1 swap
//   Album=0           0 a built-in picture, 1 a picture file
//   Picture=101       the built-in picture
//   File=beach.jpg    the picture file in "pics" (Album 1)
//   Pieces=5,1,...    the piece at each place, row by row, 0 the empty place
//   Moves=12
//   Seconds=34        seconds played
//   Helped=0          1 when a hint or Solve was used: no champions entry
//   Undo=14-15,10-14  the presses to undo, oldest first (see game::Snapshot);
//   Redo=...          those undone, to make again; both left out when empty
//
// Written whole through a new file beside it after each move, on a worker
// thread of its own; removed when the game ends. A file that may not be
// written (read-only, another account's) is replaced where the folder allows;
// a game that cannot be kept at all (a full disk) is told once a run.
//
// Each copy of the game running at once plays a saved game of its own: the
// first copy "Tavoro saved game.ini", a second one that finds it claimed
// "Tavoro saved game 2.ini" (told once that it starts a game of its own), and
// so on; a later start continues the first kept game no copy plays.

#include "game/session.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace keptgame {

// The game in progress as the session gives it, and its picture.
struct Game : game::Snapshot {
    int album = 0;
    int picture = 101;
    QString file;
};

// This copy's saved game in the folder of the player's files, claimed for
// the run at the first call.
QString path();

QByteArray encode(const Game& game);
// The game the bytes keep, when it is one a board can take (a size of 3 to
// 8, a mode, an arrangement that is a permutation and, in slide mode, one
// that slides home; moves and seconds from 0). Otherwise nothing, and `why`
// says what is wrong. Undo and Redo lists that cannot be read are left out:
// the game goes on without them.
std::optional<Game> decode(const QByteArray& bytes, QString* why = nullptr);

// Keeps the game: the file written anew on the worker, the window not
// waiting. Later calls win over earlier ones.
void keep(const Game& game);
// The file removed (on the worker, after any write queued before).
void forget();
// Until every keep and forget queued has reached the disk.
void flush();

// What the next start finds: the kept game; nothing when there is none. A
// file that holds no game it can take is set aside as "… .damaged" (so that
// it never stands in the way again) and `problem` says why.
std::optional<Game> load(QString* problem);

}  // namespace keptgame
