// Help when stuck: the hint shows the next move until a move is made; Solve
// plays the rest and any key stops it; a game solved with help only shows
// the champions list.

#include "mainwindow/frmTavoro.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

class Help : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::vector<bool> pending;  // whether the champions window was handed a result
    std::unique_ptr<frmTavoro> w = testsupport::openRoom();

    void SetUp() override
    {
        Allgemein::settings().setAnimate(false);
        widgets::seams().showChampions = [this](QWidget*, std::optional<game::Score> r) { pending.push_back(r.has_value()); };
    }

    void play(int n, game::Mode mode, const std::vector<int>& pieces)
    {
        Allgemein::settings().setSize(n);
        Allgemein::settings().setMode(mode);
        w->NewGame();
        ASSERT_TRUE(testsupport::playOn(*w, n, mode, pieces, 0));
    }

    // The places the hint's frames stand on.
    std::vector<int> hinted() const
    {
        std::vector<int> places;
        for (const QObject* child : w->children()) {
            const auto* frame = qobject_cast<const QWidget*>(child);
            if (!frame || frame->isHidden() || !dynamic_cast<const widgets::ShapeControl*>(frame))
                continue;
            for (int k = 0; k < w->board.places(); ++k)
                if (w->imgPuzz(k)->geometry() == frame->geometry())
                    places.push_back(k);
        }
        std::sort(places.begin(), places.end());
        return places;
    }
};

}  // namespace

TEST_F(Help, TheHintShowsTheNextMoveUntilAMoveIsMade)
{
    // Slide: two moves from home; the piece to move is the one at place 7.
    play(3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 0, 7, 8});
    QTest::keyClick(w.get(), Qt::Key_H);
    EXPECT_TRUE(w->hintShown());
    EXPECT_EQ(hinted(), std::vector<int>({7}));
    EXPECT_EQ(w->board.moves(), 0);  // shown, not made
    // Said on the board, in the game's language: no entry in the list.
    EXPECT_TRUE(w->helpNoteShown());
    EXPECT_EQ(w->helpNoteText(), services::textOf(302));
    w->imgPuzz_MouseDown(7, 1, 0, 0, 0);
    EXPECT_FALSE(w->hintShown());
    w->imgPuzz_MouseDown(8, 1, 0, 0, 0);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_FALSE(pending[0]);  // helped: the list only, no name asked
    EXPECT_TRUE(w->helpNoteShown());  // and said again at the end
    w->NewGame();
    EXPECT_FALSE(w->helpNoteShown());

    // Swap: both pieces to exchange; the largest board answers as well.
    play(8, game::Mode::Swap, [] {
        std::vector<int> p(64);
        for (int i = 0; i < 64; ++i)
            p[i] = i + 1;
        std::swap(p[10], p[40]);
        return p;
    }());
    w->mnuHint_Click();
    EXPECT_EQ(hinted(), std::vector<int>({10, 40}));
}

TEST_F(Help, SolvePlaysTheRestAndAnyKeyStopsIt)
{
    play(3, game::Mode::Slide, {4, 1, 3, 7, 2, 6, 5, 8, 0});
    w->mnuSolve_Click();
    EXPECT_TRUE(w->solving());
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->board.locked(); }, 10000));
    EXPECT_TRUE(w->board.solved());
    EXPECT_FALSE(w->solving());
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_FALSE(pending[0]);

    play(4, game::Mode::Swap, {2, 1, 4, 3, 6, 5, 8, 7, 10, 9, 12, 11, 14, 13, 16, 15});
    w->mnuSolve_Click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->board.moves() >= 1; }, 5000));
    QTest::keyClick(w.get(), Qt::Key_Left);
    EXPECT_FALSE(w->solving());
    const int moves = w->board.moves();
    QTest::qWait(500);
    EXPECT_EQ(w->board.moves(), moves);  // nothing more played
    EXPECT_FALSE(w->board.locked());
}

TEST_F(Help, AGameWithoutHelpStillEntersTheList)
{
    play(3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8});
    w->imgPuzz_MouseDown(8, 1, 0, 0, 0);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_TRUE(pending[0]);
    EXPECT_FALSE(w->helped());
    EXPECT_FALSE(w->helpNoteShown());
}
