#pragma once
// The settings file Tavoro.ini in the folder of the player's files
// (appinfo::dataFolder()). Every call reads or writes the file at once;
// nothing is cached.
//
//   [Optionen]  Sprache (0), Size (5), Mode (0), PlaySound (-1), PlayMusic (1)
//   [Pictures]  Picture (101), Album (0), File ("Tavoro1.bmp"), Background (101)

#include <QString>
#include <cstdint>

namespace Allgemein {

// Program folder + "/" + title + ".ini", built afresh on every call.
QString IniPath();

// The key's value as a 16-bit integer, or the default when the file, section
// or key is missing. A stored number outside -32768..32767 is an Overflow,
// reported under "Allgemein" / "GetIniInt"; leaving the procedure gives 0.
int16_t GetIniInt(const QString& section, const QString& key, int16_t defaultValue);

// The key's value (at most 254 characters), or the default when missing.
QString GetIniString(const QString& section, const QString& key, const QString& defaultValue);

// Stores the value under the key, creating file, section and key as needed.
// A write that fails is silent: the value is simply not stored and the file
// keeps what it held.
void SaveIni(const QString& section, const QString& key, const QString& value);

}  // namespace Allgemein
