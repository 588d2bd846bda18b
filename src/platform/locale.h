#pragma once
// The user's locale as Windows names it: the language identifier (the low
// 16 bits of the LCID) as four upper-case hexadecimal digits, "0407" for
// German (Germany), "0C07" for German (Austria), "0409" for English (United
// States). On Linux the user's locale is what LC_ALL / LANG make of
// QLocale::system().

#include <QLocale>
#include <QString>

#include <cstdint>

namespace userlocale {

// The identifier of a language in a country. A language Windows knows, in a
// country it has no identifier for, gives the language-neutral identifier of
// that language ("0007" for German in Belgium); a language it has none for
// gives "1000", the identifier Windows reports for locales without one. The C
// locale counts as English (United States).
QString languageId(QLocale::Language language, QLocale::Territory territory);
QString languageId(const QLocale& locale);

// The user's default locale's identifier.
QString userLanguageId();

// The two-letter code of the game's language Sprache: "de" for 0, "sv" for
// 2000, "it" for 3000, "es" for 5000, "fr" for 6000, and "en" for English and
// any value without a language.
QString languageCode(int16_t sprache);

}  // namespace userlocale
