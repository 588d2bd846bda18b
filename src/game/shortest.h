#pragma once
// How a won game compares with the shortest solution of the board it
// started from, for the win moment and the statistics.

#include "game/board.h"

#include <atomic>
#include <chrono>

namespace game {

struct Shortest {
    int moves = 0;       // the fewest moves, or a number no solution is shorter than
    bool exact = false;  // moves is the fewest there are
};

// The shortest solution's length for a start position: exact in swap mode and
// for slide boards up to 3 x 3 (always, at once), and for 4 x 4 slide boards
// when the optimal search ends within `budget` (the 4 x 4 tables are built
// first, which the budget does not count); otherwise the lower bound. The
// caller runs it off the window's thread: it may take the budget and, the
// first time at 4 x 4, the seconds the tables take.
Shortest shortestFor(const Board& start, std::chrono::milliseconds budget = std::chrono::seconds(1));
// The same, the 4 x 4 search called off (and the bound given) once *cancel is
// set.
Shortest shortestFor(const Board& start, const std::atomic<bool>* cancel);

// Whether a game of `moves` moves counts as played well: within one and a half
// times the shortest (known exactly).
bool withinShare(int moves, int shortest);

}  // namespace game
