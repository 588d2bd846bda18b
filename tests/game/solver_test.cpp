// The solver: its solutions solve the board when pressed, the optimal ones
// are as short as published or as a breadth first search finds, the lower
// bound never exceeds the distance, and a long search can be called off.

#include "game/solver.h"

#include "seeded_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <unordered_map>
#include <vector>

using game::Board;
using game::EmptyTag;
using game::Mode;
using game::Move;
using game::Moves;
using game::Press;

namespace {

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

namespace {

// Every 4 x 4 slide board up to `depth` slides from home, with its distance:
// a plain breadth first search, four bits a place.
std::unordered_map<uint64_t, int> nearBoards(int depth)
{
    auto pack = [](const std::vector<int>& p) {
        uint64_t w = 0;
        for (int v : p)
            w = w << 4 | uint64_t(v);
        return w;
    };
    std::vector<int> home(16);
    for (int k = 0; k < 15; ++k)
        home[k] = k + 1;
    std::unordered_map<uint64_t, int> distance{{pack(home), 0}};
    std::vector<std::vector<int>> level{home};
    for (int d = 1; d <= depth; ++d) {
        std::vector<std::vector<int>> next;
        for (const std::vector<int>& p : level) {
            const int e = int(std::find(p.begin(), p.end(), 0) - p.begin());
            for (int k : {e - 1, e + 1, e - 4, e + 4}) {
                if (k < 0 || k > 15 || (k / 4 != e / 4 && k % 4 != e % 4))
                    continue;
                std::vector<int> q = p;
                std::swap(q[k], q[e]);
                if (distance.emplace(pack(q), d).second)
                    next.push_back(q);
            }
        }
        level = std::move(next);
    }
    return distance;
}

std::vector<int> unpack(uint64_t w)
{
    std::vector<int> p(16);
    for (int k = 15; k >= 0; --k, w >>= 4)
        p[k] = int(w & 15);
    return p;
}

}  // namespace

// The 4 x 4 tables take seconds to build, once for each program: the 4 x 4
// optimal cases share one test.
TEST(Solver, FourByFourSolutionsAreTheShortestAndASearchCanBeCalledOff)
{
    // A search called off before it starts answers at once, tables or not.
    // The pieces turned half round (two exchanged so that slides can solve
    // it): far from home, a long search.
    const Board far = slideBoard(4, {14, 15, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, EmptyTag});
    std::atomic<bool> cancel{true};
    EXPECT_FALSE(game::optimalSolution(far, &cancel));

    game::preparePatternTables();
    EXPECT_TRUE(game::patternTablesReady());

    // The first three of Korf's hundred boards, with their published lengths.
    struct Case {
        std::vector<int> korf;
        int slides;
    };
    const Case cases[] = {
        {{14, 13, 15, 7, 11, 12, 9, 5, 6, 0, 2, 1, 4, 8, 10, 3}, 57},
        {{13, 5, 4, 10, 9, 12, 8, 14, 2, 3, 7, 1, 0, 15, 11, 6}, 55},
        {{14, 7, 8, 2, 13, 11, 10, 4, 9, 12, 5, 0, 3, 6, 1, 15}, 59},
    };
    for (const Case& c : cases) {
        const Board b = slideBoard(4, fromKorf(c.korf));
        const std::optional<Moves> moves = game::optimalSolution(b);
        ASSERT_TRUE(moves);
        EXPECT_EQ(int(moves->size()), c.slides);
        EXPECT_TRUE(solves(b, *moves));
        EXPECT_LE(game::lowerBound(b), c.slides);
    }

    // Boards near home: as short as the breadth first search finds.
    const std::unordered_map<uint64_t, int> near = nearBoards(14);
    int checked[15] = {};
    for (const auto& [word, depth] : near) {
        if (depth < 8 || checked[depth] >= 4)
            continue;
        ++checked[depth];
        const Board b = slideBoard(4, unpack(word));
        const std::optional<Moves> moves = game::optimalSolution(b);
        ASSERT_TRUE(moves);
        EXPECT_EQ(int(moves->size()), depth);
        EXPECT_TRUE(solves(b, *moves));
    }

    // Called off while it searches, it answers nothing, soon.
    cancel = false;
    auto search = std::async(std::launch::async, [&] { return game::optimalSolution(far, &cancel); });
    EXPECT_EQ(search.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    cancel = true;
    ASSERT_EQ(search.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_FALSE(search.get());
}

// Shuffled boards of every size larger than 3 x 3: the quick solution stays
// within a few times the lower bound, the optimal 4 x 4 at or above it.
TEST(Solver, OptimalSolutionsAreOfferedUpToFourByFour)
{
    EXPECT_TRUE(game::hasOptimalSolution(8, Mode::Swap));
    EXPECT_TRUE(game::hasOptimalSolution(3, Mode::Slide));
    EXPECT_TRUE(game::hasOptimalSolution(4, Mode::Slide));
    EXPECT_FALSE(game::hasOptimalSolution(5, Mode::Slide));
    EXPECT_FALSE(game::optimalSolution(shuffled(5, Mode::Slide, 1)));
    for (int n = 5; n <= 8; ++n) {
        const Board b = shuffled(n, Mode::Slide, 3);
        EXPECT_LE(game::quickSolution(b).size(), 4u * game::lowerBound(b)) << n;
        EXPECT_FALSE(game::exactDistance(b)) << n;
    }
}
