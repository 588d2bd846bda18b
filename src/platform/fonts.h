#pragma once
// Fonts made ready ahead: fontconfig reads its configuration and Qt lists the
// installed fonts once per program, on whichever thread first needs a font,
// and finding the font behind a family name is costly the first time. Done on
// a worker while the start screen is being built, it is done before the first
// text is drawn.

#include <QStringList>

namespace fonts {

// Begins it on the global thread pool for the default font and the families
// named; returns at once.
void prepareInBackground(const QStringList& families);

}  // namespace fonts
