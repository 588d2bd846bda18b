#pragma once
// The program-wide record: the values handed from one window to another. It
// lives for the whole run. The settings are kept by Allgemein::settings().
// Booleans are 16-bit values, 0 for false and -1 for true; any non-zero value
// counts as true.

#include <QString>
#include <cstdint>

struct SharedRecord {
    // Hand-off values.
    int16_t PreviewNext = 0;    // visibility the preview takes at its next toggle
};

// The one record of the run.
extern SharedRecord g;

constexpr int16_t vbTrue = -1;
constexpr int16_t vbFalse = 0;
