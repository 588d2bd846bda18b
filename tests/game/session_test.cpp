// The game in progress without any window: line slides, keys, undo and redo,
// the clock with the player's pause and the hold of a window over the room,
// hint and Solve, the score, and the snapshot that the kept game stores.

#include "game/session.h"

#include "seeded_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using game::Key;
using game::Mode;
using game::Move;
using game::Moves;
using game::Press;
using game::Session;
using game::SessionChange;
using game::Snapshot;

namespace {

// An n x n slide board reached from the solved one by walking the empty
// place left along the last row to e's column, then up to e's row; the first
// three pieces turned, so that no single press solves it.
std::vector<int> slideBoardWithEmptyAt(int n, int e)
{
    std::vector<int> t(n * n);
    for (int k = 0; k < n * n - 1; ++k)
        t[k] = k + 1;
    int at = n * n - 1;
    t[at] = game::EmptyTag;
    auto moveTo = [&](int k) {
        std::swap(t[at], t[k]);
        at = k;
    };
    while (at % n > e % n)
        moveTo(at - 1);
    while (at / n > e / n)
        moveTo(at - n);
    std::vector<int> three;
    for (int k = 0; three.size() < 3; ++k)
        if (t[k] != game::EmptyTag)
            three.push_back(k);
    const int first = t[three[0]];
    t[three[0]] = t[three[1]];
    t[three[1]] = t[three[2]];
    t[three[2]] = first;
    return t;
}

struct Game {
    long long now = 1'000'000;
    Session s{[this] { return now; }};
    std::vector<SessionChange::Kind> told;

    Game() { s.listen([this](const SessionChange& c) { told.push_back(c.kind); }); }

    // A running game of that arrangement, no moves, 0 s, not paused.
    void begin(int n, Mode mode, std::vector<int> pieces)
    {
        Snapshot k;
        k.size = n;
        k.mode = mode;
        k.pieces = std::move(pieces);
        ASSERT_TRUE(s.restore(k));
        s.resume();
    }

    // Plays a script: p<k> press, < > ^ v arrows, _ Space, H hint key, P
    // pause key, e Escape, x any other key, +<ms> time passes and a tick comes, u undo,
    // r redo, w a window over the room, W closed again, N pause(), R
    // resume(), S solve.
    void play(const std::string& script)
    {
        std::istringstream in(script);
        std::string t;
        while (in >> t) {
            switch (t[0]) {
            case 'p': s.press(std::stoi(t.substr(1))); break;
            case '<': s.key(Key::Left); break;
            case '>': s.key(Key::Right); break;
            case '^': s.key(Key::Up); break;
            case 'v': s.key(Key::Down); break;
            case '_': s.key(Key::Space); break;
            case 'H': s.key(Key::Hint); break;
            case 'P': s.key(Key::Pause); break;
            case 'x': s.key(Key::Other); break;
            case 'e': s.key(Key::Escape); break;
            case '+': now += std::stoll(t.substr(1)); s.tick(); break;
            case 'u': s.undo(); break;
            case 'r': s.redo(); break;
            case 'w': s.hold(true); break;
            case 'W': s.hold(false); break;
            case 'N': s.pause(); break;
            case 'R': s.resume(); break;
            case 'S': s.solve(); break;
            default: FAIL() << "no such event " << t;
            }
        }
    }

    // Ticks every frame until Solve has stopped; the milliseconds it took.
    long long solveToTheEnd()
    {
        const long long from = now;
        while (s.solving() && now - from < 120'000) {
            now += Session::FrameMilliseconds;
            s.tick();
        }
        return now - from;
    }
};

}  // namespace

TEST(Session, SlideEventsMoveTheBoardTheClockAndTheUndoList)
{
    // 4 x 4, the empty place at 5 (row 1, column 1).
    struct Case {
        const char* script;
        int empty;
        int moves;
        int seconds;
        bool paused;
        bool helped;
        size_t undo;
        size_t redo;
    };
    const Case cases[] = {
        {"", 5, 0, 0, false, false, 0, 0},
        // Line slides: every piece between, nearest first; a move each.
        {"p7", 7, 2, 0, false, false, 1, 0},
        {"p13", 13, 2, 0, false, false, 1, 0},
        {"p4", 4, 1, 0, false, false, 1, 0},
        {"p1", 1, 1, 0, false, false, 1, 0},
        {"p10 p0 p5 p16 p-1", 5, 0, 0, false, false, 0, 0},  // off the lines, itself, off the board
        // Undo and redo move the pieces back and forth and count.
        {"p7 u", 5, 4, 0, false, false, 0, 1},
        {"p7 u r", 7, 6, 0, false, false, 1, 0},
        {"p7 p15 u u", 5, 8, 0, false, false, 0, 2},
        {"p7 u p4", 4, 5, 0, false, false, 1, 0},  // a new press forgets what was undone
        {"u r", 5, 0, 0, false, false, 0, 0},
        // Keys: the piece beyond the empty place moves towards it.
        {"> ", 4, 1, 0, false, false, 1, 0},
        {"< v ^", 6, 3, 0, false, false, 3, 0},
        {"_", 5, 0, 0, false, false, 0, 0},  // Space belongs to swap mode
        // The clock, the player's pause and a window over the room.
        {"+999", 5, 0, 0, false, false, 0, 0},
        {"+1000 +2500", 5, 0, 3, false, false, 0, 0},
        {"+1500 N +5000 R +600", 5, 0, 2, false, false, 0, 0},
        {"+1500 P +5000", 5, 0, 1, true, false, 0, 0},
        {"+1000 w +9000 W +500", 5, 0, 1, false, false, 0, 0},
        {"w N W +3000", 5, 0, 0, true, false, 0, 0},
        {"+1000 N w R +4000 W +1000", 5, 0, 2, false, false, 0, 0},
        // Paused: presses and undo do nothing, any key goes on and does no more.
        {"N p7 u", 5, 0, 0, true, false, 0, 0},
        {"N > +2000", 5, 0, 2, false, false, 0, 0},
        // A hint helps, moves nothing.
        {"H", 5, 0, 0, false, true, 0, 0},
        {"S x +20000", 5, 0, 20, false, true, 0, 0},  // any key stops Solve at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Game g;
        g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, 5));
        g.play(c.script);
        EXPECT_EQ(g.s.board().emptyPlace(), c.empty);
        EXPECT_EQ(g.s.moves(), c.moves);
        EXPECT_EQ(g.s.seconds(), c.seconds);
        EXPECT_EQ(g.s.paused(), c.paused);
        EXPECT_EQ(g.s.helped(), c.helped);
        EXPECT_EQ(g.s.snapshot().undo.size(), c.undo);
        EXPECT_EQ(g.s.snapshot().redo.size(), c.redo);
        EXPECT_TRUE(g.s.running());
    }
}

TEST(Session, ALineSlideIsTheNeighbourPressesAndUndoPutsEveryPieceBack)
{
    for (int e : {0, 5, 10, 15}) {
        for (int far : {0, 3, 12, 15, 5, 10, 2, 8}) {
            SCOPED_TRACE(testing::Message() << "empty " << e << ", press " << far);
            Game g;
            g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, e));
            const std::vector<int> start = g.s.board().arrangement();
            game::Board byHand = g.s.board();
            const int step = far / 4 == e / 4 ? (far > e ? 1 : -1) : far % 4 == e % 4 ? (far > e ? 4 : -4) : 0;
            if (step != 0 && far != e)
                for (int k = e + step;; k += step) {
                    byHand.press(k);
                    if (k == far)
                        break;
                }
            g.play("p" + std::to_string(far));
            EXPECT_EQ(g.s.board().arrangement(), byHand.arrangement());
            EXPECT_EQ(g.s.moves(), byHand.moves());
            g.play("u");
            EXPECT_EQ(g.s.board().arrangement(), start);
            EXPECT_EQ(g.s.moves(), 2 * byHand.moves());
        }
    }
}

TEST(Session, SwapEventsSelectExchangeAndUndo)
{
    // 3 x 3 with the first three pieces turned.
    const std::vector<int> start = {2, 3, 1, 4, 5, 6, 7, 8, 9};
    struct Case {
        const char* script;
        std::vector<int> pieces;
        int moves;
        int selected;
        int cursor;
    };
    const Case cases[] = {
        {"p0", start, 0, 0, -1},
        {"p0 p0", start, 0, -1, -1},
        {"p0 p1", {3, 2, 1, 4, 5, 6, 7, 8, 9}, 1, -1, -1},
        {"p0 p1 u", start, 2, -1, -1},
        {"p0 p1 p4 u", start, 2, -1, -1},  // undo lets go of the selection first
        {"p0 p1 u r", {3, 2, 1, 4, 5, 6, 7, 8, 9}, 3, -1, -1},
        // The keyboard cursor: the first arrow or Space shows it, Space presses.
        {">", start, 0, -1, 0},
        {"> > v", start, 0, -1, 4},
        {"_ _ > _", {3, 2, 1, 4, 5, 6, 7, 8, 9}, 1, -1, 1},
        {"p4 >", start, 0, 4, 4},  // shown on the selected piece
        {"> < ^", start, 0, -1, 0},  // stays on the board
        {"> N", start, 0, -1, -1},   // the pause hides it
        {"p4 e", start, 0, -1, -1},  // Escape lets go of the selection
        {"p4 p5 e", {2, 3, 1, 4, 6, 5, 7, 8, 9}, 1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Game g;
        g.begin(3, Mode::Swap, start);
        g.play(c.script);
        EXPECT_EQ(g.s.board().arrangement(), c.pieces);
        EXPECT_EQ(g.s.moves(), c.moves);
        EXPECT_EQ(g.s.board().selected(), c.selected);
        EXPECT_EQ(g.s.cursor(), c.cursor);
    }
}

TEST(Session, TheSolvingPressFinishesWithTheScoreAndOnlyAnUnhelpedGameEntersTheList)
{
    // 3 x 3 slide, one press from solved: 8 slides left into the empty place.
    const std::vector<int> oneAway = {1, 2, 3, 4, 5, 6, 7, 0, 8};
    for (bool helped : {false, true}) {
        SCOPED_TRACE(helped);
        Game g;
        g.begin(3, Mode::Slide, oneAway);
        g.play(helped ? "+3200 H p8" : "+3200 p8");
        ASSERT_TRUE(g.s.result());
        EXPECT_FALSE(g.s.running());
        EXPECT_EQ(g.s.result()->text(), "0000300001");
        EXPECT_EQ(g.s.result()->helped, helped);
        EXPECT_EQ(g.s.championsEntry().has_value(), !helped);
        EXPECT_FALSE(g.s.canUndo());
        g.play("+5000 u");
        EXPECT_EQ(g.s.seconds(), 3);  // the clock stopped with the picture whole
        EXPECT_EQ(g.s.due(), -1);
        EXPECT_EQ(g.told.back(), SessionChange::Finished);
        // A new game forgets the result.
        g.s.newGame(3, Mode::Slide);
        EXPECT_FALSE(g.s.result());
        EXPECT_FALSE(g.s.helped());
    }
}

TEST(Session, SolveEndsWithinTenSecondsAtEverySizeAndStandsWhileHeld)
{
    for (Mode mode : {Mode::Slide, Mode::Swap}) {
        for (int n = 3; n <= 8; ++n) {
            SCOPED_TRACE(testing::Message() << n << (mode == Mode::Slide ? " slide" : " swap"));
            Game g;
            g.s.newGame(n, mode);
            ASSERT_TRUE(g.s.start(seeded(unsigned(n) * 7 + 1)));
            const size_t planned = game::quickSolution(g.s.board()).size();
            ASSERT_TRUE(g.s.solve());
            // A window over the room holds it.
            g.play("+100 w +5000");
            const std::vector<int> held = g.s.board().arrangement();
            g.play("+5000");
            EXPECT_EQ(g.s.board().arrangement(), held);
            EXPECT_EQ(g.s.due(), -1);
            g.play("W");
            const long long took = g.solveToTheEnd();
            EXPECT_LE(took + 100, Session::SolveMilliseconds + 2 * Session::FrameMilliseconds);
            ASSERT_TRUE(g.s.result());
            EXPECT_TRUE(g.s.result()->helped);
            EXPECT_FALSE(g.s.championsEntry());
            // Each move of the plan is a move (a line slide would be several).
            EXPECT_EQ(g.s.moves(), int(planned));
            // A short solution keeps a pace the eye can follow.
            if (planned < 30)
                EXPECT_GE(took, (long long)planned * Session::SlowestStep - 100);
        }
    }
}

TEST(Session, APressStopsSolveAndCountsAsItsOwn)
{
    Game g;
    g.s.newGame(4, Mode::Slide);
    ASSERT_TRUE(g.s.start(seeded(3)));
    g.s.solve();
    g.play("+700");
    const int solved = g.s.moves();
    EXPECT_GT(solved, 0);
    const int next = g.s.board().emptyPlace() % 4 ? g.s.board().emptyPlace() - 1 : g.s.board().emptyPlace() + 1;
    EXPECT_EQ(g.s.press(next), Press::Slid);
    EXPECT_FALSE(g.s.solving());
    g.play("+5000");
    EXPECT_EQ(g.s.moves(), solved + 1);
    // Solve's moves and the press are all undone, one by one.
    while (g.s.undo()) {
    }
    EXPECT_EQ(g.s.moves(), 2 * (solved + 1));
}

TEST(Session, AHintKeepsItsPlanWhileTheBoardFollowsIt)
{
    Game g;
    g.s.newGame(5, Mode::Slide);
    ASSERT_TRUE(g.s.start(seeded(11)));
    const Moves plan = game::quickSolution(g.s.board());
    ASSERT_GE(plan.size(), 2u);
    ASSERT_TRUE(g.s.hint());
    EXPECT_EQ(g.s.shownHint(), plan[0]);
    g.s.press(plan[0].a);
    EXPECT_FALSE(g.s.shownHint().has_value());  // shown until the next move
    g.s.hint();
    EXPECT_EQ(g.s.shownHint(), plan[1]);
    // An answer for another board is dropped.
    g.s.betterHint(-5, {Move{0, 1}});
    EXPECT_EQ(g.s.shownHint(), plan[1]);
}

TEST(Session, TheFourByFourSlideBoardAsksTheSearchAndTakesItsAnswer)
{
    Game g;
    g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, 5));
    EXPECT_FALSE(g.s.betterHintQuestion());  // no hint shown
    g.play("H");
    const auto q = g.s.betterHintQuestion();
    ASSERT_TRUE(q);
    // Any solution stands for the search's answer here.
    const Moves best = game::quickSolution(q->board);
    g.s.betterHint(q->generation, best);
    EXPECT_EQ(g.s.shownHint(), best.front());
    g.play("p" + std::to_string(best.front().a));
    g.s.betterHint(q->generation, best);  // too late: the board moved
    EXPECT_FALSE(g.s.shownHint());
}

TEST(Session, SnapshotsRestoreEveryStateAndListsThatDoNotFitAreDropped)
{
    const char* scripts[] = {"", "p7", "p7 p15 u", "p7 u r p4 +2500", "H p4 > u u"};
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        Game g;
        g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, 5));
        g.play(script);
        const Snapshot kept = g.s.snapshot();
        Game again;
        ASSERT_TRUE(again.s.restore(kept));
        EXPECT_EQ(again.s.snapshot(), kept);
        EXPECT_TRUE(again.s.paused());  // a kept game goes on paused
        again.s.resume();
        // What was undone before can be redone after, and back.
        while (again.s.undo()) {
        }
        while (g.s.undo()) {
        }
        EXPECT_EQ(again.s.board().arrangement(), g.s.board().arrangement());
    }
    // An undo entry that does not lead back over the board: the game is
    // taken, its lists are not.
    Snapshot bad;
    bad.size = 4;
    bad.pieces = slideBoardWithEmptyAt(4, 5);
    bad.moves = 3;
    bad.undo = {Move{10, 5}};  // the empty place is at 5, not 10
    bad.redo = {Move{7, 5}};
    Game g;
    ASSERT_TRUE(g.s.restore(bad));
    EXPECT_TRUE(g.s.snapshot().undo.empty());
    EXPECT_TRUE(g.s.snapshot().redo.empty());
    EXPECT_EQ(g.s.moves(), 3);
    // An arrangement that slides cannot solve is no game.
    Snapshot impossible;
    impossible.size = 3;
    impossible.pieces = {2, 1, 3, 4, 5, 6, 7, 8, 0};
    EXPECT_FALSE(g.s.restore(impossible));
    EXPECT_EQ(g.s.moves(), 3);
}

TEST(Session, TheClockWantsATickAtEachSecondAndEachFrameOfSolve)
{
    Game g;
    g.begin(5, Mode::Slide, slideBoardWithEmptyAt(5, 7));
    g.play("+250");
    EXPECT_EQ(g.s.due(), 750);
    g.play("N");
    EXPECT_EQ(g.s.due(), -1);
    g.play("R S");
    EXPECT_GE(g.s.due(), Session::FrameMilliseconds);
    EXPECT_LE(g.s.due(), Session::SlowestStep);
}

TEST(Session, GivingUpAsksOnceAMoveIsMadeAndHelpIsToldOnce)
{
    struct Case {
        const char* script;
        bool asks;
        int helpedTold;
    };
    const Case cases[] = {
        {"", false, 0},       {"p10", false, 0},  // a press that moves nothing
        {"p7", true, 0},      {"p7 u", true, 0},  // undone, the moves stay
        {"H", false, 1},      {"H p7 H S", true, 1},
        {"e", false, 0},      // Escape without a selection is the window's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Game g;
        g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, 5));
        g.told.clear();
        g.play(c.script);
        EXPECT_EQ(g.s.asksBeforeAbandoning(), c.asks);
        EXPECT_EQ(std::count(g.told.begin(), g.told.end(), SessionChange::Helped), c.helpedTold);
    }
    Game g;
    g.begin(4, Mode::Slide, slideBoardWithEmptyAt(4, 5));
    EXPECT_FALSE(g.s.key(Key::Escape));
}
