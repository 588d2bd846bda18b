// The main window's controls, its one-time layout, the wallpaper, the preview
// button and the size at which the window first opens.

#include "platform/seams.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/board_texts.h"
#include "support/scripted_errors.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QIcon>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>


namespace {

// The window, with every tile it draws written down.
class RecordingWindow : public frmTavoro {
public:
    std::vector<QPoint> tiles;
    QSize tileSize;

protected:
    void PaintPicture(const QPixmap& picture, float x, float y) override
    {
        tiles.push_back(QPoint(int(x), int(y)));
        tileSize = picture.size();
        frmTavoro::PaintPicture(picture, x, y);
    }
};

class Layout : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    QTemporaryDir folder;  // the program's folder
    std::unique_ptr<RecordingWindow> w;
    std::vector<int16_t> sounds;
    QSize screen{1024, 768};

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        services::resetSeams();
        widgets::resetSeams();
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        services::seams().GetLang = testsupport::boardText;
        services::seams().ScreenPixels = [this](const QWidget*) { return screen; };
        platform::seams().programFolder = folder.path();
        // The puzzle picture is one of the tests' own; tiles and artwork are
        // the program's.
        services::seams().resourceRoot = ":/testres";
        w = std::make_unique<RecordingWindow>();
        w->Form_Load();
        services::seams().resourceRoot.clear();
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

    void layOut(int width, int height, int16_t n)
    {
        Allgemein::settings().setSize(n);
        w->resize(width, height);
        w->positionieren();
    }

    // The place of a control among its window's controls, counted from the bottom.
    int stackPlace(const QWidget* control) const { return int(w->children().indexOf(control)); }
};

struct Golden {
    int W, H;
    int16_t N;
    int16_t cell;
    float pieceLeft, pieceTop;
    float frameLeft, frameTop, frameSide;
    float chestTop, clockTop, timeTop;
    float cupboardLeft, cupboardTop, cactusLeft, cactusTop, teddyLeft, teddyTop;
    float previewLeft, outlineLeft;
};

TEST_F(Layout, PlacesBoardFrameFurnitureAndPreview)
{
    const float strip = 1.15f * 550 / 15;  // toolbar strip width, 42.17
    const Golden cases[] = {
        // The designed size: the chest moves down below the frame.
        {684, 470, 5, 66, 202, 28.03f, 164, -7.97f, 400, 412.03f, 358.03f, 378.03f, 684 - 96 - strip,
         157, 684 - 96 - strip + 10, -3, 684 - 96 - strip - 121.5f, 350.3f, 7, 1},
        {684, 470, 3, 110, 200, 26.03f, 164.4f, -9.57f, 399.6f, 410.01f, 356.01f, 376.01f,
         684 - 96 - strip, 157, 684 - 96 - strip + 10, -3, 684 - 96 - strip - 121.5f, 350.3f, 7, 1},
        {800, 553, 8, 48, 237, 35.09f, 195.4f, -1.51f, 458.6f, 480.02f, 426.02f, 446.02f,
         800 - 96 - strip, 240, 800 - 96 - strip + 10, 80, 800 - 96 - strip - 121.5f, 433.3f, 22, 16},
        // Room enough: the chest stands on the bottom edge.
        {1024, 768, 5, 108, 275, 42.66f, 237, 6.66f, 609, 648, 594, 614, 1024 - 96 - strip, 455,
         1024 - 96 - strip + 10, 295, 1024 - 96 - strip - 121.5f, 648.3f, 43, 37},
    };
    for (const Golden& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << " x " << c.H << ", N = " << c.N);
        auto fresh = std::make_unique<RecordingWindow>();
        services::seams().resourceRoot = ":/testres";
        fresh->Form_Load();
        services::seams().resourceRoot.clear();
        w = std::move(fresh);
        layOut(c.W, c.H, c.N);

        EXPECT_EQ(w->geometry.CellSize, c.cell);
        EXPECT_EQ(w->board.emptyPlace(), c.N * c.N - 1);
        for (int k = 0; k < 64; ++k) {
            const widgets::PuzzlePiece* piece = w->imgPuzz(k);
            ASSERT_EQ(piece->Visible(), k < c.N * c.N) << k;
            if (k >= c.N * c.N)
                continue;
            EXPECT_EQ(piece->Tag(), k + 1);
            EXPECT_FLOAT_EQ(piece->Left(), c.pieceLeft + (k % c.N) * c.cell) << k;
            EXPECT_FLOAT_EQ(piece->Top(), c.pieceTop + (k / c.N) * c.cell) << k;
            EXPECT_EQ(piece->width(), c.cell);
            EXPECT_EQ(piece->height(), c.cell);
        }

        EXPECT_FLOAT_EQ(w->imgRahmen->Left(), c.frameLeft);
        EXPECT_FLOAT_EQ(w->imgRahmen->Top(), c.frameTop);
        EXPECT_FLOAT_EQ(w->imgRahmen->Width(), c.frameSide);
        EXPECT_FLOAT_EQ(w->imgRahmen->Height(), c.frameSide);

        EXPECT_FLOAT_EQ(w->imgKommode->Left(), 0);
        EXPECT_FLOAT_EQ(w->imgKommode->Top(), c.chestTop);
        EXPECT_FLOAT_EQ(w->imgUhr->Left(), 50);
        EXPECT_FLOAT_EQ(w->imgUhr->Top(), c.clockTop);
        EXPECT_FLOAT_EQ(w->lblTime->Left(), 71.5f);
        EXPECT_FLOAT_EQ(w->lblTime->Top(), c.timeTop);
        EXPECT_FLOAT_EQ(w->imgSchrank->Left(), c.cupboardLeft);
        EXPECT_FLOAT_EQ(w->imgSchrank->Top(), c.cupboardTop);
        EXPECT_FLOAT_EQ(w->imgKaktus->Left(), c.cactusLeft);
        EXPECT_FLOAT_EQ(w->imgKaktus->Top(), c.cactusTop);
        EXPECT_FLOAT_EQ(w->imgTeddy->Left(), c.teddyLeft);
        EXPECT_FLOAT_EQ(w->imgTeddy->Top(), c.teddyTop);
        EXPECT_FLOAT_EQ(w->imgPreview->Left(), c.previewLeft);
        EXPECT_FLOAT_EQ(w->imgPreview->Top(), 50);
        EXPECT_FLOAT_EQ(w->shpPreview->Left(), c.outlineLeft);
        EXPECT_FLOAT_EQ(w->shpPreview->Top(), 44);
        EXPECT_EQ(w->imgPreview->size(), QSize(150, 150));
        EXPECT_EQ(w->shpPreview->size(), QSize(162, 162));

        EXPECT_FLOAT_EQ(w->lblToolbar->Left(), c.W - strip);
        EXPECT_FLOAT_EQ(w->lblToolbar->Top(), 0);
        EXPECT_FLOAT_EQ(w->lblToolbar->Width(), strip);
        EXPECT_FLOAT_EQ(w->lblToolbar->Height(), c.H + 6);
        EXPECT_EQ(w->shpRahmen->width(), c.cell);

        for (const QWidget* shown : std::initializer_list<const QWidget*>{
                 w->imgRahmen, w->imgKommode, w->imgUhr, w->lblTime, w->imgSchrank, w->imgKaktus,
                 w->imgTeddy, w->imgPreview, w->shpPreview, w->lblToolbar, w->imgKalender})
            EXPECT_FALSE(shown->isHidden()) << shown->metaObject()->className();
        EXPECT_TRUE(w->imgHinterg->isHidden());
        EXPECT_TRUE(w->imgLeer->isHidden());
        EXPECT_TRUE(w->shpRahmen->isHidden());
        EXPECT_TRUE(w->updatesEnabled());

        // Not moved by the layout.
        EXPECT_EQ(w->imgKalender->geometry(), QRect(64, 240, 105, 140));
        EXPECT_EQ(w->lblZuege->geometry(), QRect(75, 264, 85, 20));
        EXPECT_EQ(w->lblZugzahl->geometry(), QRect(72, 296, 89, 41));
        EXPECT_EQ(w->Label1->geometry(), QRect(80, 352, 73, 15));
    }
}

TEST_F(Layout, ToolbarButtonsStandInThreeGroups)
{
    layOut(800, 553, 5);
    const struct {
        int index;
        float top;
    } tops[] = {
        {0, 3},        {1, 39.6667f}, {2, 76.3333f}, {3, 129.6667f}, {4, 166.3333f}, {5, 203},
        {6, 239.6667f}, {7, 276.3333f}, {8, 313},   {9, 349.6667f},  {10, 403},      {11, 428},
        {12, 453},     {13, 478},     {14, 503},    {16, 528},
    };
    const float strip = 1.15f * 550 / 15;
    const float left = 800 - strip + 4;
    const float flagLeft = 800 - strip + (strip - 34) / 2;
    for (const auto& t : tops) {
        SCOPED_TRACE(t.index);
        const widgets::ButtonControl* b = w->PicBut(t.index);
        EXPECT_FALSE(b->isHidden());
        EXPECT_NEAR(b->Top(), t.top, 1e-3);
        EXPECT_FLOAT_EQ(b->Left(), t.index <= 9 ? left : flagLeft);
    }
    // Each group's buttons touch without overlapping; the flags stand 3
    // pixels apart, French below Spanish, all clear of the window's edges.
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8})
        EXPECT_EQ(w->PicBut(i)->geometry().bottom() + 1, w->PicBut(i + 1)->geometry().top()) << i;
    for (int i : {10, 11, 12, 13, 14}) {
        const int below = i == 14 ? 16 : i + 1;
        EXPECT_EQ(w->PicBut(i)->geometry().bottom() + 1 + 3, w->PicBut(below)->geometry().top()) << i;
    }
    for (int i : {10, 11, 12, 13, 14, 16}) {
        EXPECT_LE(w->PicBut(i)->geometry().right(), 800 - 1 - 3) << i;
        EXPECT_GE(w->PicBut(i)->geometry().left(), w->lblToolbar->geometry().left() + 3) << i;
    }
    EXPECT_EQ(w->PicBut(16)->geometry().bottom() + 1, 550);
    EXPECT_FALSE(w->hasPicBut(15));
}

TEST_F(Layout, ControlsAsCreated)
{
    auto fresh = std::make_unique<frmTavoro>();
    for (int i = 0; i <= 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(fresh->PicBut(i)->Width(), 36.667, 1e-3);
        EXPECT_NEAR(fresh->PicBut(i)->Height(), 36.667, 1e-3);
        EXPECT_TRUE(fresh->PicBut(i)->text().isEmpty());
        EXPECT_FALSE(fresh->PicBut(i)->icon().isNull());
        EXPECT_EQ(fresh->PicBut(i)->iconSize(), QSize(28, 28));
    }
    const struct {
        int index;
        const char* tooltip;
        const char* flag;
    } flags[] = {{10, "Deutsch", "de"},  {11, "English", "gb"}, {12, "Svenska", "se"},
                 {13, "Italiano", "it"}, {14, "Español", "es"}, {16, "Français", "fr"}};
    for (const auto& f : flags) {
        SCOPED_TRACE(f.index);
        const widgets::ButtonControl* b = fresh->PicBut(f.index);
        EXPECT_EQ(b->size(), QSize(34, 22));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(f.tooltip));
        EXPECT_EQ(b->Art(), QStringLiteral(":/art/flags/%1.svg").arg(f.flag));
        EXPECT_FALSE(widgets::renderArt(b->Art(), b->size()).isNull());
    }
    // Tooltips of the commands come from the language table, the flags' stay.
    Allgemein::settings().setSprache(1000);
    fresh->Sprache();
    EXPECT_EQ(fresh->PicBut(0)->toolTip(), "Start game");
    EXPECT_EQ(fresh->PicBut(16)->toolTip(), QString::fromUtf8("Français"));

    const struct {
        const QWidget* control;
        QRect place;
        bool visible;
    } designed[] = {
        {fresh->imgPreview, QRect(40, 56, 150, 150), true},
        {fresh->imgKalender, QRect(64, 240, 105, 140), true},
        {fresh->shpPreview, QRect(0, 0, 162, 162), false},
        {fresh->imgRahmen, QRect(0, 0, 300, 300), false},
        {fresh->imgKommode, QRect(0, 0, 315, 120), false},
        {fresh->imgUhr, QRect(0, 0, 108, 69), false},
        {fresh->imgSchrank, QRect(0, 0, 96, 313), false},
        {fresh->imgKaktus, QRect(0, 0, 94, 178), false},
        {fresh->imgTeddy, QRect(0, 0, 162, 171), false},
        {fresh->lblTime, QRect(0, 0, 65, 25), false},
        {fresh->imgLeer, QRect(0, 0, 50, 50), false},
    };
    for (const auto& d : designed) {
        SCOPED_TRACE(d.place.width());
        EXPECT_EQ(d.control->geometry(), d.place);
        EXPECT_EQ(!d.control->isHidden(), d.visible);
    }
    EXPECT_TRUE(fresh->imgHinterg->isHidden());
    EXPECT_FALSE(fresh->lblToolbar->isVisibleTo(fresh.get()));
    EXPECT_EQ(fresh->imgLeer->Picture().size(), QSize(50, 50));
    // The window's own icon follows its first paint.
    EXPECT_TRUE(fresh->windowIcon().isNull());
    fresh->grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(fresh->windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});
}

TEST_F(Layout, FrameBehindAndToolbarOnTop)
{
    layOut(684, 470, 5);
    // The frame lies behind everything, the pieces in front of the furniture,
    // the labels on the calendar's page, the clock in front of the calendar,
    // and the buttons on the strip.
    EXPECT_EQ(stackPlace(w->imgRahmen), 0);
    for (const QWidget* furniture : std::initializer_list<const QWidget*>{
             w->imgKommode, w->imgSchrank, w->imgKaktus, w->imgTeddy, w->imgKalender, w->imgUhr})
        EXPECT_LT(stackPlace(furniture), stackPlace(w->imgPuzz(0)));
    EXPECT_LT(stackPlace(w->imgSchrank), stackPlace(w->imgTeddy));
    EXPECT_LT(stackPlace(w->imgSchrank), stackPlace(w->imgKaktus));
    for (const QWidget* label : std::initializer_list<const QWidget*>{w->lblZuege, w->lblZugzahl, w->Label1})
        EXPECT_LT(stackPlace(w->imgKalender), stackPlace(label));
    EXPECT_LT(stackPlace(w->imgKalender), stackPlace(w->imgUhr));
    EXPECT_LT(stackPlace(w->imgUhr), stackPlace(w->lblTime));
    EXPECT_LT(stackPlace(w->imgPuzz(63)), stackPlace(w->shpRahmen));
    EXPECT_LT(stackPlace(w->imgPuzz(63)), stackPlace(w->lblToolbar));
    EXPECT_LT(stackPlace(w->lblToolbar), stackPlace(w->PicBut(0)));
}

TEST_F(Layout, ALayoutFailureIsReportedAndTheWindowStillDraws)
{
    errors.fallback = errors::Cancel;
    layOut(684, 470, 0);  // no board of size 0 can be cut
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "frmTavoro");
    EXPECT_EQ(errors.reports[0].procedure, "positionieren");
    EXPECT_TRUE(w->updatesEnabled());
    errors.reports.clear();
}

TEST_F(Layout, EveryNewSizeLaysTheRoomOutAgain)
{
    Allgemein::settings().setSize(8);
    w->resize(800, 600);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(w->Positioned);
    const float left = w->imgRahmen->Left();
    EXPECT_FLOAT_EQ(w->lblToolbar->Left(), 800 - 1.15f * 550 / 15);
    EXPECT_EQ(sounds, std::vector<int16_t>{102});

    w->resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_GT(w->imgRahmen->Left(), left);
    EXPECT_FLOAT_EQ(w->lblToolbar->Left(), 1000 - 1.15f * 550 / 15);
    EXPECT_EQ(sounds, std::vector<int16_t>{102});  // the wallpaper is not painted again
}

// The room is painted once when it first stands on the screen: the controls
// the layout shows do not ask to be drawn a second time after it.
TEST_F(Layout, TheFirstShowingPaintsTheRoomOnce)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    };
    PaintCounter frame, clock;
    w->imgRahmen->installEventFilter(&frame);
    w->imgUhr->installEventFilter(&clock);
    w->resize(800, 553);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(frame.paints, 1);
    EXPECT_EQ(clock.paints, 1);
}

// The frame's border ends where the board begins, at every window and board
// size: nothing of it lies hidden under the board, and no wallpaper shows
// between them.
TEST_F(Layout, TheFramesOpeningIsTheBoard)
{
    const struct { int W, H; int16_t N; } cases[] = {
        {684, 470, 5}, {800, 553, 8}, {1280, 770, 3}, {1920, 1050, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " N " << c.N);
        layOut(c.W, c.H, c.N);
        for (int16_t n : {c.N, int16_t(c.N == 8 ? 4 : 8)}) {  // and after a new game
            Allgemein::settings().setSize(n);
            w->FirstResetDone = true;
            w->NewGame();
            QImage frame(w->imgRahmen->size(), QImage::Format_ARGB32);
            frame.fill(Qt::transparent);
            w->imgRahmen->render(&frame, QPoint(), QRegion(), QWidget::DrawChildren);
            const QRect board = w->imgPuzz(0)->geometry()
                                    .united(w->imgPuzz(n * n - 1)->geometry())
                                    .translated(-w->imgRahmen->pos());
            const QPoint mid = board.center();
            auto alpha = [&](int x, int y) { return qAlpha(frame.pixel(x, y)); };
            EXPECT_EQ(alpha(board.left() - 2, mid.y()), 255);
            EXPECT_EQ(alpha(board.right() + 2, mid.y()), 255);
            EXPECT_EQ(alpha(mid.x(), board.top() - 2), 255);
            EXPECT_EQ(alpha(mid.x(), board.bottom() + 2), 255);
            EXPECT_EQ(alpha(board.left() + 3, mid.y()), 0);
            EXPECT_EQ(alpha(board.right() - 3, mid.y()), 0);
            EXPECT_EQ(alpha(mid.x(), board.top() + 3), 0);
            EXPECT_EQ(alpha(mid.x(), board.bottom() - 3), 0);
            // The corners of the board lie in the opening, the rosettes outside it.
            EXPECT_EQ(alpha(board.left() + 3, board.top() + 3), 0);
            EXPECT_EQ(alpha(board.right() - 3, board.bottom() - 3), 0);
        }
    }
}

// The frame begun on a worker before the window is shown is placed as the
// layout then places it, with the same opening, at every size (growing: the
// window never gets smaller than its first layout).
TEST_F(Layout, TheFramePreparedBeforeTheLayoutIsTheOneItMakes)
{
    const struct { int W, H; int16_t N; } cases[] = {
        {800, 600, 5}, {800, 600, 8}, {1280, 770, 3}, {1920, 1050, 7}, {1920, 1080, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " N " << c.N);
        const frmTavoro::FramePlace f = frmTavoro::framePlaceFor(QSize(c.W, c.H), c.N);
        layOut(c.W, c.H, c.N);
        EXPECT_EQ(w->imgRahmen->geometry(), f.pixels);
        EXPECT_EQ(w->imgRahmen->Opening(), f.opening);
        EXPECT_FLOAT_EQ(w->imgRahmen->Left(), f.left);
        EXPECT_FLOAT_EQ(w->imgRahmen->Top(), f.top);
        EXPECT_FLOAT_EQ(w->imgRahmen->Width(), f.side);
    }
}

// Without a window manager nobody activates the window: it asks for it
// itself when it is first shown, and only then.
TEST_F(Layout, TheFirstShowingAsksToBecomeActive)
{
    int asked = 0;
    services::seams().requestActivation = [&](QWidget* window) {
        EXPECT_EQ(window, w.get());
        ++asked;
    };
    w->resize(800, 553);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_EQ(asked, 1);
    w->hide();
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 1);
}

// Resizing later moves nothing, the board of a new game included: it stays
// in its frame; and the window never gets smaller than the room it was laid
// out for.
TEST_F(Layout, ANewGameAfterAResizeKeepsTheBoardInItsFrame)
{
    layOut(684, 470, 5);
    EXPECT_EQ(w->minimumSize(), mainwindow::smallestClient(*w));
    w->resize(1200, 900);
    for (int16_t n : {int16_t(3), int16_t(5), int16_t(8)}) {
        Allgemein::settings().setSize(n);
        w->NewGame();
        // The board's first and last pieces lie inside the frame's opening.
        const QRectF frame(w->imgRahmen->Left(), w->imgRahmen->Top(), w->imgRahmen->Width(),
                           w->imgRahmen->Height());
        const auto* last = w->imgPuzz(n * n - 1);
        EXPECT_GT(w->imgPuzz(0)->Left(), frame.left() + 20) << n;
        EXPECT_GT(w->imgPuzz(0)->Top(), frame.top() + 20) << n;
        EXPECT_LT(last->Left() + last->Width(), frame.right() - 20) << n;
        EXPECT_LT(last->Top() + last->Height(), frame.bottom() - 20) << n;
    }
}

// ---------------------------------------------------------------------------
// The wallpaper

TEST_F(Layout, TilesCoverTheScreenWithInclusiveBounds)
{
    const struct {
        QSize screen;
        int16_t background;
        QSize tile;
        int columns, rows;
    } cases[] = {
        {{1024, 768}, 101, {100, 95}, 11, 9},   // x 0 ... 1000, y 0 ... 760
        {{1000, 760}, 101, {100, 95}, 11, 9},   // exact multiples: last tiles at the edges
        {{1024, 768}, 107, {30, 10}, 35, 77},   // the smallest tile
        {{800, 600}, 114, {175, 175}, 5, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.background);
        screen = c.screen;
        Allgemein::settings().setBackground(c.background);
        w->tiles.clear();
        w->PaintBG();
        EXPECT_EQ(w->tileSize, c.tile);
        EXPECT_EQ(w->imgHinterg->size(), c.tile);
        ASSERT_EQ(int(w->tiles.size()), c.columns * c.rows);
        for (int i = 0; i < int(w->tiles.size()); ++i) {
            // Row by row from the top, each row from the left.
            EXPECT_EQ(w->tiles[i], QPoint(i % c.columns * c.tile.width(), i / c.columns * c.tile.height()));
        }
        EXPECT_LE(w->tiles.back().x(), c.screen.width());
        EXPECT_GT(w->tiles.back().x() + c.tile.width(), c.screen.width());
        EXPECT_FALSE(w->AutoRedraw);
    }
    // A grid of tiles is kept per painting, and forgotten when a later one
    // covers it wholly: painting again adds nothing.
    const size_t kept = w->persistentDrawings();
    EXPECT_LE(kept, 4u);
    w->PaintBG();
    EXPECT_EQ(w->persistentDrawings(), kept);
    // What was drawn stays as the window's background image, as large as the screen.
    const QImage image = w->backgroundImage().toImage();
    const QImage tile = resources::loadBitmap(114);
    ASSERT_EQ(image.size(), QSize(800, 600).expandedTo(w->size()));
    EXPECT_EQ(image.pixel(799, 599), tile.pixel(799 % 175, 599 % 175));
    EXPECT_EQ(image.pixel(180, 20), tile.pixel(5, 20));
}

TEST_F(Layout, AWindowLargerThanItsScreenIsCoveredByTheWallpaper)
{
    // Painted for an 800 x 600 screen, then moved to a larger one and made
    // larger than the first: the wallpaper reaches its far corner, no black.
    screen = QSize(800, 600);
    Allgemein::settings().setBackground(114);
    w->PaintBG();
    const size_t kept = w->persistentDrawings();
    layOut(1400, 1000, 5);
    EXPECT_EQ(w->persistentDrawings(), kept);
    const QImage image = w->backgroundImage().toImage();
    const QImage tile = resources::loadBitmap(114);
    ASSERT_EQ(image.size(), QSize(1400, 1000));
    EXPECT_EQ(image.pixel(1399, 999), tile.pixel(1399 % 175, 999 % 175));
    EXPECT_EQ(image.pixel(1000, 20), tile.pixel(1000 % 175, 20));
}

TEST_F(Layout, PaintingSoundsOnlyWithSoundEffectsOn)
{
    for (const int16_t on : {int16_t(-1), int16_t(0), int16_t(1)}) {
        SCOPED_TRACE(on);
        sounds.clear();
        Allgemein::settings().setPlaySound(on);
        w->PaintBG();
        EXPECT_EQ(sounds, on ? std::vector<int16_t>{102} : std::vector<int16_t>{});
    }
}

TEST_F(Layout, AMissingWallpaperIsReportedUnderPaintBG)
{
    // Skipped, the tile already held is painted again; with none held nothing
    // is painted (and the painting does not walk on with a step of 0).
    errors.fallback = errors::Ignore;
    Allgemein::settings().setBackground(116);
    w->PaintBG();
    EXPECT_TRUE(w->tiles.empty());
    Allgemein::settings().setBackground(101);
    w->PaintBG();
    Allgemein::settings().setBackground(99);
    w->tiles.clear();
    w->PaintBG();
    EXPECT_EQ(w->tiles.size(), 99u);
    ASSERT_EQ(errors.reports.size(), 2u);
    for (const auto& r : errors.reports) {
        EXPECT_EQ(r.object, "frmTavoro");
        EXPECT_EQ(r.procedure, "PaintBG");
        EXPECT_EQ(r.failure.number, errors::ErrResourceNotFound);
    }
    errors.reports.clear();
}

// ---------------------------------------------------------------------------
// Toolbar commands

TEST_F(Layout, ThePreviewButtonTogglesPreviewAndOutline)
{
    layOut(684, 470, 5);
    const struct {
        int presses;
        bool visible;
    } cases[] = {{0, true}, {1, false}, {2, true}, {3, false}};
    int pressed = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.presses);
        for (; pressed < c.presses; ++pressed)
            w->PicBut(2)->click();
        EXPECT_EQ(!w->imgPreview->isHidden(), c.visible);
        EXPECT_EQ(!w->shpPreview->isHidden(), c.visible);
    }
}

TEST_F(Layout, TheFlagButtonsChooseTheirLanguages)
{
    const struct {
        int button;
        int16_t sprache;
    } cases[] = {{10, 0}, {11, 1000}, {12, 2000}, {13, 3000}, {14, 5000}, {16, 6000}};
    Allgemein::settings().setSprache(4000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        w->PicBut(c.button)->click();
        EXPECT_EQ(Allgemein::settings().Sprache(), c.sprache);
    }
}

TEST_F(Layout, TheMenuButtonsLeaveTheGameRunning)
{
    layOut(684, 470, 5);
    w->Start();
    const int16_t empty = w->board.emptyPlace();
    for (int i : {7, 9})
        w->PicBut(i)->click();
    EXPECT_FALSE(w->board.locked());
    EXPECT_EQ(w->board.emptyPlace(), empty);
}

TEST_F(Layout, TheChampionsButtonShowsTheListAndTheGameGoesOn)
{
    layOut(684, 470, 5);
    w->Start();
    const int16_t empty = w->board.emptyPlace();
    std::vector<bool> resultsHanded;
    widgets::seams().showChampions = [&](QWidget* owner, std::optional<game::Score> result) {
        EXPECT_EQ(owner, w.get());
        resultsHanded.push_back(result.has_value());
    };
    w->PicBut(8)->click();
    EXPECT_EQ(resultsHanded, std::vector<bool>{false});
    EXPECT_FALSE(w->board.locked());
    EXPECT_EQ(w->board.emptyPlace(), empty);
}

// ---------------------------------------------------------------------------

TEST(StartSize, MaximizedWhenTheScreenHoldsTheWholeLayout)
{
    const struct {
        QSize available;
        bool maximized;
    } cases[] = {
        {{1024, 768}, true}, {{1920, 1040}, true}, {{800, 640}, true},
        {{800, 600}, false}, {{1024, 576}, false}, {{799, 900}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::opensMaximized(c.available), c.maximized)
            << c.available.width() << " x " << c.available.height();
}

// ---------------------------------------------------------------------------
// The room at any size

TEST_F(Layout, AtEverySizeTheRoomLiesInsideTheWindowAndAGameGoesOn)
{
    const QSize sizes[] = {{800, 600}, {1024, 768}, {1366, 768}, {1920, 1080}, {2560, 1440},
                           {1080, 1920}};
    layOut(800, 600, 4);
    w->Positioned = true;
    w->Start();
    const int empty = w->board.emptyPlace();
    const int next = empty % 4 > 0 ? empty - 1 : empty + 1;
    w->imgPuzz_MouseDown(int16_t(next), 1, 0, 0, 0);
    const std::vector<int> playing = w->board.arrangement();
    for (const QSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        w->resize(size);  // as the window manager gives it: laid out again
        w->Form_Resize();
        const QRect window = w->rect();
        const QRect board = w->imgPuzz(0)->geometry().united(w->imgPuzz(15)->geometry());
        // The frame's outer moulding may touch the window's edge by a pixel or two.
        EXPECT_TRUE(window.adjusted(-3, -3, 3, 3).contains(w->imgRahmen->geometry()));
        EXPECT_TRUE(window.contains(w->lblToolbar->geometry().intersected(window)));
        EXPECT_EQ(w->lblToolbar->geometry().right(), window.right());
        for (const QWidget* b : {static_cast<QWidget*>(w->PicBut(0)), static_cast<QWidget*>(w->PicBut(16))})
            EXPECT_TRUE(window.contains(b->geometry()));
        for (const QWidget* furniture : {static_cast<QWidget*>(w->imgKalender),
                                         static_cast<QWidget*>(w->imgUhr),
                                         static_cast<QWidget*>(w->imgPreview),
                                         static_cast<QWidget*>(w->lblToolbar)})
            EXPECT_FALSE(furniture->geometry().intersects(board));
        EXPECT_GT(board.width(), 250);
        // The game goes on: same pieces, moves, clock.
        EXPECT_EQ(w->board.arrangement(), playing);
        EXPECT_EQ(w->board.moves(), 1);
        EXPECT_FALSE(w->board.locked());
        EXPECT_TRUE(w->Timer1->isActive());
    }
}

TEST_F(Layout, TheWindowComesBackWhereThePlayerLeftItMovedOntoAScreen)
{
    QTemporaryDir record;
    services::seams().startMemoryFile = record.filePath("Tavoro.conf");
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    // As large as the screen allows below its title bar, and a little lower.
    const QRect kept(free.left(), free.top() + 40, free.width(), free.height() - 40);
    const struct { QRect stored; bool restored; } cases[] = {
        {kept, true},
        {kept.translated(free.width() + 5000, 0), false},  // on a screen gone since
    };
    for (const auto& c : cases) {
        QWidget first;
        first.setGeometry(c.stored);
        mainwindow::rememberWindowPlace(first);
        QWidget again;
        mainwindow::showMainWindow(again);
        if (c.restored)
            EXPECT_EQ(again.geometry(), c.stored);
        else
            EXPECT_TRUE(free.contains(again.geometry()));
    }
    // Never stored: four fifths of the free area, centred.
    const QRect place = mainwindow::normalPlace(QRect(0, 0, 1920, 1040));
    EXPECT_EQ(place, QRect(192, 104, 1536, 832));
}

TEST(WindowPlace, AKeptPlaceLiesWhollyOnTheScreenItOpensOn)
{
    const QRect large(0, 0, 1920, 1040), small(0, 0, 1024, 768), right(1920, 0, 1280, 1024);
    const struct { QRect kept; QList<QRect> areas; QRect expected; } cases[] = {
        // Where it was, on the screen it was on.
        {{300, 200, 1000, 700}, {large}, {300, 200, 1000, 700}},
        // Left on a large screen, started on a small one: moved in, whole.
        {{300, 200, 1000, 700}, {small}, {24, 68, 1000, 700}},
        // Larger than the screen: shrunk to it, below its title bar.
        {{300, 200, 30000, 30000}, {small}, {0, 32, 1024, 736}},
        // On a screen gone since: the one it opens on.
        {{5000, 5000, 900, 650}, {large}, {1020, 390, 900, 650}},
        // Mostly on the second screen: stays there.
        {{2000, 100, 900, 650}, {large, right}, {2000, 100, 900, 650}},
        {{1800, 100, 900, 650}, {large, right}, {1920, 100, 900, 650}},
        // Never smaller than the room (while the screen allows).
        {{10, 40, 200, 100}, {large}, {10, 40, 800, 600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kept.x() << "," << c.kept.y() << " "
                                        << c.kept.width() << "x" << c.kept.height());
        const QRect placed = mainwindow::placeOnScreen(c.kept, c.areas, c.areas.front());
        EXPECT_EQ(placed, c.expected);
    }
}

}  // namespace
