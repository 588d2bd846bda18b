#pragma once
// The solver's own view of a board: home[k] is the home place of whatever
// place k holds, so that the goal is home[k] = k everywhere. In slide mode
// the empty place counts as the piece whose home is the last place; in swap
// mode piece p is home p - 1. Not part of the board's interface: the solver's
// files share it.

#include "game/board.h"
#include "game/solver.h"

#include <array>
#include <cstdint>
#include <vector>

namespace game::detail {

struct Tiles {
    int n = 0;
    int blank = -1;  // slide mode: the empty place
    std::array<uint8_t, MaxPlaces> home{};

    static Tiles of(const Board& board)
    {
        Tiles t;
        t.n = board.size();
        const int last = board.places() - 1;
        for (int k = 0; k <= last; ++k) {
            const int p = board.pieceAt(k);
            t.home[k] = static_cast<uint8_t>(p == EmptyTag ? last : p - 1);
        }
        if (board.mode() == Mode::Slide) {
            t.blank = board.emptyPlace();
            t.home[t.blank] = static_cast<uint8_t>(last);
        }
        return t;
    }
    int places() const { return n * n; }
    bool solved() const
    {
        for (int k = 0; k < places(); ++k)
            if (home[k] != k)
                return false;
        return true;
    }
    // Slide mode: the piece at place moves into the empty place.
    void slide(int place)
    {
        home[blank] = home[place];
        home[place] = static_cast<uint8_t>(places() - 1);
        blank = place;
    }
};

// The places next to k on an n x n board (left, right, up, down), -1 for
// those off the board.
inline std::array<int, 4> neighbours(int n, int k)
{
    return {k % n > 0 ? k - 1 : -1, k % n < n - 1 ? k + 1 : -1, k >= n ? k - n : -1,
            k < n * (n - 1) ? k + n : -1};
}

// Manhattan distance plus linear conflicts of a slide board, with the empty
// place not counted: a lower bound of the slides left, for any size.
int slideLowerBound(const Tiles& t);

// The optimal slides of a 2 x 2 or 3 x 3 board from the complete table of
// distances, built the first time it is asked for.
int smallSlideDistance(const Tiles& t);
Moves smallSlideSolution(Tiles t);

// Row and column reduction down to the last 3 x 3, finished by the table.
Moves reduceSlide(Tiles t);

// A short solution of a 4 x 4 slide board, by a weighted search over the
// same pattern databases (f = 2 g + weightHalves h); false when the tables
// are not built yet or the search passed `limit` boards.
bool quickPatternSearch(const Tiles& t, int weightHalves, int limit, Moves& out);

// The 4 x 4 slide board's optimal solution by IDA* over additive pattern
// databases; false when cancel was set.
bool patternSearch(const Tiles& t, const std::atomic<bool>* cancel, Moves& out);

}  // namespace game::detail
