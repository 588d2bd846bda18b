#pragma once
// The main window as the board's tests want it: made at the room's smallest
// size, loaded, its first reset of the run done, the sound effects silent.
// Make it after a WindowEnv, which stands in the player's folder.

#include "mainwindow/frmTavoro.h"
#include "services/seams.h"

#include <memory>

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

}  // namespace testsupport
