#include "game/puzzle_shuffle.h"

#include "game/solver.h"

#include <array>

namespace game {

namespace {

// The mean distance of a random board, by size from 2 to 8, as
// tests/game/puzzle_shuffle_test.cpp measures it again.
//
// Slide mode, over the boards slide moves can solve, all equally likely.
// 2 x 2 and 3 x 3: the exact mean distance over all 12 and 181,440 boards.
// 4 x 4 to 8 x 8: the mean of the lower bound (Manhattan distance plus
// linear conflicts) over 100,000 boards drawn at random.
constexpr std::array<double, 7> SlideMean{3.0, 21.9724, 38.922, 78.721, 138.476, 222.267, 334.167};
// Swap mode, over the arrangements the walk can make: its N^4 exchanges
// leave an arrangement of the parity of N^4, and among those all are
// equally likely. The exact mean of places minus cycles over them, from the
// numbers of arrangements with each count of cycles.
constexpr std::array<double, 7> SwapMean{1.8333, 6.1571, 12.6151, 21.1824, 31.8246, 44.5204, 59.2559};

}  // namespace

double shuffleThreshold(int size, Mode mode)
{
    if (size < 2 || size > MaxSide)
        return 0;
    return (mode == Mode::Slide ? SlideMean : SwapMean)[size - 2] / 2;
}

int shuffleDistance(const Board& board)
{
    if (const std::optional<int> exact = exactDistance(board))
        return *exact;
    return lowerBound(board);
}

bool tooNearSolved(const Board& board)
{
    return shuffleDistance(board) < shuffleThreshold(board.size(), board.mode());
}

bool shuffleAsPuzzle(Board& board, const Board::Draw& draw)
{
    return board.shuffle(draw, tooNearSolved);
}

}  // namespace game
