// The solver: its solutions solve the board when pressed, the optimal ones
// are as short as published or as a breadth first search finds, the lower
// bound never exceeds the distance, and a long search can be called off.

#include "game/solver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

using game::Board;
using game::EmptyTag;
using game::Mode;
using game::Move;
using game::Moves;
using game::Press;

namespace {

Board::Draw seeded(unsigned seed)
{
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen] { return std::uniform_real_distribution<double>(0.0, 1.0)(*gen); };
}

Board shuffled(int n, Mode mode, unsigned seed)
{
    Board b;
    b.newGame(n, mode);
    b.shuffle(seeded(seed));
    return b;
}

Board slideBoard(int n, const std::vector<int>& pieces)
{
    Board b;
    EXPECT_TRUE(b.restore(n, Mode::Slide, pieces, 0));
    return b;
}

// Plays the moves through the board's presses: each must do what it says.
::testing::AssertionResult solves(Board b, const Moves& moves)
{
    for (size_t i = 0; i < moves.size(); ++i) {
        const Move& m = moves[i];
        if (b.locked())
            return ::testing::AssertionFailure() << "solved before move " << i;
        if (b.mode() == Mode::Slide) {
            if (m.b != b.emptyPlace() || b.press(m.a) != Press::Slid)
                return ::testing::AssertionFailure() << "move " << i << " does not slide";
        } else if (b.press(m.a) != Press::Selected || b.press(m.b) != Press::Exchanged) {
            return ::testing::AssertionFailure() << "move " << i << " does not exchange";
        }
    }
    if (!b.solved())
        return ::testing::AssertionFailure() << "not solved after " << moves.size() << " moves";
    return ::testing::AssertionSuccess();
}

// A board of Korf's list (the empty place first, 0 for it, pieces 1 to 15
// home in order after it), turned half round: the same puzzle with the empty
// place home last.
std::vector<int> fromKorf(const std::vector<int>& korf)
{
    std::vector<int> pieces(16);
    for (int i = 0; i < 16; ++i)
        pieces[15 - i] = korf[i] == 0 ? EmptyTag : 16 - korf[i];
    return pieces;
}

}  // namespace

TEST(Solver, QuickSolutionsSolveEveryShuffledBoard)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 2; n <= 8; ++n) {
            for (unsigned seed = 1; seed <= 12; ++seed) {
                SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " N " << n << " seed " << seed);
                const Board b = shuffled(n, mode, seed);
                const Moves moves = game::quickSolution(b);
                EXPECT_TRUE(solves(b, moves));
                EXPECT_GE(int(moves.size()), game::lowerBound(b));
                const std::optional<Move> hint = game::quickHint(b);
                ASSERT_EQ(hint.has_value(), !moves.empty());
                if (hint)
                    EXPECT_EQ(*hint, moves.front());
            }
        }
    }
}

TEST(Solver, ASolvedBoardNeedsNoMove)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 1; n <= 8; ++n) {
            Board b;
            b.newGame(n, mode);
            EXPECT_TRUE(game::quickSolution(b).empty()) << n;
            EXPECT_FALSE(game::quickHint(b)) << n;
            EXPECT_EQ(game::lowerBound(b), 0) << n;
            if (game::hasOptimalSolution(n, mode)) {
                EXPECT_EQ(game::optimalSolution(b), Moves{}) << n;
            }
        }
    }
}

// Swap mode: places minus cycles, exactly.
TEST(Solver, SwapSolutionsTakeOneExchangeLessThanEachCyclesLength)
{
    struct Case {
        std::vector<int> pieces;
        int exchanges;
    };
    const Case cases[] = {
        {{2, 1, 3, 4, 5, 6, 7, 8, 9}, 1},
        {{2, 3, 1, 4, 5, 6, 7, 8, 9}, 2},         // one cycle of three
        {{2, 1, 4, 3, 6, 5, 8, 7, 9}, 4},         // four pairs
        {{9, 1, 2, 3, 4, 5, 6, 7, 8}, 8},         // one cycle of all
        {{9, 8, 7, 6, 5, 4, 3, 2, 1}, 4},         // turned round
    };
    for (const Case& c : cases) {
        Board b;
        ASSERT_TRUE(b.restore(3, Mode::Swap, c.pieces, 0));
        const std::optional<Moves> moves = game::optimalSolution(b);
        ASSERT_TRUE(moves);
        EXPECT_EQ(int(moves->size()), c.exchanges);
        EXPECT_TRUE(solves(b, *moves));
        EXPECT_EQ(game::lowerBound(b), c.exchanges);
        EXPECT_EQ(game::exactDistance(b), c.exchanges);
    }
}

// The two hardest 3 x 3 boards, 31 slides from home, and a few near ones.
TEST(Solver, ThreeByThreeSolutionsAreTheShortest)
{
    struct Case {
        std::vector<int> pieces;
        int slides;
    };
    const Case cases[] = {
        {{8, 6, 7, 2, 5, 4, 3, 0, 1}, 31},
        {{6, 4, 7, 8, 5, 0, 3, 2, 1}, 31},
        {{1, 2, 3, 4, 5, 6, 7, 0, 8}, 1},
        {{1, 2, 3, 4, 0, 6, 7, 5, 8}, 2},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 22},
    };
    for (const Case& c : cases) {
        const Board b = slideBoard(3, c.pieces);
        EXPECT_EQ(game::exactDistance(b), c.slides);
        EXPECT_LE(game::lowerBound(b), c.slides);
        for (const Moves& moves : {game::quickSolution(b), *game::optimalSolution(b)}) {
            EXPECT_EQ(int(moves.size()), c.slides);
            EXPECT_TRUE(solves(b, moves));
        }
    }
}

// Linear conflicts: two pieces of a line in each other's way need two slides
// more than their Manhattan distance. Each board also has 7 and 8 exchanged
// in the bottom row (four more), so that slides can solve it.
TEST(Solver, TheLowerBoundCountsPiecesInEachOthersWay)
{
    struct Case {
        std::vector<int> pieces;
        int bound;
    };
    const Case cases[] = {
        {{2, 1, 3, 4, 5, 6, 8, 7, 0}, 8},   // 1 and 2 exchanged in the top row
        {{3, 2, 1, 4, 5, 6, 8, 7, 0}, 12},  // the top row turned: two must step out
        {{4, 2, 3, 1, 5, 6, 8, 7, 0}, 8},   // 1 and 4 exchanged in the first column
        {{1, 2, 3, 4, 5, 6, 0, 7, 8}, 2},   // the empty place is in nobody's way
    };
    for (const Case& c : cases) {
        const Board b = slideBoard(3, c.pieces);
        EXPECT_EQ(game::lowerBound(b), c.bound);
        EXPECT_LE(game::lowerBound(b), *game::exactDistance(b));
    }
}
