#pragma once
// The program-wide record: the settings every window shares and the values
// handed from one window to another. It lives for the whole run.
// Booleans are 16-bit values, 0 for false and -1 for true; any non-zero value
// counts as true.

#include <QString>
#include <cstdint>

struct SharedRecord {
    // Settings, each named after its key in Tavoro.ini.
    int16_t Sprache = 0;        // language digit x 1000
    int16_t Size = 5;           // pieces per side, 3 to 8
    int16_t Mode = 0;           // 0 slide, any other value swap
    int16_t PlaySound = -1;     // sound effects on (-1) or off (0)
    int16_t Background = 101;   // wallpaper 101 to 115
    int16_t Picture = 101;      // built-in picture 101 to 116
    int16_t Album = 0;          // 0 built-in picture, 1 picture file

    // Music mode, in memory only (the file keeps PlayMusic).
    bool MusicOn = false;
    bool MusicEndless = false;

    // Hand-off values.
    double StartTime = 0.0;     // start of the current game as a date serial
    int16_t PreviewNext = 0;    // visibility the preview takes at its next toggle
    QString HSScore;            // seconds and moves, "00000" each
    int16_t HSPending = 0;      // true while the champions window checks a result
};

// The one record of the run.
extern SharedRecord g;

constexpr int16_t vbTrue = -1;
constexpr int16_t vbFalse = 0;
