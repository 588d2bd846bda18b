#pragma once
// The main window as the board's tests want it: made at the room's smallest
// size, loaded, its first reset of the run done, the sound effects silent.
// Make it after a WindowEnv, which stands in the player's folder.

#include "mainwindow/frmTavoro.h"
#include "services/seams.h"

#include <memory>
#include <vector>

namespace testsupport {

inline std::unique_ptr<frmTavoro> openRoom()
{
    services::seams().PlayWAV = [](int16_t) {};
    auto w = std::make_unique<frmTavoro>();
    w->resize(684, 470);
    w->Form_Load();
    w->FirstResetDone = true;
    return w;
}

// The room's session takes a running game of that arrangement (as a kept game
// would come back, but not paused), with that many moves and seconds. False
// when the board does not take it.
inline bool playOn(frmTavoro& w, int n, game::Mode mode, std::vector<int> pieces, int moves = 0,
                   int seconds = 0)
{
    game::Snapshot s;
    s.size = n;
    s.mode = mode;
    s.pieces = std::move(pieces);
    s.moves = moves;
    s.seconds = seconds;
    if (!w.session.restore(s))
        return false;
    w.session.resume();
    return true;
}

}  // namespace testsupport
