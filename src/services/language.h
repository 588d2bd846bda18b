#pragma once
// The language table: every text that changes with the language is looked up
// by its key, the language value (language digit x 1000) plus a three-digit
// message number, in the table that travels inside the program (resource
// CUSTOM 1000) and is written to "~tmp.lng" in the temporary folder.
//
//   digit 0 German, 1 English, 2 Swedish, 3 Italian, 5 Spanish, 6 French

#include <QString>
#include <memory>

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace Allgemein {

// The text under the key: the number with four digits ("0124", "6106"), read
// from section "Lang" of the language file. A key the table lacks gives the
// empty text. Failures are reported under "Allgemein" / "GetLang".
QString GetLang(int16_t number);

// The language file's path: the temporary folder + "~tmp.lng", fixed at the
// first call and kept for the rest of the run (in services::Seams, where a
// test names its own).
QString LanguageFile();

// Writes the language table to the language file. A file held by someone
// else keeps its earlier contents.
void WriteLanguageFile();

// Settles the language at start-up and writes the language file. On the first
// start for this user the user's locale decides: German (Germany) "0407" gives
// German (0), every other locale English (1000). Later starts read "Optionen" /
// `Sprache` (default 0) from the settings file. Keeps it in the settings (Sprache) and returns it.
int16_t ChooseStartLanguage();

// Whether the program has been started before by this user. Remembered per
// user outside the settings file.
bool StartedBefore();
void RememberStart();

}  // namespace Allgemein

namespace languagetable {

// The language values of the six languages.
constexpr std::array<int16_t, 6> kLanguages = {0, 1000, 2000, 3000, 5000, 6000};

// What the main window's `Sprache` procedure sets: each control's caption or
// tooltip becomes GetLang(Sprache + message). `index` is the element of a
// control array, -1 for a single control.
enum class Property { Caption, ToolTip };

struct ControlText {
    std::string_view control;
    int16_t index;
    Property property;
    int16_t message;
};

constexpr std::array<ControlText, 22> kMainWindowTexts = {{
    {"mnuEMail", -1, Property::Caption, 122},
    {"mnuHilfe", -1, Property::Caption, 120},
    {"mnuOnlinehilfe", -1, Property::Caption, 121},
    {"mnuOptionen", -1, Property::Caption, 116},
    {"mnuTeile", -1, Property::Caption, 148},
    {"mnuPlayMusic", -1, Property::Caption, 118},
    {"mnuMusic", 0, Property::Caption, 149},
    {"mnuMusic", 1, Property::Caption, 133},
    {"mnuMusic", 2, Property::Caption, 134},
    {"mnuPlaySounds", -1, Property::Caption, 119},
    {"mnuUeber", -1, Property::Caption, 123},
    {"lblZuege", -1, Property::Caption, 106},
    {"PicBut", 0, Property::ToolTip, 110},
    {"PicBut", 1, Property::ToolTip, 111},
    {"PicBut", 2, Property::ToolTip, 108},
    {"PicBut", 3, Property::ToolTip, 109},
    {"PicBut", 4, Property::ToolTip, 158},
    {"PicBut", 5, Property::ToolTip, 161},
    {"PicBut", 6, Property::ToolTip, 162},
    {"PicBut", 7, Property::ToolTip, 116},
    {"PicBut", 8, Property::ToolTip, 114},
    {"PicBut", 9, Property::ToolTip, 120},
}};

// The tooltips of the toolbar buttons PicBut(0) to PicBut(9), by index.
constexpr std::array<int16_t, 10> kToolbarTooltips = {110, 111, 108, 109, 158,
                                                      161, 162, 116, 114, 120};

}  // namespace languagetable
