// The game on the main window's board: new game and shuffle, presses on the
// pieces, start, end and the game clock. The rules are the board's
// (game::Board): these procedures call it, and boardChanged draws what it
// tells.

#include "mainwindow/frmTavoro.h"

#include "game/puzzle_shuffle.h"

#include "errors/trap.h"
#include "widgets/controls.h"
#include "widgets/seams.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "services/language.h"
#include "services/media.h"
#include "services/random.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QEventLoop>
#include <QTimer>

using Allgemein::settings;
using errors::Procedure;
using game::Press;
using widgets::PuzzlePiece;

game::Mode frmTavoro::boardMode()
{
    return settings().Mode() == game::Mode::Slide ? game::Mode::Slide : game::Mode::Swap;
}

void frmTavoro::orderBoard()
{
    // Every place needs a piece of its own, and there are 64: a larger board
    // fails as its first missing piece would.
    if (!board.newGame(settings().Size(), boardMode()))
        imgPuzz(game::MaxPlaces);
}

QPixmap frmTavoro::cellPicture(int i) const
{
    return i >= 0 && i < int(cells_.size()) ? cells_[i] : QPixmap();
}

void frmTavoro::drawPiece(int k)
{
    const int piece = board.pieceAt(k);
    imgPuzz(k)->setPicture(piece == game::EmptyTag ? imgLeer->Picture() : cellPicture(piece - 1));
}

void frmTavoro::boardChanged(const game::Change& change)
{
    switch (change.kind) {
    case game::Change::Exchanged:
        boardMoved();
        ChangeButtons(static_cast<int16_t>(change.a), static_cast<int16_t>(change.b));
        break;
    case game::Change::Selected:
        showSelection(change.a);
        break;
    case game::Change::Shuffled:
    case game::Change::Arranged:
        boardMoved();
        for (int k = 0; k < board.places(); ++k)
            drawPiece(k);
        break;
    case game::Change::Solved:
        // imgPuzz_MouseDown finishes the game: the sounds come in its order.
        showKeyCursor(-1);
        break;
    }
}

void frmTavoro::ChangeButtons(int16_t a, int16_t b)
{
    // The board has exchanged the pieces of a and b (in slide mode a is now
    // the empty place): each shows the cell of the piece it holds.
    Procedure proc{"frmTavoro", "ChangeButtons"};
    proc.run({
        [&] { drawPiece(a); },
        [&] {
            drawPiece(b);
            glideExchanged(a, b);
        },
    });
}

void frmTavoro::glideExchanged(int a, int b)
{
    if (!settings().Animate() || !isVisible())
        return;
    PuzzlePiece* pa = imgPuzz(a);
    PuzzlePiece* pb = imgPuzz(b);
    const QPoint atA = pa->pos();
    const QPoint atB = pb->pos();
    // Above the other pieces, below the frames, preview and toolbar. Slide
    // mode: the piece now at b came from a, which shows the empty place.
    // Swap mode: the two cross over.
    pb->stackUnder(shpRahmen);
    motion_.glide(pb, atA);
    if (board.mode() == game::Mode::Swap) {
        pa->stackUnder(shpRahmen);
        motion_.glide(pa, atB);
    }
}

void frmTavoro::letTheWholePictureShow()
{
    if (!settings().Animate() || !isVisible())
        return;
    QEventLoop pause;
    QTimer::singleShot(mainwindow::PieceMotion::kMilliseconds + 600, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
    motion_.finish();
}

void frmTavoro::showSelection(int place)
{
    if (place < 0) {
        shpRahmen->hide();
        return;
    }
    PuzzlePiece* piece = imgPuzz(place);
    shpRahmen->setLeft(piece->Left());
    shpRahmen->setTop(piece->Top());
    shpRahmen->resize(piece->width(), piece->height());
    shpRahmen->raise();
    shpRahmen->show();
}

void frmTavoro::NewGame()
{
    Procedure proc{"frmTavoro", "NewGame"};
    proc.run({
        [&] {
            // The first call comes while the window loads, before it has its
            // size: the first layout cuts and places the board instead.
            if (!FirstResetDone) {
                FirstResetDone = true;
                proc.leave();
            }
        },
        // The board keeps the geometry of the first layout, so that it stays
        // in its frame whatever size the window has been given since.
        [&] {
            if (geometry.BoardSide == 0)  // not laid out yet
                geometry.setBoard(width(), height());
        },
        [&] {
            // A running game is thrown away here: its kept copy goes too.
            if (!board.locked())
                forgetGame();
            resumeGame();
            stopSolving();
            helped_ = false;
            board.deselect();
            showKeyCursor(-1);
        },
        [&] { lblZugzahl->setText(QStringLiteral("0")); },
        [&] { Seconds = 0; },
        [&] { lblTime->setText(QStringLiteral("0")); },
        [&] { Timer1->stop(); },
        [&] { cutPictureClipForSize(); },
        [&] { geometry.setCells(settings().Size()); },
        [&] { hideAllPieces(); },
        [&] { cutPictureIntoPieces(); },
        // Every piece at home, the board locked; each piece shows its cell.
        [&] { orderBoard(); },
        [&] {
            for (int r = 0; r < board.size(); ++r) {
                for (int c = 0; c < board.size(); ++c) {
                    placePiece(r * board.size() + c);
                    imgPuzz(r * board.size() + c)->show();
                }
            }
        },
        [&] { fitFrameToBoard(); },
        [&] { PicBut(0)->setEnabled(true); },
        // No game runs now: either mode may be chosen.
        [&] { PicBut(5)->setEnabled(true); },
    });
}

void frmTavoro::showMode()
{
    PicBut(5)->setChecked(settings().Mode() == game::Mode::Slide);
    PicBut(6)->setChecked(settings().Mode() != game::Mode::Slide);
}

void frmTavoro::Shuffle()
{
    Procedure proc{"frmTavoro", "Shuffle"};
    proc.run({
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->hide();
        },
        [&] {
            // A board of one place has nowhere to walk to.
            if (board.size() < 2)
                errors::raise(errors::ErrInvalidCall);
        },
        // The random walk of the empty place, N^4 steps, then a game runs.
        // The pieces show their new cells once, at the end; in slide mode the
        // empty place shows the empty-place picture.
        // A walk that ends too near home is walked on: every game is a puzzle.
        [&] { game::shuffleAsPuzzle(board, [] { return Allgemein::Rnd(); }); },
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->show();
        },
        [&] { Timer1->start(); },
    });
}

void frmTavoro::imgPuzz_MouseDown(int16_t Index, int16_t /*Button*/, int16_t /*Shift*/,
                                  float /*X*/, float /*Y*/)
{
    Procedure proc{"frmTavoro", "imgPuzz_MouseDown"};
    Press press = Press::Ignored;
    // A move still gliding ends at once: this press counts from where it ends.
    motion_.finish();
    // The player's own press stops a solution being played.
    if (!solverPressing_)
        stopSolving();
    proc.run({
        [&] {
            // Nor while an own picture arrives: the game is already given up
            // for it (or not begun), and a move made now would be lost.
            if (board.locked() || paused_ || pictureArriving())
                proc.leave();
        },
        // Slide mode: a neighbour of the empty place by row and column moves
        // in. Swap mode: select, let go, or exchange with the selected piece.
        // Then the solution test, unless the selection was let go.
        [&] { press = board.press(Index); },
        [&] {
            if (press == Press::Ignored || press == Press::Deselected)
                proc.leave();
        },
        [&] {
            if (press != Press::Nothing && settings().PlaySound())
                services::seams().PlayWAV(services::seams().Zufallszahl(105, 110));
        },
        [&] {
            if (press == Press::Slid || press == Press::Exchanged) {
                lblZugzahl->setText(QString::number(board.moves()));
                keepGame();
            }
        },
        [&] {
            if (!board.locked()) {
                PicBut(0)->setEnabled(false);
                proc.leave();
            }
        },
        // Solved.
        [&] {
            if (Timer1->isActive()) {
                if (settings().PlaySound())
                    services::seams().PlayWAV(101);
                // The picture complete: the empty place shows the last cell.
                if (board.mode() == game::Mode::Slide)
                    imgPuzz(board.emptyPlace())->setPicture(cellPicture(board.places() - 1));
            }
        },
        [&] {
            Timer1->stop();
            forgetGame();
            letTheWholePictureShow();
        },
        [&] { g.HSScore = numbers::Format00000(Seconds) + numbers::Format00000(board.moves()); },
        // A game solved with help only shows the list.
        [&] { g.HSPending = helped_ ? vbFalse : vbTrue; },
        [&] { widgets::seams().showChampions(this); },
        [&] { g.HSPending = vbFalse; },
        [&] { PicBut(5)->setEnabled(true); },
        [&] { Seconds = 0; },
        [&] { PicBut(0)->setEnabled(true); },
    });
}

// ---------------------------------------------------------------------------
// Start, end and the clock

void frmTavoro::Start()
{
    Procedure proc{"frmTavoro", "Start"};
    bool ordered = false;
    proc.run({
        [&] {
            // An own picture still on its way: the game starts on it when it
            // arrives, never on the picture before.
            if (pictureArriving()) {
                startWhenPictureArrives_ = true;
                proc.leave();
            }
            ordered = board.locked();
        },
        [&] {
            if (ordered)
                Shuffle();
        },
        [&] {
            if (ordered)
                g.StartTime = wallclock::Now();
        },
        [&] {
            if (ordered)
                lblZugzahl->setText(QStringLiteral("0"));
        },
        [&] {
            if (settings().PlaySound())
                services::seams().PlayWAV(103);
        },
        [&] { PicBut(0)->setEnabled(false); },
        [&] { PicBut(5)->setEnabled(false); },
    });
}

void frmTavoro::Ende()
{
    Procedure proc{"frmTavoro", "Ende"};
    bool playing = false;
    proc.runSkippingFailures({
        [&] { playing = !board.locked(); },
        [&] { board.deselect(); },
        [&] {
            if (playing)
                NewGame();
        },
        [&] {
            if (playing)
                PicBut(0)->setEnabled(true);
        },
        [&] {
            if (playing)
                PicBut(5)->setEnabled(true);
        },
        [&] {
            if (!playing
                && services::seams().askYesNo(
                    this, services::seams().GetLang(int16_t(settings().Sprache() + 124)),
                    appinfo::title()))
                services::seams().Shutdown();
        },
    });
}

void frmTavoro::Timer1_Timer()
{
    Procedure proc{"frmTavoro", "Timer1_Timer"};
    proc.run({
        [&] { Seconds = numbers::CLng((wallclock::Now() - g.StartTime) * 3600 * 24); },
        [&] { lblTime->setText(QString::number(Seconds)); },
    });
}
