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

// The stored settings with a fixed set of values, as the game reads them at
// start.
enum class Setting { Sprache, Size, Mode, PlaySound, PlayMusic, Picture, Album, Background };

// Whether the value is one the setting may take: Sprache 0, 1000, 2000, 3000,
// 5000 or 6000; Size 3 to 8; Mode 0 or 1; PlaySound 0 or -1; PlayMusic 0 to
// 2; Picture 101 to 116; Album 0 or 1; Background 101 to 115.
bool SettingAllowed(Setting setting, int32_t value);

// The setting's default when its key is missing.
int16_t SettingDefault(Setting setting);

// The setting's stored value, checked. A missing key gives the default. A
// stored value the setting may not take (read as GetIniInt reads it: "abc"
// reads 0, "99999" is out of every set) is reported once through the error service under
// "Allgemein" / "GetIniSetting" as Invalid property value (380); a Retry
// reads the file again. Whatever the answer, the default is then stored in
// its place and returned, so that the next start is clean. Never fails
// outward.
int16_t GetIniSetting(Setting setting);

// The setting's stored value as GetIniInt reads it, unchecked (missing: the
// default): for a command that reports a bad value in its own way.
int16_t GetIniInt(Setting setting);

// The stored value when the setting may take it, else the default; nothing
// is reported or stored. For work begun before any window exists.
int16_t PeekIniSetting(Setting setting);

}  // namespace Allgemein
