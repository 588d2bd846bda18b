#pragma once
// The moves that bring a board home, for the hint and the Solve entry, and
// how far a board stands from solved, for the shuffle.
//
// A solution is the list of moves from the board as it stands: in slide mode
// move a is the place to press and b the empty place its piece slides into;
// in swap mode the pieces of places a and b are exchanged (press a, then b).
// Playing them through Board::press solves the board. A solved board has an
// empty solution.
//
// Nothing here keeps a board or starts a thread: the window hands a copy of
// its board to its worker, which may think as long as it likes. Every
// function may run on any thread at the same time as the others; the tables
// they need are built once, by the first that asks, while the others wait.

#include "game/board.h"

#include <atomic>
#include <optional>
#include <vector>

namespace game {

struct Move {
    int a = -1;
    int b = -1;
    bool operator==(const Move&) const = default;
};
using Moves = std::vector<Move>;

// A solution within a few milliseconds for every board of 2 to 8 places a
// side. Swap mode, and slide mode up to 3 x 3: the fewest moves. Larger slide
// boards: the top row or the left column, whichever is cheaper, is put home
// a few pieces at a time by a bounded search, until the last 3 x 3 remains,
// which is finished in the fewest moves; not the shortest, but about twice
// the lower bound at 5 x 5 and two and a half times it at 8 x 8.
Moves quickSolution(const Board& board);

// The first move of quickSolution, nothing when the board is solved.
std::optional<Move> quickHint(const Board& board);

// A solution of the fewest moves, for swap mode and slide boards up to 4 x 4;
// nothing for larger slide boards. The 4 x 4 slide board is searched with
// tables of about 11 MiB built the first time (seconds): a search of 4 x 4
// can take up to seconds and stops, answering nothing, soon after *cancel is
// set (the window sets it when the board changed under the question).
std::optional<Moves> optimalSolution(const Board& board, const std::atomic<bool>* cancel = nullptr);

// Whether optimalSolution answers for this size and mode.
bool hasOptimalSolution(int size, Mode mode);

// Builds the 4 x 4 tables now (a worker may do so ahead of the first
// question); true when they are ready.
void preparePatternTables();
bool patternTablesReady();

// No solution of the board is shorter than this. Slide mode: the Manhattan
// distance of the pieces plus two moves for each piece that must pass
// another in its own row or column (linear conflict). Swap mode: the exact
// number of exchanges left, places minus cycles of the arrangement.
int lowerBound(const Board& board);

// The exact number of moves left, for swap mode and slide boards up to 3 x 3.
std::optional<int> exactDistance(const Board& board);

}  // namespace game
