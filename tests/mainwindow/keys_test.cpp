// Keyboard play on the board: arrows slide the piece beside the empty place
// in their direction; in swap mode they move a cursor and Space presses.

#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/resources.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using widgets::seams;

namespace {

class KeyboardPlay : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::vector<int16_t> sounds;
    int champions = 0;
    std::unique_ptr<frmTavoro> w = testsupport::openRoom();

    void SetUp() override
    {
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        widgets::seams().showChampions = [this](QWidget*, std::optional<game::Score>) { ++champions; };
    }

    // A running 3 x 3 game with the pieces as given (0 the empty place).
    void play(game::Mode mode, const std::vector<int>& pieces)
    {
        Allgemein::settings().setSize(3);
        Allgemein::settings().setMode(mode);
        w->NewGame();
        ASSERT_TRUE(testsupport::playOn(*w, 3, mode, pieces, 0));
        sounds.clear();
    }

    void key(Qt::Key k) { QTest::keyClick(w.get(), k); }
};

}  // namespace

TEST_F(KeyboardPlay, AnArrowSlidesThePieceBesideTheEmptyPlaceInItsDirection)
{
    // The empty place in the middle, then in each corner and on an edge: a
    // piece moves only from the far side of the arrow.
    const std::vector<int> middle = {1, 2, 3, 4, 0, 5, 6, 7, 8};
    const std::vector<int> corner = {1, 2, 3, 4, 5, 6, 7, 8, 0};
    const std::vector<int> topLeft = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const struct { const std::vector<int>* pieces; Qt::Key key; int empty; } cases[] = {
        {&middle, Qt::Key_Up, 7},    {&middle, Qt::Key_Down, 1},
        {&middle, Qt::Key_Left, 5},  {&middle, Qt::Key_Right, 3},
        {&corner, Qt::Key_Up, 8},    {&corner, Qt::Key_Left, 8},  // nothing below, nothing right
        {&corner, Qt::Key_Down, 5},  {&corner, Qt::Key_Right, 7},
        {&topLeft, Qt::Key_Down, 0}, {&topLeft, Qt::Key_Right, 0},
        {&topLeft, Qt::Key_Up, 3},   {&topLeft, Qt::Key_Left, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " from " << (*c.pieces)[0]);
        play(game::Mode::Slide, *c.pieces);
        const int empty = w->board.emptyPlace();
        key(c.key);
        EXPECT_EQ(w->board.emptyPlace(), c.empty);
        const bool moved = c.empty != empty;
        EXPECT_EQ(w->board.moves(), moved ? 1 : 0);
        EXPECT_EQ(w->lblZugzahl->text(), moved ? "1" : "0");
        EXPECT_EQ(sounds.size(), moved ? 1u : 0u);  // a key with nothing to move is silent
    }
}

TEST_F(KeyboardPlay, KeysNeverReachTheBoardWhileNoGameRuns)
{
    Allgemein::settings().setSize(3);
    w->NewGame();
    const std::vector<int> ordered = w->board.arrangement();
    for (Qt::Key k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
        key(k);
    EXPECT_EQ(w->board.arrangement(), ordered);
    EXPECT_FALSE(w->shpCursor->isVisibleTo(w.get()));
    EXPECT_TRUE(sounds.empty());

    // Solved by the keyboard: the board locks, later keys do nothing.
    play(game::Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8});
    key(Qt::Key_Left);
    EXPECT_EQ(champions, 1);
    EXPECT_TRUE(w->board.locked());
    key(Qt::Key_Right);
    EXPECT_EQ(w->board.moves(), 1);
}

TEST_F(KeyboardPlay, InSwapModeTheArrowsMoveACursorAndSpacePresses)
{
    play(game::Mode::Swap, {2, 1, 3, 4, 5, 6, 7, 9, 8});
    key(Qt::Key_Right);  // the first arrow shows the cursor in the top left corner
    EXPECT_TRUE(w->shpCursor->isVisibleTo(w.get()));
    EXPECT_TRUE(w->imgPuzz(0)->geometry().contains(w->shpCursor->geometry()));
    key(Qt::Key_Up);     // at the edge: it stays
    key(Qt::Key_Left);
    EXPECT_TRUE(w->imgPuzz(0)->geometry().contains(w->shpCursor->geometry()));

    key(Qt::Key_Space);  // selects piece 2 at place 0
    EXPECT_EQ(w->board.selected(), 0);
    key(Qt::Key_Space);  // the same piece again lets go
    EXPECT_EQ(w->board.selected(), -1);
    key(Qt::Key_Space);
    key(Qt::Key_Right);
    key(Qt::Key_Space);  // exchanges places 0 and 1
    EXPECT_EQ(w->board.pieceAt(0), 1);
    EXPECT_EQ(w->board.moves(), 1);
    EXPECT_TRUE(w->imgPuzz(1)->geometry().contains(w->shpCursor->geometry()));

    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Right,
                      Qt::Key_Space})
        key(k);  // the cursor stops on the bottom edge; 9 and 8 exchanged
    EXPECT_EQ(champions, 1);
    EXPECT_FALSE(w->shpCursor->isVisibleTo(w.get()));
}
