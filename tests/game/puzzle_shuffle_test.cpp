// The shuffle that is a puzzle: the thresholds are half the mean distance of
// a random board, a shuffled board never ends nearer than that, and a board
// too near is walked on from where it stands with the draws that follow.

#include "game/puzzle_shuffle.h"
#include "game/solver.h"

#include "seeded_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using game::Board;
using game::Change;
using game::Mode;

namespace {

// A board drawn at random among all that slides can solve: any order, and if
// slides cannot solve it, two pieces exchanged.
Board randomSlideBoard(int n, std::mt19937& gen)
{
    std::vector<int> p(n * n);
    std::iota(p.begin(), p.end(), 0);
    std::shuffle(p.begin(), p.end(), gen);
    Board b;
    if (!b.restore(n, Mode::Slide, p, 0)) {
        const int i = p[0] == 0 ? 1 : 0;
        const int j = p[i + 1] == 0 ? i + 2 : i + 1;
        std::swap(p[i], p[j]);
        EXPECT_TRUE(b.restore(n, Mode::Slide, p, 0));
    }
    return b;
}

}  // namespace

TEST(PuzzleShuffle, ThresholdsAreHalfTheMeanDistanceOfARandomBoard)
{
    // Slide 2 x 2 and 3 x 3: every board, exactly.
    for (int n : {2, 3}) {
        std::vector<int> p(n * n);
        std::iota(p.begin(), p.end(), 0);
        double sum = 0;
        int count = 0;
        do {
            Board b;
            if (b.restore(n, Mode::Slide, p, 0)) {
                sum += *game::exactDistance(b);
                ++count;
            }
        } while (std::next_permutation(p.begin(), p.end()));
        EXPECT_EQ(count, n == 2 ? 12 : 181440);
        EXPECT_NEAR(game::shuffleThreshold(n, Mode::Slide), sum / count / 2, 1e-4) << n;
    }
    // Larger slide boards: the lower bound, over boards drawn at random.
    std::mt19937 gen(7);
    for (int n = 4; n <= 8; ++n) {
        double sum = 0;
        const int count = 5000;
        for (int i = 0; i < count; ++i)
            sum += game::lowerBound(randomSlideBoard(n, gen));
        EXPECT_NEAR(game::shuffleThreshold(n, Mode::Slide), sum / count / 2, 0.01 * sum / count) << n;
    }
    // Swap mode: places minus cycles, over the arrangements of the walk's
    // parity, from the share p[k] of arrangements with k cycles.
    for (int n = 2; n <= 8; ++n) {
        const int m = n * n;
        std::vector<double> p(m + 1, 0.0);
        p[0] = 1;
        for (int j = 1; j <= m; ++j) {
            std::vector<double> next(m + 1, 0.0);
            for (int k = 1; k <= j; ++k)
                next[k] = p[k - 1] / j + p[k] * (j - 1) / j;
            p = next;
        }
        const int parity = n % 2;  // that of N^4 exchanges
        double mean = 0, share = 0;
        for (int k = 1; k <= m; ++k) {
            if ((m - k) % 2 == parity) {
                mean += (m - k) * p[k];
                share += p[k];
            }
        }
        EXPECT_NEAR(game::shuffleThreshold(n, Mode::Swap), mean / share / 2, 1e-4) << n;
    }
    EXPECT_EQ(game::shuffleThreshold(1, Mode::Slide), 0);
}

TEST(PuzzleShuffle, NoShuffledBoardEndsNearerThanTheThreshold)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 2; n <= 8; ++n) {
            const unsigned seeds = n <= 3 ? 2000 : 100;
            int walkedAgain = 0;
            for (unsigned seed = 1; seed <= seeds; ++seed) {
                SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " N " << n << " seed " << seed);
                Board b;
                b.newGame(n, mode);
                ASSERT_TRUE(game::shuffleAsPuzzle(b, seeded(seed)));
                EXPECT_GE(game::shuffleDistance(b), game::shuffleThreshold(n, mode));
                EXPECT_FALSE(b.locked());
                EXPECT_EQ(b.moves(), 0);

                // The plain walk with the same draws: the same board when it
                // was far enough.
                Board plain;
                plain.newGame(n, mode);
                plain.shuffle(seeded(seed));
                if (game::tooNearSolved(plain))
                    ++walkedAgain;
                else
                    EXPECT_EQ(b.arrangement(), plain.arrangement());
            }
            // The 3 x 3 boards the walk leaves near home are common enough
            // to be walked again here.
            if (n == 3)
                EXPECT_GT(walkedAgain, 0) << "mode " << int(mode);
        }
    }
}

// A board too near home is walked again from where it ended, with the draws
// that follow, and the listeners hear of the shuffle once.
TEST(PuzzleShuffle, ABoardTooNearIsWalkedOnFromWhereItStands)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        // The first seed whose plain walk ends too near.
        unsigned seed = 1;
        for (;; ++seed) {
            Board plain;
            plain.newGame(3, mode);
            plain.shuffle(seeded(seed));
            if (game::tooNearSolved(plain))
                break;
        }
        SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " seed " << seed);
        Board b;
        b.newGame(3, mode);
        std::vector<Change::Kind> heard;
        b.listen([&](const Change& c) { heard.push_back(c.kind); });
        game::shuffleAsPuzzle(b, seeded(seed));
        EXPECT_EQ(heard, std::vector<Change::Kind>{Change::Shuffled});

        // The same, walk by walk, on one generator.
        Board walks;
        walks.newGame(3, mode);
        const Board::Draw draw = seeded(seed);
        do
            walks.shuffle(draw);
        while (game::tooNearSolved(walks));
        EXPECT_EQ(b.arrangement(), walks.arrangement());
        EXPECT_EQ(b.emptyPlace(), walks.emptyPlace());
    }
}

// Draws that bring the walk back home every time: the walk stops after
// MaxWalks walks in place of holding the game for ever.
TEST(PuzzleShuffle, DrawsThatKeepBringingTheBoardHomeStopAfterMaxWalks)
{
    Board b;
    b.newGame(3, Mode::Slide);
    // From the last place: right (off the board), left, right, down (off
    // the board): two counted steps in every four draws, each walk ending
    // next to home. MaxWalks walks make an even number of steps, the last
    // of them the third draw of a round.
    const std::vector<double> cycle{0.3, 0.1, 0.3, 0.8};
    long long taken = 0;
    ASSERT_TRUE(game::shuffleAsPuzzle(b, [&] { return cycle[taken++ % cycle.size()]; }));
    const long long steps = Board::MaxWalks * 81LL;
    EXPECT_EQ(taken, 2 * steps - 1);
    EXPECT_TRUE(game::tooNearSolved(b));
    EXPECT_FALSE(b.locked());
}
