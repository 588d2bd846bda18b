// The board on the main window: new game and shuffle, moves, solution and
// hand-off, start, end and the clock, the start and slide buttons.

#include "services/seams.h"
#include "mainwindow/frmTavoro.h"
#include "platform/clock.h"
#include "platform/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/board_texts.h"
#include "support/room.h"
#include "support/scripted_errors.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <vector>


namespace {

const QDateTime kStart(QDate(2024, 5, 17), QTime(14, 30, 0));

// Every pixel a colour of its own position, so that no two cells look alike.
QImage positionPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, 40 * (x / 256) + 80 * (y / 256)));
    return img;
}

QImage asImage(const QPixmap& pm)
{
    return pm.toImage().convertToFormat(QImage::Format_RGB32);
}

class BoardWindow : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    QTemporaryDir folder;  // the program's folder, for its settings file
    std::unique_ptr<frmTavoro> w;
    std::vector<int16_t> sounds;
    std::vector<std::optional<QString>> handOffs;  // the result handed to the champions window
    std::vector<std::pair<QString, QString>> questions; // text, caption
    bool answerYes = false;
    int shutdowns = 0;
    std::vector<int16_t> langKeys;
    long long draws = 0;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        services::resetSeams();
        widgets::resetSeams();
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        services::seams().Zufallszahl = [](int16_t lo, int16_t) { return lo; };
        widgets::seams().showChampions = [this](QWidget*, std::optional<game::Score> r) {
            handOffs.push_back(r ? std::optional<QString>(QString::fromStdString(r->text())) : std::nullopt);
        };
        services::seams().askYesNo = [this](QWidget*, const QString& text, const QString& caption) {
            questions.emplace_back(text, caption);
            return answerYes;
        };
        services::seams().askYesNoDefaultNo = [this](QWidget*, const QString& text, const QString& caption) {
            questions.emplace_back(text, caption);
            return answerYes;
        };
        services::seams().Shutdown = [this] { ++shutdowns; };
        services::seams().GetLang = [this](int16_t key) {
            langKeys.push_back(key);
            return testsupport::boardText(key);
        };
        platform::seams().now = [] { return kStart; };

        platform::seams().programFolder = folder.path();
        services::seams().resourceRoot = ":/testres";
        w = std::make_unique<frmTavoro>();
        w->resize(684, 470);
        w->Form_Load();
        w->PicClip1.setPicture(positionPicture(400, 400));
    }

    void TearDown() override
    {
        w.reset();
        EXPECT_TRUE(errors.reports.empty()) << "failure reported in "
                                            << qPrintable(errors.reports.front().procedure);
        services::resetSeams();
        widgets::resetSeams();
        platform::resetSeams();
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    // The draws of the walk, repeated in turn.
    void scriptDraws(std::vector<double> cycle)
    {
        draws = 0;
        services::seams().rnd = [this, cycle] { return cycle[draws++ % cycle.size()]; };
    }

    // A new ordered board of n x n in the mode (the first reset of the run is done).
    void newBoard(int16_t n, int16_t mode)
    {
        w->FirstResetDone = true;
        Allgemein::settings().setSize(n);
        Allgemein::settings().setMode(mode ? game::Mode::Swap : game::Mode::Slide);
        w->NewGame();
    }

    // N = 4 in slide mode, the empty place back at 15, the three pieces left
    // of and above it turned once: 64 rounds of up, left, down, right.
    void startTurnedSlideBoard()
    {
        newBoard(4, 0);
        scriptDraws({0.6, 0.1, 0.9, 0.3});
        w->Start();
        sounds.clear();
    }

    void press(int k) { w->imgPuzz_MouseDown(static_cast<int16_t>(k), 1, 0, 10, 10); }

    std::vector<int16_t> tags() const
    {
        std::vector<int16_t> t;
        for (int k = 0; k < w->board.places(); ++k)
            t.push_back(w->imgPuzz(k)->Tag());
        return t;
    }

    QString moves() const { return w->lblZugzahl->text(); }

    // The cacheKey of each cell's picture as the pieces got it from the last reset.
    std::vector<qint64> cellKeys() const
    {
        std::vector<qint64> keys;
        for (int k = 0; k < w->board.places(); ++k)
            keys.push_back(w->imgPuzz(k)->Picture().cacheKey());
        return keys;
    }
};

TEST_F(BoardWindow, TheFirstNewGameOfARunChangesNothing)
{
    // Form_Load made the first call through the stored size; it left the board alone.
    EXPECT_TRUE(w->FirstResetDone);
    for (int k = 0; k < 64; ++k)
        EXPECT_FALSE(w->imgPuzz(k)->Visible());
    w->FirstResetDone = false;

    w->lblZugzahl->setText("7");
    w->PicBut(0)->setEnabled(false);
    // A running 3 x 3 game with the empty place at 3, 42 seconds played.
    ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {1, 2, 3, 0, 4, 5, 6, 7, 8}, 0, 42));

    w->NewGame();
    EXPECT_TRUE(w->FirstResetDone);
    EXPECT_EQ(moves(), "7");
    EXPECT_EQ(w->lblTime->text(), "42");
    EXPECT_EQ(w->playedSeconds(), 42);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_FALSE(w->PicBut(0)->isEnabled());
    EXPECT_FALSE(w->board.locked());
    EXPECT_EQ(w->board.emptyPlace(), 3);
    for (int k = 0; k < 64; ++k)
        EXPECT_FALSE(w->imgPuzz(k)->Visible());

    w->NewGame();  // the second call resets
    EXPECT_EQ(moves(), "0");
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_TRUE(w->board.locked());
}

TEST_F(BoardWindow, NewGameOrdersThePictureForEverySize)
{
    for (int16_t n = 3; n <= 8; ++n) {
        SCOPED_TRACE(n);
        w->lblZugzahl->setText("9");
        ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {1, 2, 3, 0, 4, 5, 6, 7, 8}, 0, 9));
        w->lblTime->setText("9");
        w->PicBut(0)->setEnabled(false);
        newBoard(n, 0);

        EXPECT_EQ(w->board.emptyPlace(), n * n - 1);
        EXPECT_TRUE(w->board.locked());
        EXPECT_EQ(moves(), "0");
        EXPECT_EQ(w->lblTime->text(), "0");
        EXPECT_EQ(w->playedSeconds(), 0);
        EXPECT_FALSE(w->Timer1->isActive());
        EXPECT_TRUE(w->PicBut(0)->isEnabled());
        const int16_t cell = mainwindow::BoardGeometry::cellSizeFor(329, n);
        for (int k = 0; k < 64; ++k) {
            const auto* piece = w->imgPuzz(k);
            ASSERT_EQ(piece->Visible(), k < n * n) << k;
            if (k >= n * n)
                continue;
            EXPECT_EQ(piece->Tag(), k + 1);
            EXPECT_EQ(asImage(piece->Picture()), w->PicClip1.GraphicCell(k)) << k;
            EXPECT_EQ(piece->width(), cell);
            EXPECT_EQ(piece->Left(), cell * (k % n) + n + 197);
            EXPECT_FLOAT_EQ(piece->Top(), float(cell * (k / n) + n + 329 * 0.07));
        }
    }
}

TEST_F(BoardWindow, AWalkThatEndsNextToHomeIsWalkedOn)
{
    // From the last place: right (off the board, not counted), left, right,
    // down (off the board): every walk of N^4 steps ends where it began or
    // a place to the left, next to home, so the board is walked on and on
    // (the core counts the steps and caps the walks).
    for (int16_t mode : {0, 1}) {
        for (int16_t n = 3; n <= 4; ++n) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " N " << n);
            newBoard(n, mode);
            scriptDraws({0.3, 0.1, 0.3, 0.8});
            w->Shuffle();
            const long long steps = static_cast<long long>(n) * n * n * n;
            EXPECT_GT(draws, 2 * steps);
            EXPECT_FALSE(w->board.locked());
            EXPECT_TRUE(w->Timer1->isActive());
        }
    }
}

TEST_F(BoardWindow, TheWalkKeepsEachModesInvariants)
{
    std::mt19937 gen(20240517);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    services::seams().rnd = [&] { return uniform(gen); };
    for (int16_t mode : {0, 1}) {
        for (int16_t n = 3; n <= 8; ++n) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " N " << n);
            newBoard(n, mode);
            const std::vector<qint64> cells = cellKeys();
            const qint64 empty = w->imgLeer->Picture().cacheKey();
            w->Shuffle();

            std::multiset<int16_t> seen;
            int emptyPlaces = 0;
            for (int k = 0; k < n * n; ++k) {
                const auto* piece = w->imgPuzz(k);
                EXPECT_TRUE(piece->Visible()) << k;
                if (piece->Tag() == game::EmptyTag) {
                    ++emptyPlaces;
                    EXPECT_EQ(k, w->board.emptyPlace());
                    EXPECT_EQ(piece->Picture().cacheKey(), empty) << k;
                } else {
                    seen.insert(piece->Tag());
                    EXPECT_EQ(piece->Picture().cacheKey(), cells[piece->Tag() - 1]) << k;
                }
            }
            for (int k = n * n; k < 64; ++k)
                EXPECT_FALSE(w->imgPuzz(k)->Visible());
            const int pieces = mode == 0 ? n * n - 1 : n * n;
            EXPECT_EQ(emptyPlaces, mode == 0 ? 1 : 0);
            ASSERT_EQ(int(seen.size()), pieces);
            EXPECT_EQ(std::set<int16_t>(seen.begin(), seen.end()).size(), seen.size());
            EXPECT_EQ(*seen.begin(), 1);
            EXPECT_EQ(*seen.rbegin(), pieces);
        }
    }
}

TEST_F(BoardWindow, SlidePressesMoveTheLineTowardsTheEmptyPlace)
{
    // The empty place at 15: a press in its row or column slides every piece
    // between, one move each; one sound for the press.
    struct Case {
        int k;
        int moves;
    };
    for (const Case c : {Case{11, 1}, Case{14, 1}, Case{10, 0}, Case{13, 2}, Case{3, 3}, Case{15, 0},
                         Case{0, 0}}) {
        SCOPED_TRACE(c.k);
        startTurnedSlideBoard();
        const std::vector<int16_t> before = tags();
        press(c.k);
        std::vector<int16_t> after = before;
        const int step = c.k / 4 == 3 ? -1 : -4;
        for (int i = 0, at = 15; i < c.moves; ++i, at += step)
            std::swap(after[at], after[at + step]);
        EXPECT_EQ(tags(), after);
        EXPECT_EQ(w->board.emptyPlace(), c.moves ? c.k : 15);
        EXPECT_EQ(moves(), QString::number(c.moves));
        EXPECT_EQ(sounds, c.moves ? std::vector<int16_t>{105} : std::vector<int16_t>{});
        EXPECT_EQ(w->imgPuzz(c.k)->Picture().cacheKey(),
                  c.moves > 0 ? w->imgLeer->Picture().cacheKey()
                          : w->imgPuzz(c.k)->Picture().cacheKey());
        EXPECT_FALSE(w->board.locked());
        EXPECT_FALSE(w->PicBut(0)->isEnabled());
    }
}

TEST_F(BoardWindow, SoundsRestWhenTheyAreOff)
{
    startTurnedSlideBoard();
    Allgemein::settings().setPlaySound(0);
    press(11);
    EXPECT_EQ(moves(), "1");
    EXPECT_TRUE(sounds.empty());
}

TEST_F(BoardWindow, SwapSelectsDeselectsAndExchanges)
{
    newBoard(4, 1);
    scriptDraws({0.3, 0.1, 0.6});  // right (off), left, up, ... stays unsolved
    w->Start();
    sounds.clear();
    const std::vector<int16_t> start = tags();

    press(5);  // select
    EXPECT_EQ(w->board.selected(), 5);
    EXPECT_TRUE(w->shpRahmen->Visible());
    EXPECT_EQ(w->shpRahmen->Left(), w->imgPuzz(5)->Left());
    EXPECT_EQ(w->shpRahmen->Top(), w->imgPuzz(5)->Top());
    EXPECT_EQ(w->shpRahmen->size(), w->imgPuzz(5)->size());
    EXPECT_EQ(sounds, (std::vector<int16_t>{105}));
    EXPECT_EQ(moves(), "0");

    press(5);  // the same piece again: deselected, silently, not counted
    EXPECT_EQ(w->board.selected(), -1);
    EXPECT_FALSE(w->shpRahmen->Visible());
    EXPECT_EQ(sounds, (std::vector<int16_t>{105}));
    EXPECT_EQ(moves(), "0");
    EXPECT_EQ(tags(), start);

    press(2);
    const qint64 picture2 = w->imgPuzz(2)->Picture().cacheKey();
    const qint64 picture9 = w->imgPuzz(9)->Picture().cacheKey();
    press(9);  // exchange
    std::vector<int16_t> exchanged = start;
    std::swap(exchanged[2], exchanged[9]);
    EXPECT_EQ(tags(), exchanged);
    EXPECT_EQ(w->imgPuzz(2)->Picture().cacheKey(), picture9);
    EXPECT_EQ(w->imgPuzz(9)->Picture().cacheKey(), picture2);
    EXPECT_EQ(w->board.selected(), -1);
    EXPECT_FALSE(w->shpRahmen->Visible());
    EXPECT_EQ(sounds, (std::vector<int16_t>{105, 105, 105}));
    EXPECT_EQ(moves(), "1");
}

TEST_F(BoardWindow, ABoardSolvedByTheWalkEndsAtTheFirstPress)
{
    // Left, right, ... an even number of times: every piece back home.
    struct Case {
        int16_t mode;
        int press;  // slide: a place that moves nothing; swap: the first selection
    };
    for (const Case c : {Case{0, 0}, Case{1, 6}}) {
        SCOPED_TRACE(c.mode);
        handOffs.clear();
        newBoard(4, c.mode);
        scriptDraws({0.1, 0.3});
        w->Start();
        sounds.clear();
        platform::seams().now = [] { return kStart.addSecs(3); };

        press(c.press);
        EXPECT_TRUE(w->board.locked());
        EXPECT_FALSE(w->Timer1->isActive());
        EXPECT_EQ(moves(), "0");
        ASSERT_EQ(handOffs.size(), 1u);
        EXPECT_EQ(handOffs[0], "0000300000");
        platform::seams().now = [] { return kStart; };
        EXPECT_EQ(sounds, (c.mode == 0 ? std::vector<int16_t>{101} : std::vector<int16_t>{105, 101}));
        // The picture is complete; the empty place keeps its empty tag.
        EXPECT_EQ(asImage(w->imgPuzz(15)->Picture()), w->PicClip1.GraphicCell(15));
        EXPECT_EQ(w->imgPuzz(15)->Tag(), c.mode == 0 ? game::EmptyTag : 16);
    }
}

TEST_F(BoardWindow, ASolvedGameHandsOverSecondsAndMovesThenIgnoresPresses)
{
    startTurnedSlideBoard();
    platform::seams().now = [] { return kStart.addSecs(7); };
    w->Timer1_Timer();
    EXPECT_EQ(w->lblTime->text(), "7");
    // The solving press comes 0.4 s after the tick: the tick's seconds count.
    platform::seams().now = [] { return kStart.addMSecs(7400); };

    // Turn the three pieces once forward and twice back: solved at move 12.
    const int presses[] = {11, 10, 14, 15, 14, 10, 11, 15, 14, 10, 11, 15};
    for (int i = 0; i < 12; ++i) {
        ASSERT_FALSE(w->board.locked()) << "solved early at press " << i;
        press(presses[i]);
    }
    ASSERT_EQ(handOffs.size(), 1u);
    EXPECT_EQ(handOffs[0], "0000700012");
    EXPECT_EQ(moves(), "12");
    EXPECT_EQ(w->lblTime->text(), "7");
    EXPECT_EQ(sounds.back(), 101);

    const std::vector<int16_t> solved = tags();
    const std::size_t soundsBefore = sounds.size();
    for (int k : {11, 14, 15, 0})
        press(k);
    EXPECT_EQ(tags(), solved);
    EXPECT_EQ(moves(), "12");
    EXPECT_EQ(sounds.size(), soundsBefore);
    EXPECT_EQ(handOffs.size(), 1u);
}

TEST_F(BoardWindow, LongGamesKeepAllTheirDigits)
{
    startTurnedSlideBoard();
    ASSERT_TRUE(testsupport::playOn(*w, 4, game::Mode::Slide, w->board.arrangement(), 99999, 123456));
    for (int k : {14, 10, 11, 15})
        press(k);
    ASSERT_EQ(handOffs.size(), 1u);
    EXPECT_EQ(handOffs[0], "123456100003");
}

TEST_F(BoardWindow, EveryMouseButtonActsOnThePress)
{
    services::seams().resourceRoot.clear();  // the first layout paints the program's own wallpaper
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(int(button));
        startTurnedSlideBoard();
        QTest::mousePress(w->imgPuzz(11), button, Qt::ShiftModifier, QPoint(5, 5));
        EXPECT_EQ(w->board.emptyPlace(), 11);
        EXPECT_EQ(moves(), "1");
        QTest::mouseRelease(w->imgPuzz(11), button, Qt::ShiftModifier, QPoint(5, 5));
        EXPECT_EQ(moves(), "1");
    }
}

TEST_F(BoardWindow, AMinimizedGameIsPausedAndItsTimeAwayNotPlayed)
{
    startTurnedSlideBoard();
    EXPECT_EQ(w->lblTime->text(), "0");  // unchanged until the first tick

    platform::seams().now = [] { return kStart.addSecs(5); };
    w->Timer1_Timer();
    EXPECT_EQ(w->lblTime->text(), "5");

    platform::seams().now = [] { return kStart.addSecs(7); };
    w->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_TRUE(w->paused());
    EXPECT_EQ(w->lblTime->text(), "7");
    platform::seams().now = [] { return kStart.addSecs(65); };
    w->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(w->Timer1->isActive());  // still paused until the player goes on
    QTest::keyClick(w.get(), Qt::Key_Up);
    EXPECT_FALSE(w->paused());
    EXPECT_EQ(w->board.moves(), 0);       // the key that goes on moves nothing
    EXPECT_TRUE(w->Timer1->isActive());
    platform::seams().now = [] { return kStart.addSecs(70); };
    w->Timer1_Timer();
    EXPECT_EQ(w->lblTime->text(), "12");
    EXPECT_EQ(w->playedSeconds(), 12);

    // A clock stopped since then stays off at the next resize.
    w->Ende();
    w->Form_Resize();
    EXPECT_FALSE(w->Timer1->isActive());
}

TEST_F(BoardWindow, EndeEndsAGameOrAsksToQuit)
{
    struct Case {
        int playing;  // -1 no game, else the moves made
        bool yes;
        int questions;
        int shutdowns;
        bool ordered;  // the game given up
    };
    Allgemein::settings().setSprache(1000);
    for (const Case c : {Case{0, false, 0, 0, true}, Case{1, true, 1, 0, true}, Case{1, false, 1, 0, false},
                         Case{-1, false, 1, 0, true}, Case{-1, true, 1, 1, true}}) {
        SCOPED_TRACE(testing::Message() << c.playing << c.yes);
        questions.clear();
        shutdowns = 0;
        langKeys.clear();
        if (c.playing >= 0) {
            startTurnedSlideBoard();
            if (c.playing > 0)
                press(11);
        } else {
            newBoard(4, 0);
        }
        answerYes = c.yes;
        w->Ende();
        EXPECT_EQ(int(questions.size()), c.questions);
        EXPECT_EQ(shutdowns, c.shutdowns);
        if (c.questions && c.playing < 0) {
            EXPECT_EQ(questions[0].first, "Really quit Tavoro?");
            EXPECT_EQ(questions[0].second, "Tavoro");
            EXPECT_EQ(langKeys, std::vector<int16_t>{1124});
        }
        // Given up, the board is ordered again; kept, it plays on.
        EXPECT_EQ(w->board.locked(), c.ordered);
        EXPECT_EQ(moves(), c.ordered ? "0" : "1");
        if (c.ordered)
            EXPECT_EQ(tags()[15], 16);
    }

    // A failing step is skipped and reaches no one.
    services::seams().GetLang = [](int16_t) -> QString { errors::raise(errors::ErrInvalidCall); };
    w->Ende();
    EXPECT_EQ(shutdowns, 1);
}

TEST_F(BoardWindow, EnterStartsAndEscEnds)
{
    newBoard(4, 0);
    scriptDraws({0.6, 0.1, 0.9, 0.3});
    QTest::keyClick(w.get(), Qt::Key_Return);
    EXPECT_FALSE(w->board.locked());
    EXPECT_EQ(sounds, std::vector<int16_t>{103});
    QTest::keyClick(w.get(), Qt::Key_Return);  // the start button is disabled now
    EXPECT_EQ(sounds, std::vector<int16_t>{103});
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_TRUE(w->board.locked());
    EXPECT_TRUE(questions.empty());
}

TEST_F(BoardWindow, TheRoomHoldsTheFocusWhenFirstShown)
{
    // Not the start button: it would show a focus line at once.
    services::seams().resourceRoot.clear();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_EQ(w->focusWidget(), w.get());
    EXPECT_FALSE(w->PicBut(0)->hasFocus());
}

TEST_F(BoardWindow, StartAndSlideButtonsFollowTheGame)
{
    enum class Event { NewGame, Start, EndeDuringGame, SolvingMove, FailingClick };
    struct Case {
        Event event;
        bool start;         // PicBut(0) afterwards
        int slide;          // PicBut(5) afterwards: 1 enabled, 0 disabled, -1 unchanged
    };
    const Case cases[] = {
        {Event::NewGame, true, 1},  // no game runs: either mode may be chosen
        {Event::Start, false, 0},
        {Event::EndeDuringGame, true, 1},
        {Event::SolvingMove, true, 1},
        {Event::FailingClick, false, -1},
    };
    for (const Case& c : cases) {
        for (bool before : {true, false}) {
            SCOPED_TRACE(testing::Message() << int(c.event) << " before " << before);
            newBoard(4, 0);
            if (c.event == Event::SolvingMove) {
                scriptDraws({0.1, 0.3});
                w->Start();
            } else if (c.event != Event::NewGame && c.event != Event::Start) {
                startTurnedSlideBoard();
            } else {
                scriptDraws({0.6, 0.1, 0.9, 0.3});
            }
            w->PicBut(0)->setEnabled(before);
            w->PicBut(5)->setEnabled(before);
            switch (c.event) {
            case Event::NewGame: w->NewGame(); break;
            case Event::Start: w->Start(); break;
            case Event::EndeDuringGame: w->Ende(); break;
            case Event::SolvingMove: press(0); break;
            case Event::FailingClick: press(11); break;
            }
            EXPECT_EQ(w->PicBut(0)->isEnabled(), c.start);
            EXPECT_EQ(w->PicBut(5)->isEnabled(), c.slide < 0 ? before : c.slide == 1);
        }
    }
}

// A piece picked before the game was ended is let go: the first press of the
// next game selects, it does not exchange.
TEST_F(BoardWindow, NewGameAndEndeLetGoOfTheSwapSelection)
{
    for (bool byEnde : {true, false}) {
        SCOPED_TRACE(byEnde);
        newBoard(4, 1);
        scriptDraws({0.3, 0.1, 0.6});
        w->Start();
        press(5);
        ASSERT_GE(w->board.selected(), 0);
        if (byEnde)
            w->Ende();
        else
            w->NewGame();
        EXPECT_EQ(w->board.selected(), -1);
        EXPECT_FALSE(w->shpRahmen->Visible());
        w->Start();
        const std::vector<int16_t> start = tags();
        press(3);
        EXPECT_EQ(w->board.selected(), 3);
        EXPECT_EQ(tags(), start);
        EXPECT_EQ(moves(), "0");
    }
}

// Whenever no game runs both mode buttons may be pressed, and the mode that
// is on shows on its button.
TEST_F(BoardWindow, ModeButtonsShowTheModeAndAreFreeBetweenGames)
{
    EXPECT_TRUE(w->PicBut(5)->isChecked());  // slide, as stored
    EXPECT_FALSE(w->PicBut(6)->isChecked());
    newBoard(4, 0);
    startTurnedSlideBoard();
    EXPECT_FALSE(w->PicBut(5)->isEnabled());
    w->PicBut(6)->click();  // swap during a game: the game ends
    EXPECT_TRUE(w->board.locked());
    EXPECT_TRUE(w->PicBut(5)->isEnabled());
    EXPECT_TRUE(w->PicBut(6)->isEnabled());
    EXPECT_TRUE(w->PicBut(6)->isChecked());
    EXPECT_FALSE(w->PicBut(5)->isChecked());
    w->PicBut(6)->click();  // pressing the mode that is on keeps it shown
    EXPECT_TRUE(w->PicBut(6)->isChecked());
    w->PicBut(5)->click();
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Slide);
    EXPECT_TRUE(w->PicBut(5)->isChecked());
    EXPECT_FALSE(w->PicBut(6)->isChecked());
}

TEST_F(BoardWindow, FailuresReportUnderTheWindowAndProcedure)
{
    w->FirstResetDone = true;
    Allgemein::settings().setSize(9);  // no place 64 to cut into
    w->NewGame();
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "frmTavoro");
    EXPECT_EQ(errors.reports[0].procedure, "NewGame");
    EXPECT_EQ(errors.reports[0].failure.number, 340);
    errors.reports.clear();

    // A board of one place cannot be shuffled: reported, not walked forever.
    Allgemein::settings().setSize(1);
    w->NewGame();
    w->Start();
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Shuffle");
    EXPECT_EQ(errors.reports[0].failure.number, errors::ErrInvalidCall);
    EXPECT_TRUE(w->board.locked());
    errors.reports.clear();
}

}  // namespace
