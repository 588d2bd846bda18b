#pragma once
// Qt's own texts (the Yes, No and Cancel of a message box, the names of keys
// such as "Ctrl" in a menu's shortcuts) in the game's language, from the
// translations Debian installs with Qt.

#include <QString>
#include <cstdint>

namespace qttranslations {

// The locale name of a language value: 0 "de", 1000 "en", 2000 "sv",
// 3000 "it", 5000 "es", 6000 "fr"; any other value "en".
QString localeName(int16_t sprache);

// Switches Qt's texts to the language `sprache`. English takes Qt's own
// texts. Calling it again with the language in force does nothing. Without
// a translation file Qt's English stays; it never fails.
void apply(int16_t sprache);

// The locale name in force ("en" before the first apply).
QString current();

}  // namespace qttranslations
