// The board's rules without any window: presses in both modes, moves, the
// solution test, the shuffle's walk and the restoring of a kept arrangement.

#include "game/board.h"

#include "seeded_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

using game::Board;
using game::Change;
using game::EmptyTag;
using game::Mode;
using game::Press;

namespace {

// The pieces of an n x n slide board with the empty place at e, reached by
// slides from the solved board: the empty place walks left along the last
// row to e's column, then up to its row. Every other piece stays in order,
// or with turned = true, the first three pieces are turned once, so that no
// press solves the board.
std::vector<int> slideBoardWithEmptyAt(int n, int e, bool turned = false)
{
    std::vector<int> t(n * n);
    for (int k = 0; k < n * n - 1; ++k)
        t[k] = k + 1;
    int at = n * n - 1;
    t[at] = EmptyTag;
    auto moveTo = [&](int k) {
        std::swap(t[at], t[k]);
        at = k;
    };
    while (at % n > e % n)
        moveTo(at - 1);
    while (at / n > e / n)
        moveTo(at - n);
    if (turned) {
        std::vector<int> three;
        for (int k = 0; three.size() < 3; ++k)
            if (t[k] != EmptyTag)
                three.push_back(k);
        const int first = t[three[0]];
        t[three[0]] = t[three[1]];
        t[three[1]] = t[three[2]];
        t[three[2]] = first;
    }
    return t;
}

// Records what a board tells, as text: "X11,15" pieces exchanged, "S5"
// selected (S-1 let go), "solved", "shuffled", "arranged".
struct Log {
    std::vector<std::string> changes;
    void attach(Board& b)
    {
        b.listen([this](const Change& c) {
            switch (c.kind) {
            case Change::Exchanged: changes.push_back("X" + std::to_string(c.a) + "," + std::to_string(c.b)); break;
            case Change::Selected: changes.push_back("S" + std::to_string(c.a)); break;
            case Change::Solved: changes.push_back("solved"); break;
            case Change::Shuffled: changes.push_back("shuffled"); break;
            case Change::Arranged: changes.push_back("arranged"); break;
            }
        });
    }
};

using Strings = std::vector<std::string>;

// A cycle of draws, and how many were taken.
struct Script {
    std::vector<double> cycle;
    long long taken = 0;
    Board::Draw draw()
    {
        return [this] { return cycle[taken++ % cycle.size()]; };
    }
};

}  // namespace

TEST(Board, SlidePressesMoveOnlyNeighboursByRowAndColumn)
{
    struct Case {
        int empty;  // on a 4 x 4 board
        int press;
        Press result;
    };
    const Case cases[] = {
        {15, 11, Press::Slid},    {15, 14, Press::Slid},     // above and left of the last place
        {15, 10, Press::Nothing}, {15, 13, Press::Nothing},  // diagonal, two away in the row
        {15, 3, Press::Nothing},  {15, 15, Press::Nothing},  // far up the column, the empty place
        {7, 8, Press::Nothing},   {8, 7, Press::Nothing},    // a row's end and the next row's start
        {7, 6, Press::Slid},      {7, 3, Press::Slid},       {7, 11, Press::Slid},
        {0, 1, Press::Slid},      {0, 4, Press::Slid},       {0, 5, Press::Nothing},  // a corner
        {12, 13, Press::Slid},    {12, 8, Press::Slid},      {12, 11, Press::Nothing},
        {15, 16, Press::Ignored}, {15, -1, Press::Ignored},  // off the board
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "empty " << c.empty << ", press " << c.press);
        Board b;
        ASSERT_TRUE(b.restore(4, Mode::Slide, slideBoardWithEmptyAt(4, c.empty, true), 3));
        const std::vector<int> before = b.arrangement();
        Log log;
        log.attach(b);

        EXPECT_EQ(b.slides(c.press), c.result == Press::Slid);
        EXPECT_EQ(b.press(c.press), c.result);
        std::vector<int> after = before;
        if (c.result == Press::Slid)
            std::swap(after[c.press], after[c.empty]);
        EXPECT_EQ(b.arrangement(), after);
        EXPECT_EQ(b.emptyPlace(), c.result == Press::Slid ? c.press : c.empty);
        EXPECT_EQ(b.moves(), c.result == Press::Slid ? 4 : 3);
        EXPECT_EQ(log.changes, c.result == Press::Slid
                                   ? Strings{"X" + std::to_string(c.press) + "," + std::to_string(c.empty)}
                                   : Strings{});
        EXPECT_FALSE(b.locked());
    }
}

TEST(Board, SwapPressesSelectDeselectAndExchange)
{
    // 3 x 3 with the first two pieces exchanged: one exchange from solved.
    const std::vector<int> start = {2, 1, 3, 4, 5, 6, 7, 8, 9};
    struct Case {
        std::vector<int> presses;
        Press last;
        int moves;
        int selected;
        std::vector<std::pair<int, int>> exchanged;  // from the start
        Strings changes;
        bool solved;
    };
    const Case cases[] = {
        {{4}, Press::Selected, 0, 4, {}, {"S4"}, false},
        {{4, 4}, Press::Deselected, 0, -1, {}, {"S4", "S-1"}, false},
        {{4, 6}, Press::Exchanged, 1, -1, {{4, 6}}, {"S4", "X6,4", "S-1"}, false},
        {{4, 6, 6}, Press::Selected, 1, 6, {{4, 6}}, {"S4", "X6,4", "S-1", "S6"}, false},
        {{4, 6, 6, 4}, Press::Exchanged, 2, -1, {}, {"S4", "X6,4", "S-1", "S6", "X4,6", "S-1"}, false},
        {{1, 0}, Press::Exchanged, 1, -1, {{0, 1}}, {"S1", "X0,1", "S-1", "solved"}, true},
        {{1, 0, 5}, Press::Ignored, 1, -1, {{0, 1}}, {"S1", "X0,1", "S-1", "solved"}, true},
        {{8, 9}, Press::Ignored, 0, 8, {}, {"S8"}, false},  // off the board
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "presses " << testing::PrintToString(c.presses));
        Board b;
        ASSERT_TRUE(b.restore(3, Mode::Swap, start, 0));
        Log log;
        log.attach(b);
        Press last = Press::Ignored;
        for (int k : c.presses)
            last = b.press(k);
        EXPECT_EQ(last, c.last);
        EXPECT_EQ(b.moves(), c.moves);
        EXPECT_EQ(b.selected(), c.selected);
        std::vector<int> expected = start;
        for (auto [x, y] : c.exchanged)
            std::swap(expected[x], expected[y]);
        EXPECT_EQ(b.arrangement(), expected);
        EXPECT_EQ(log.changes, c.changes);
        EXPECT_EQ(b.locked(), c.solved);
        EXPECT_EQ(b.state(), c.solved ? Board::State::Solved : Board::State::Playing);
    }
}

TEST(Board, TheSolutionTestEndsTheGameAtTheFirstPressThatFindsItSolved)
{
    struct Case {
        Mode mode;
        std::vector<int> pieces;  // 3 x 3
        int press;
        Press result;
        bool solved;
    };
    const Case cases[] = {
        // A shuffle may leave the board solved: a press that moves nothing ends it.
        {Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 8, 0}, 0, Press::Nothing, true},
        // The solving slide; the empty place is then last.
        {Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8}, 8, Press::Slid, true},
        // An empty place elsewhere counts 0 and fails the test.
        {Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8}, 0, Press::Nothing, false},
        // Swap mode: a first selection already runs the test, a let-go does not.
        {Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 6, Press::Selected, true},
        {Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 9, 8}, 6, Press::Selected, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.pieces));
        Board b;
        ASSERT_TRUE(b.restore(3, c.mode, c.pieces, 0));
        EXPECT_EQ(b.solved(), c.solved && c.result != Press::Slid);
        EXPECT_EQ(b.press(c.press), c.result);
        EXPECT_EQ(b.solved(), c.solved);
        EXPECT_EQ(b.locked(), c.solved);
    }

    // The last place is not examined: after a new game it still holds its
    // piece, after the solving slide the empty tag.
    Board b;
    ASSERT_TRUE(b.newGame(3, Mode::Slide));
    EXPECT_EQ(b.pieceAt(8), 9);
    EXPECT_TRUE(b.solved());
    ASSERT_TRUE(b.restore(3, Mode::Swap, {2, 1, 3, 4, 5, 6, 7, 8, 9}, 0));
    b.press(0);
    EXPECT_EQ(b.press(0), Press::Deselected);
    EXPECT_FALSE(b.locked());
}

TEST(Board, ALockedBoardIgnoresPresses)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        Board b;
        Log log;
        log.attach(b);
        ASSERT_TRUE(b.newGame(4, mode));
        EXPECT_EQ(b.state(), Board::State::Ordered);
        EXPECT_TRUE(b.locked());
        const std::vector<int> ordered = b.arrangement();
        for (int k : {11, 14, 15, 0}) {
            EXPECT_EQ(b.press(k), Press::Ignored);
        }
        EXPECT_EQ(b.arrangement(), ordered);
        EXPECT_EQ(b.moves(), 0);
        EXPECT_EQ(b.selected(), -1);
        EXPECT_EQ(log.changes, Strings{"arranged"});
        for (int k = 0; k < 16; ++k)
            EXPECT_EQ(b.pieceAt(k), k + 1);
        EXPECT_EQ(b.pieceAt(16), EmptyTag);
        EXPECT_EQ(b.emptyPlace(), 15);
    }
}

TEST(Board, NewGameTakesSizesOneToEight)
{
    Board b;
    for (int n : {0, 9, -3})
        EXPECT_FALSE(b.newGame(n, Mode::Swap)) << n;
    EXPECT_EQ(b.size(), 5);
    EXPECT_EQ(b.mode(), Mode::Slide);
    for (int n = 1; n <= 8; ++n) {
        ASSERT_TRUE(b.newGame(n, Mode::Swap));
        EXPECT_EQ(b.places(), n * n);
        EXPECT_EQ(b.walkSteps(), static_cast<long long>(n) * n * n * n);
    }
}

TEST(Board, TheWalkMakesExactlyNToTheFourthSteps)
{
    // From the last place: right (off the board, not counted), left, right,
    // down (off the board): two counted steps in every four draws.
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 2; n <= 8; ++n) {
            SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " N " << n);
            Board b;
            ASSERT_TRUE(b.newGame(n, mode));
            Log log;
            log.attach(b);
            Script script{{0.3, 0.1, 0.3, 0.8}};
            ASSERT_TRUE(b.shuffle(script.draw()));
            const long long steps = static_cast<long long>(n) * n * n * n;
            EXPECT_EQ(script.taken, 2 * steps - (steps % 2 == 0 ? 1 : 0));
            EXPECT_EQ(b.emptyPlace(), n * n - 1 - steps % 2);
            EXPECT_EQ(b.state(), Board::State::Playing);
            EXPECT_EQ(b.moves(), 0);
            EXPECT_EQ(log.changes, Strings{"shuffled"});  // once, not at every step
        }
    }
}

TEST(Board, AWalkDrawMovesTheEmptyPlaceOnlyWhereTheBoardGoes)
{
    struct Case {
        int x, y;
        double u;
        int target;  // -1: the draw would leave the board
        int xAfter, yAfter;
    };
    const Case cases[] = {
        {0, 0, 0.10, -1, 0, 0},  {0, 0, 0.30, 1, 1, 0},   // left blocked, right
        {0, 0, 0.60, -1, 0, 0},  {0, 0, 0.90, 4, 0, 1},   // up blocked, down
        {3, 3, 0.00, 14, 2, 3},  {3, 3, 0.49, -1, 3, 3},  // left, right blocked
        {3, 3, 0.50, 11, 3, 2},  {3, 3, 0.99, -1, 3, 3},  // up, down blocked
        {1, 2, 0.25, 10, 2, 2},  {1, 2, 0.75, 13, 1, 3},  // the first draw of each quarter
    };
    for (const Case& c : cases) {
        int x = c.x, y = c.y;
        EXPECT_EQ(Board::walkTarget(4, c.u, x, y), c.target) << c.x << "," << c.y << " u " << c.u;
        EXPECT_EQ(x, c.xAfter);
        EXPECT_EQ(y, c.yAfter);
    }
}

// A piece selected by the press that ended a game stays selected through the
// next shuffle: the first press of the next game exchanges with it.
TEST(Board, AShuffleKeepsTheSelectionAndNeedsTwoPlacesASide)
{
    Board b;
    ASSERT_TRUE(b.restore(3, Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0));
    EXPECT_EQ(b.press(6), Press::Selected);
    ASSERT_TRUE(b.locked());
    ASSERT_EQ(b.selected(), 6);
    ASSERT_TRUE(b.shuffle(seeded(1)));
    EXPECT_EQ(b.selected(), 6);
    EXPECT_EQ(b.moves(), 0);
    const std::vector<int> shuffled = b.arrangement();
    EXPECT_EQ(b.press(2), Press::Exchanged);
    EXPECT_EQ(b.pieceAt(2), shuffled[6]);
    EXPECT_EQ(b.moves(), 1);

    ASSERT_TRUE(b.newGame(1, Mode::Slide));
    Script script{{0.5}};
    EXPECT_FALSE(b.shuffle(script.draw()));
    EXPECT_EQ(script.taken, 0);
    EXPECT_TRUE(b.locked());
}

TEST(Board, RestoreTakesOnlyPermutationsAndSolvableSlideBoards)
{
    struct Case {
        const char* what;
        int size;
        Mode mode;
        std::vector<int> pieces;
        int moves;
        bool taken;
    };
    const Case cases[] = {
        {"swap, any permutation", 3, Mode::Swap, {9, 8, 7, 6, 5, 4, 3, 2, 1}, 12, true},
        {"slide, the empty place in the middle", 3, Mode::Slide, slideBoardWithEmptyAt(3, 4), 0, true},
        {"slide 4 x 4, the empty place in row 1", 4, Mode::Slide, slideBoardWithEmptyAt(4, 6), 0, true},
        {"swap, a piece twice", 3, Mode::Swap, {1, 1, 3, 4, 5, 6, 7, 8, 9}, 0, false},
        {"swap, a piece beyond N²", 3, Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8, 10}, 0, false},
        {"swap, an empty place", 3, Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8, 0}, 0, false},
        {"slide, no empty place", 3, Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, false},
        {"slide, piece N² beside the empty place", 3, Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 9, 0}, 0, false},
        {"slide, two empty places", 3, Mode::Slide, {1, 2, 3, 4, 5, 6, 0, 8, 0}, 0, false},
        {"a negative piece", 3, Mode::Swap, {-1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, false},
        {"too few places", 3, Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8}, 0, false},
        {"too many places", 2, Mode::Swap, {1, 2, 3, 4, 5}, 0, false},
        {"negative moves", 3, Mode::Swap, {1, 2, 3, 4, 5, 6, 7, 8, 9}, -1, false},
        {"size 9", 9, Mode::Swap, std::vector<int>(81, 1), 0, false},
        // Two pieces exchanged: no slide moves bring them back.
        {"slide 3 x 3, two pieces exchanged", 3, Mode::Slide, {2, 1, 3, 4, 5, 6, 7, 8, 0}, 0, false},
        // N even: the empty place's row counts too.
        {"slide 4 x 4, the empty place a row up", 4, Mode::Slide,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 12, 13, 14, 15}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Board b;
        ASSERT_TRUE(b.newGame(4, Mode::Swap));
        Log log;
        log.attach(b);
        EXPECT_EQ(b.restore(c.size, c.mode, c.pieces, c.moves), c.taken);
        if (c.taken) {
            EXPECT_EQ(b.size(), c.size);
            EXPECT_EQ(b.mode(), c.mode);
            EXPECT_EQ(b.arrangement(), c.pieces);
            EXPECT_EQ(b.moves(), c.moves);
            EXPECT_EQ(b.state(), Board::State::Playing);
            EXPECT_EQ(log.changes, Strings{"arranged"});
        } else {
            EXPECT_EQ(b.size(), 4);
            EXPECT_EQ(b.mode(), Mode::Swap);
            EXPECT_TRUE(b.locked());
            EXPECT_TRUE(log.changes.empty());
        }
    }
}

// Every board the walk makes can be solved by slide moves, and no board with
// two pieces exchanged: the solvability test agrees with the walk.
TEST(Board, EveryShuffledSlideBoardCanBeRestored)
{
    for (int n = 2; n <= 8; ++n) {
        for (unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "N " << n << " seed " << seed);
            Board b;
            ASSERT_TRUE(b.newGame(n, Mode::Slide));
            ASSERT_TRUE(b.shuffle(seeded(seed)));
            std::vector<int> pieces = b.arrangement();
            Board kept;
            EXPECT_TRUE(kept.restore(n, Mode::Slide, pieces, 0));
            EXPECT_EQ(kept.emptyPlace(), b.emptyPlace());
            // Exchange the first two pieces that are not the empty place.
            const int i = pieces[0] == EmptyTag ? 1 : 0;
            const int j = pieces[i + 1] == EmptyTag ? i + 2 : i + 1;
            std::swap(pieces[i], pieces[j]);
            EXPECT_FALSE(kept.restore(n, Mode::Slide, pieces, 0));
        }
    }
}

TEST(Board, TheSameDrawsGiveTheSameBoard)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 3; n <= 8; ++n) {
            SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " N " << n);
            Board a, b, c;
            for (Board* x : {&a, &b, &c})
                ASSERT_TRUE(x->newGame(n, mode));
            a.shuffle(seeded(20240517));
            b.shuffle(seeded(20240517));
            c.shuffle(seeded(7));
            EXPECT_EQ(a.arrangement(), b.arrangement());
            EXPECT_EQ(a.emptyPlace(), b.emptyPlace());
            EXPECT_NE(a.arrangement(), c.arrangement());

            // Slide mode: one empty place, where the walk ended, and the
            // other pieces once each; swap mode: every piece once.
            std::vector<int> pieces = a.arrangement();
            if (mode == Mode::Slide) {
                EXPECT_EQ(std::count(pieces.begin(), pieces.end(), EmptyTag), 1);
                EXPECT_EQ(a.pieceAt(a.emptyPlace()), EmptyTag);
            }
            std::sort(pieces.begin(), pieces.end());
            for (int k = 0; k < n * n; ++k)
                EXPECT_EQ(pieces[k], mode == Mode::Slide ? k : k + 1);
        }
    }
}

// A copy made to look ahead plays on its own: the window that listens to the
// original hears nothing of it.
TEST(Board, ACopyPlaysWithoutTheOriginalsListeners)
{
    Board b;
    ASSERT_TRUE(b.restore(3, Mode::Swap, {2, 1, 3, 4, 5, 6, 7, 8, 9}, 0));
    Log log;
    log.attach(b);
    Board ahead = b;
    ahead.press(0);
    ahead.press(1);
    EXPECT_TRUE(ahead.locked());
    EXPECT_FALSE(b.locked());
    b = ahead;
    EXPECT_TRUE(b.locked());
    b.newGame(3, Mode::Swap);
    EXPECT_EQ(log.changes, Strings{"arranged"});
}
