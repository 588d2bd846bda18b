// A running game is never lost: kept after each move, gone when the game
// ends, asked for before a command throws it away, continued paused at the
// next start.

#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "platform/clock.h"
#include "services/kept_game.h"
#include "services/picture_file.h"
#include "services/picture_square.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using widgets::seams;

namespace {

const QDateTime kStart(QDate(2026, 12, 11), QTime(9, 0, 0));
const std::vector<int> kPlaying = {1, 2, 3, 4, 5, 6, 0, 7, 8};  // 3 x 3 slide, two moves from home

class KeptGameWindow : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTavoro> w;
    std::vector<QString> questions;
    std::vector<QString> told;
    bool answerYes = false;
    int champions = 0;
    std::optional<game::Score> result;  // what the champions window was handed
    std::function<void()> inPictureWindow = [] {};

    void SetUp() override
    {
        widgets::seams().showChampions = [this](QWidget*, std::optional<game::Score> r) {
            ++champions;
            result = r;
        };
        widgets::seams().showPictureWindow = [this](QWidget*) { inPictureWindow(); };
        services::seams().askYesNoDefaultNo = [this](QWidget*, const QString& text, const QString&) {
            questions.push_back(text);
            return answerYes;
        };
        services::seams().askYesNo = [](QWidget*, const QString&, const QString&) { return false; };
        services::seams().tell = [this](QWidget*, const QString& text) { told.push_back(text); };
        platform::seams().now = [] { return kStart; };
        open();
    }

    void TearDown() override
    {
        w.reset();
        keptgame::flush();
    }

    // The window of a new start, laid out; the kept game, if any, continues.
    void open()
    {
        w = testsupport::openRoom();
        w->positionieren();
        w->continueKeptGame();
        // Its own picture is read on the worker.
        ASSERT_TRUE(testsupport::waitForPictures());
    }

    // A running 3 x 3 slide game started at kStart, one move made.
    void playOneMove()
    {
        w->mnuSize_Click(0);  // 3 x 3, no game running
        w->Start();
        ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, kPlaying, 0));
        w->imgPuzz_MouseDown(7, 1, 0, 0, 0);
        ASSERT_EQ(w->board.moves(), 1);
    }

    bool kept()
    {
        keptgame::flush();
        return QFile::exists(keptgame::path());
    }
};

}  // namespace

TEST_F(KeptGameWindow, EachMoveIsKeptAndTheEndsOfAGameRemoveIt)
{
    playOneMove();
    ASSERT_TRUE(kept());
    QString problem;
    auto k = keptgame::load(&problem);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->pieces, w->board.arrangement());
    EXPECT_EQ(k->moves, 1);

    answerYes = true;
    w->Ende();  // End gives the game up, once the player says so
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_FALSE(kept());

    playOneMove();
    w->imgPuzz_MouseDown(6, 1, 0, 0, 0);  // back...
    w->imgPuzz_MouseDown(7, 1, 0, 0, 0);  // ...and again: still kept with 3 moves
    EXPECT_TRUE(kept());
    EXPECT_EQ(keptgame::load(&problem)->moves, 3);
    w->imgPuzz_MouseDown(8, 1, 0, 0, 0);
    ASSERT_EQ(champions, 1);  // solved
    EXPECT_FALSE(kept());
}

TEST_F(KeptGameWindow, ACommandThatWouldThrowTheGameAwayAsksFirst)
{
    const struct {
        const char* name;
        std::function<void(frmTavoro&)> command;
        bool yes;
        bool asks;
        bool keeps;
    } cases[] = {
        {"size, No", [](frmTavoro& w) { w.mnuSize(2)->trigger(); }, false, true, true},
        {"size, Yes", [](frmTavoro& w) { w.mnuSize(2)->trigger(); }, true, true, false},
        {"mode, No", [](frmTavoro& w) { w.PicBut_Click(6); }, false, true, true},
        {"mode, Yes", [](frmTavoro& w) { w.PicBut_Click(6); }, true, true, false},
        {"picture unchanged", [](frmTavoro& w) { w.PicBut_Click(3); }, true, false, true},
        {"language", [](frmTavoro& w) { w.PicBut_Click(16); }, true, false, true},
        {"End, No", [](frmTavoro& w) { w.PicBut(1)->click(); }, false, true, true},
        {"End, Yes", [](frmTavoro& w) { w.PicBut(1)->click(); }, true, true, false},
        {"Esc, No", [](frmTavoro& w) { QTest::keyClick(&w, Qt::Key_Escape); }, false, true, true},
        {"Esc, Yes", [](frmTavoro& w) { QTest::keyClick(&w, Qt::Key_Escape); }, true, true, false},
        // Paused: the key only goes on.
        {"Esc while paused", [](frmTavoro& w) { w.pauseGame(); QTest::keyClick(&w, Qt::Key_Escape); },
         true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        questions.clear();
        answerYes = c.yes;
        playOneMove();
        const std::vector<int> before = w->board.arrangement();
        c.command(*w);
        EXPECT_EQ(questions.size(), c.asks ? 1u : 0u);
        if (c.asks)
            EXPECT_EQ(questions[0], services::textOf(230));  // "Abandon the running game?"
        EXPECT_EQ(!w->board.locked(), c.keeps);
        EXPECT_EQ(kept(), c.keeps);
        if (c.keeps) {
            EXPECT_EQ(w->board.arrangement(), before);
            EXPECT_EQ(w->board.moves(), 1);
            EXPECT_EQ(w->board.size(), 3);
            EXPECT_EQ(Allgemein::settings().Size(), 3);
            EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Slide);
            EXPECT_EQ(w->mnuSize(0)->isChecked(), true);
        }
        answerYes = true;
        if (!w->board.locked())
            w->Ende();
        Allgemein::settings().setMode(game::Mode::Slide);
    }
}

TEST_F(KeptGameWindow, AnotherPictureAnsweredNoIsNotTaken)
{
    playOneMove();
    inPictureWindow = [] {
        Allgemein::settings().setPicture(107);  // chosen and confirmed
        Allgemein::settings().store(Allgemein::Setting::Picture);
    };
    w->PicBut_Click(3);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(w->board.moves(), 1);
    EXPECT_EQ(Allgemein::settings().Picture(), 101);
    EXPECT_TRUE(testsupport::readFile(folder.filePath("Tavoro.ini")).contains("Picture=101"));

    answerYes = true;
    w->PicBut_Click(3);
    EXPECT_TRUE(w->board.locked());
    EXPECT_EQ(Allgemein::settings().Picture(), 107);
    EXPECT_FALSE(kept());
}

TEST_F(KeptGameWindow, AClosedGameContinuesPausedWithItsBoardMovesAndSeconds)
{
    playOneMove();
    platform::seams().now = [] { return kStart.addSecs(42); };
    w->Form_Unload();
    const std::vector<int> board = w->board.arrangement();
    w.reset();
    Allgemein::settings() = Allgemein::Settings{};

    platform::seams().now = [] { return kStart.addSecs(5000); };
    open();
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(w->board.arrangement(), board);
    EXPECT_EQ(w->board.moves(), 1);
    EXPECT_EQ(w->lblZugzahl->text(), "1");
    EXPECT_EQ(w->lblTime->text(), "42");
    EXPECT_TRUE(w->paused());
    EXPECT_FALSE(w->Timer1->isActive());

    // Going on: the clock counts on from the kept seconds.
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(w->paused());
    platform::seams().now = [] { return kStart.addSecs(5010); };
    w->Timer1_Timer();
    EXPECT_EQ(w->playedSeconds(), 52);
    w->imgPuzz_MouseDown(8, 1, 0, 0, 0);
    EXPECT_EQ(champions, 1);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text(), "0005200002");
}

TEST_F(KeptGameWindow, TheUndoListComesBackWithTheGame)
{
    playOneMove();  // piece 7 slid left into the empty place
    w->Form_Unload();
    w.reset();
    Allgemein::settings() = Allgemein::Settings{};

    open();
    ASSERT_EQ(w->board.emptyPlace(), 7);
    QTest::keyClick(w.get(), Qt::Key_Space);  // goes on
    w->mnuUndo->trigger();
    EXPECT_EQ(w->board.emptyPlace(), 6);
    EXPECT_EQ(w->board.moves(), 2);
    w->mnuRedo->trigger();
    EXPECT_EQ(w->board.emptyPlace(), 7);
    EXPECT_EQ(w->board.moves(), 3);
}

TEST_F(KeptGameWindow, AMissingPictureOrADamagedFileIsSaidAndTheGameStartsAsUsual)
{
    // A photo of its own continues cut at the square chosen for it.
    QDir(folder.path()).mkpath("pics");
    const QString photo = folder.filePath("pics/wide.png");
    QImage wide(60, 30, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            wide.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(wide.save(photo));
    ASSERT_TRUE(pictures::storeSquare(photo, {pictures::Square::Kind::Region, QRect(0, 0, 30, 30)}));
    keptgame::Game k;
    k.size = 3;
    k.album = 1;
    k.file = QStringLiteral("wide.png");
    k.pieces = kPlaying;
    k.moves = 4;
    keptgame::keep(k);
    keptgame::flush();
    open();
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(w->PicClip1.Picture().pixel(25, 15), qRgb(255, 0, 0));  // the left square, not the middle
    EXPECT_EQ(w->PictureFile, photo);

    k.file = QStringLiteral("gone.jpg");
    k.pieces = kPlaying;
    k.moves = 4;
    k.seconds = 9;
    keptgame::keep(k);
    keptgame::flush();
    open();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(w->board.moves(), 4);  // the game goes on, with the built-in picture
    EXPECT_EQ(Allgemein::settings().Album(), 0);

    told.clear();
    keptgame::flush();  // the continued game is kept again first
    ASSERT_TRUE(testsupport::writeFile(keptgame::path(), "[Game]\r\nSize=12\r\n"));
    open();
    EXPECT_EQ(told.size(), 1u);
    EXPECT_TRUE(w->board.locked());
    EXPECT_TRUE(QFile::exists(keptgame::path() + ".damaged"));
}
