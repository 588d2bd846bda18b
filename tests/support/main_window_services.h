#pragma once
// The services around the main window as its tests want them: the tests' own
// small pictures and tracks, the window's services at their defaults with the
// sound effects silenced, and no music. A test sets them up after its folders
// and language file, and puts them back once its window is gone.

#include "widgets/seams.h"
#include "platform/mci.h"
#include "services/media.h"
#include "services/resources.h"

namespace testsupport {

inline void useTestServices()
{
    resources::setRootForTesting(":/testres");
    widgets::resetSeams();
    widgets::seams().PlayWAV = [](int16_t) {};
    Allgemein::resetMediaForTesting();
}

inline void restoreServices()
{
    mciSendString("close midi");
    Allgemein::setMusicTimerSwitch({});
    resources::setRootForTesting({});
}

}  // namespace testsupport
