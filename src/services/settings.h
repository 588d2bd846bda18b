#pragma once
// The settings file Tavoro.ini in the folder of the player's files
// (appinfo::dataFolder()). The procedures below read or write the file at
// once; the one settings object (settings(), further down) loads each
// setting checked once, keeps it in memory and stores it back when told.
//
//   [Optionen]  Sprache (0), Size (5), Mode (0), PlaySound (-1), PlayMusic (1),
//               Animate (-1)
//   [Pictures]  Picture (101), Album (0), File ("Tavoro1.bmp"), Background (101)

#include "game/board.h"

#include <QString>
#include <array>
#include <cstdint>

namespace Allgemein {

// Program folder + "/" + title + ".ini", built afresh on every call.
QString IniPath();

// The key's value as a 16-bit integer, or the default when the file, section
// or key is missing. A stored number outside -32768..32767 is an Overflow,
// reported under "Allgemein" / "GetIniInt"; leaving the procedure gives 0.
int16_t GetIniInt(const QString& section, const QString& key, int16_t defaultValue);

// The key's value (at most 254 characters), or the default when missing. A
// text stored by SaveIni that Windows-1252 could not hold, or a longer one,
// comes back exactly and whole (profile::ProfileFile::text).
QString GetIniString(const QString& section, const QString& key, const QString& defaultValue);

// Stores the value under the key, creating file, section and key as needed;
// a text the code page cannot hold as profile::ProfileFile::setText keeps it.
// A write that fails keeps the file as it was. A full disk (or another
// failure of the disk) is reported once a run under "Allgemein" / "SaveIni";
// a file or folder that may not be written, or no file under the name, is
// silent.
void SaveIni(const QString& section, const QString& key, const QString& value);

// The stored settings with a fixed set of values, as the game reads them at
// start.
enum class Setting {
    Sprache, Size, Mode, PlaySound, PlayMusic, Picture, Album, Background,
    Animate,  // moves glide (-1) or jump (0); a key of our own, unknown to older readers
};

// Whether the value is one the setting may take: Sprache 0, 1000, 2000, 3000,
// 5000 or 6000; Size 3 to 8; Mode 0 or 1; PlaySound 0 or -1; PlayMusic 0 to
// 2; Picture 101 to 116; Album 0 or 1; Background 101 to 115; Animate 0 or -1.
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

// Stores the value under the setting's key as its decimal text (SaveIni).
void SaveIni(Setting setting, int16_t value);

// The player's settings of this run, kept by one object. The game reads each
// from the file once, checked (load), changes it in memory through its setter
// and writes it back under its key (store). The music mode is kept here as
// well, in memory only: the file keeps PlayMusic. A setter keeps what it is
// given; the values a setting may take are checked where the file is read.
class Settings {
public:
    // Every setting at its default, the music off.
    Settings();

    // GetIniSetting: the stored value, checked (a bad one reported and
    // replaced by the default), kept and returned.
    int16_t load(Setting setting);
    // SaveIni of the kept value.
    void store(Setting setting) const;
    // The kept value as the file holds it.
    int16_t value(Setting setting) const { return values_[index(setting)]; }

    // Language digit x 1000.
    int16_t Sprache() const { return value(Setting::Sprache); }
    void setSprache(int value) { set(Setting::Sprache, value); }
    // Pieces per side.
    int Size() const { return value(Setting::Size); }
    void setSize(int value) { set(Setting::Size, value); }
    // Any stored value but 0 is swap mode.
    game::Mode Mode() const { return value(Setting::Mode) == 0 ? game::Mode::Slide : game::Mode::Swap; }
    void setMode(game::Mode mode) { set(Setting::Mode, mode == game::Mode::Slide ? 0 : 1); }
    // Sound effects on; stored as -1, off as 0.
    bool PlaySound() const { return value(Setting::PlaySound) != 0; }
    void setPlaySound(bool on) { set(Setting::PlaySound, on ? -1 : 0); }
    // Wallpaper 101 to 115.
    int Background() const { return value(Setting::Background); }
    void setBackground(int value) { set(Setting::Background, value); }
    // Built-in picture 101 to 116.
    int Picture() const { return value(Setting::Picture); }
    void setPicture(int value) { set(Setting::Picture, value); }
    // 0 a built-in picture, 1 a picture file.
    int Album() const { return value(Setting::Album); }
    void setAlbum(int value) { set(Setting::Album, value); }

    // Moves glide into place; stored as -1, off as 0.
    bool Animate() const { return value(Setting::Animate) != 0; }
    void setAnimate(bool on) { set(Setting::Animate, on ? -1 : 0); }

    // The music mode: off, once (on) or endless (on and endless).
    bool MusicOn() const { return musicOn_; }
    bool MusicEndless() const { return musicEndless_; }
    void setMusicOn(bool on) { musicOn_ = on; }
    void setMusicEndless(bool endless) { musicEndless_ = endless; }

    // The name last entered for the champions list, offered the next time:
    // [Optionen] LastName, a key of our own (empty when there is none).
    const QString& LastName() const { return lastName_; }
    void setLastName(const QString& name) { lastName_ = name; }
    const QString& loadLastName();
    void storeLastName() const;

private:
    static constexpr int kCount = 9;
    static int index(Setting setting) { return static_cast<int>(setting); }
    void set(Setting setting, int value) { values_[index(setting)] = static_cast<int16_t>(value); }

    std::array<int16_t, kCount> values_{};
    bool musicOn_ = false;
    bool musicEndless_ = false;
    QString lastName_;
};

// The settings of the run.
Settings& settings();

}  // namespace Allgemein
