#pragma once
// The services around the main window as its tests want them: the tests' own
// small pictures and tracks, the window's services at their defaults with the
// sound effects silenced, and no music. A test sets them up after its folders
// and language file (the language file it named stays), and puts them back
// once its window is gone.

#include "platform/mci.h"
#include "services/media.h"
#include "services/seams.h"
#include "widgets/seams.h"

namespace testsupport {

inline void useTestServices()
{
    const QString languageFile = services::seams().languageFile;
    services::resetSeams();
    services::seams().languageFile = languageFile;
    services::seams().resourceRoot = ":/testres";
    services::seams().PlayWAV = [](int16_t) {};
    widgets::resetSeams();
    Allgemein::resetMediaForTesting();
}

inline void restoreServices()
{
    mciSendString("close midi");
    Allgemein::setMusicTimerSwitch({});
    services::resetSeams();
}

}  // namespace testsupport
