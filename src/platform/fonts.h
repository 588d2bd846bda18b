#pragma once
// Fonts made ready ahead: fontconfig reads its configuration and Qt lists the
// installed fonts once per program, on whichever thread first needs a font,
// and finding the font behind a family name is costly the first time. Done on
// other threads while the application and the start screen are being built,
// it is done before the first text is drawn.

#include <QStringList>

namespace fonts {

// Begins reading fontconfig's configuration on a thread of its own; needs no
// application object, so it can start before the window system is reached.
void loadConfigurationEarly();

// Begins it on the global thread pool for the default font and the families
// named; returns at once.
void prepareInBackground(const QStringList& families);

}  // namespace fonts
