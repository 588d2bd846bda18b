// The room as the session's view: a press reaches the session (a line slide),
// undo and redo come from the options menu and its keys, what changed is
// drawn, and a modal window of the game over the room holds the clock.

#include "mainwindow/frmTavoro.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/settings.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

const QDateTime kStart(QDate(2026, 12, 11), QTime(9, 0, 0));

class SessionWindow : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::vector<int16_t> sounds;
    qint64 ms = 0;  // since kStart
    std::unique_ptr<frmTavoro> w = testsupport::openRoom();

    void SetUp() override
    {
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        widgets::seams().showChampions = [](QWidget*, std::optional<game::Score>) {};
        platform::seams().now = [this] { return kStart.addMSecs(ms); };
        Allgemein::settings().setAnimate(false);
        Allgemein::settings().setSize(3);
        Allgemein::settings().setMode(game::Mode::Slide);
        w->NewGame();
        // 3 x 3, the empty place in the top left corner.
        ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
        sounds.clear();
        rememberPictures();
    }

    // Every place shows the picture its piece showed at the start.
    std::map<int, qint64> pictureOf;  // piece -> the picture's cache key
    void rememberPictures()
    {
        for (int k = 0; k < 9; ++k)
            pictureOf[w->board.pieceAt(k)] = w->imgPuzz(k)->Picture().cacheKey();
    }
    void expectDrawn()
    {
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(w->imgPuzz(k)->Picture().cacheKey(), pictureOf[w->board.pieceAt(k)]) << k;
    }

    void clock(int seconds)
    {
        ms += seconds * 1000;
        w->Timer1_Timer();
    }
};

}  // namespace

TEST_F(SessionWindow, ALineSlideUndoAndRedoAreDrawnAndCounted)
{
    // A press two places below the empty place slides the column.
    w->imgPuzz_MouseDown(6, 1, 0, 0, 0);
    EXPECT_EQ(w->board.emptyPlace(), 6);
    EXPECT_EQ(w->lblZugzahl->text(), "2");
    EXPECT_EQ(sounds.size(), 1u);
    expectDrawn();

    emit w->mnuOptionen->aboutToShow();
    EXPECT_TRUE(w->mnuUndo->isEnabled());
    EXPECT_FALSE(w->mnuRedo->isEnabled());
    w->mnuUndo->trigger();
    EXPECT_EQ(w->board.emptyPlace(), 0);
    EXPECT_EQ(w->lblZugzahl->text(), "4");  // an undo counts its moves
    expectDrawn();
    emit w->mnuOptionen->aboutToShow();
    EXPECT_FALSE(w->mnuUndo->isEnabled());
    EXPECT_TRUE(w->mnuRedo->isEnabled());
    w->mnuRedo->trigger();
    EXPECT_EQ(w->board.emptyPlace(), 6);
    EXPECT_EQ(w->lblZugzahl->text(), "6");
    expectDrawn();

    // The keys, anywhere in the window (the captions: Menus.*).
    EXPECT_TRUE(w->mnuUndo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    EXPECT_TRUE(w->mnuRedo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(w->mnuRedo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    EXPECT_TRUE(w->actions().contains(w->mnuUndo));
    EXPECT_TRUE(w->actions().contains(w->mnuRedo));
}

TEST_F(SessionWindow, AModalWindowOverTheRoomHoldsTheClock)
{
    clock(1);
    EXPECT_EQ(w->lblTime->text(), "1");
    EXPECT_TRUE(w->Timer1->isActive());
    {
        QDialog question(w.get());
        question.setModal(true);
        question.show();
        EXPECT_TRUE(w->session.held());
        EXPECT_FALSE(w->Timer1->isActive());
        clock(60);
        EXPECT_EQ(w->lblTime->text(), "1");
        question.hide();
    }
    EXPECT_FALSE(w->session.held());
    EXPECT_TRUE(w->Timer1->isActive());
    clock(2);
    EXPECT_EQ(w->lblTime->text(), "3");
    EXPECT_EQ(w->playedSeconds(), 3);
}

TEST_F(SessionWindow, SolveIsPacedByTheSessionsTicks)
{
    w->mnuSolve_Click();
    ASSERT_TRUE(w->solving());
    EXPECT_TRUE(w->helped());
    // The timer waits for the session's next step; each tick plays what is due.
    EXPECT_LE(w->Timer1->interval(), game::Session::SlowestStep);
    for (int i = 0; i < 100 && w->solving(); ++i)
        clock(1);
    EXPECT_TRUE(w->board.locked());
    EXPECT_TRUE(w->board.solved());
    EXPECT_EQ(w->lblZugzahl->text(), QString::number(w->board.moves()));
}
