#pragma once
// The player's statistics file: "Tavoro statistics.txt" beside Tavoro.ini,
// one line for every game finished or abandoned (its format:
// game/statistics.h). A game is added by reading the file, adding its line
// and writing the whole anew through files::replace under the folder's lock,
// so that a reader or a crash meets the old file or the new one and two
// copies of the game never lose each other's lines. Damaged lines are kept
// as they are, skipped when read, and reported once a run.

#include "game/statistics.h"

#include <QString>

#include <optional>

namespace statistics {

using game::statistics::Outcome;
using game::statistics::Record;

// The file's path in the folder of the player's files.
QString path();

// Adds one game, dated now: size and mode, the picture (a built-in picture's
// number or the picture file's name), moves, seconds played, how it ended and
// the fewest moves from its start when known. False when the file could not
// be written (the game is then not kept; nothing else is lost).
bool record(int size, game::Mode mode, const QString& picture, int moves, int seconds, Outcome outcome,
            std::optional<int> shortest = std::nullopt);
// The same with a whole record (its date as given).
bool record(const Record& game);

// Every game kept, oldest first; damaged lines skipped and counted. A
// missing file holds no games.
game::statistics::Decoded load();

// The text that reports `damaged` skipped lines, the first time in a run
// that there are any; empty otherwise and later.
QString damagedReportOnce(int damaged);

}  // namespace statistics
