// The game on the main window's board: new game and shuffle, presses on the
// pieces, start, end and the game clock. The rules are the session's
// (game::Session): these procedures call it, and sessionChanged draws what it
// tells.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "widgets/controls.h"
#include "widgets/seams.h"
#include "platform/appinfo.h"
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
    if (!session.newGame(settings().Size(), boardMode()))
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
        stopThinking();
        ChangeButtons(static_cast<int16_t>(change.a), static_cast<int16_t>(change.b));
        break;
    case game::Change::Selected:
        showSelection(change.a);
        break;
    case game::Change::Shuffled:
    case game::Change::Arranged:
        stopThinking();
        hideHelpNote();
        for (int k = 0; k < board.places(); ++k)
            drawPiece(k);
        break;
    case game::Change::Solved:
        // GameSolved finishes the game once the input that solved it is done.
        break;
    }
}

void frmTavoro::sessionChanged(const game::SessionChange& change)
{
    using game::SessionChange;
    switch (change.kind) {
    case SessionChange::Board:
        boardChanged(change.board);
        break;
    case SessionChange::Pressed:
        if ((change.press == Press::Slid || change.press == Press::Selected || change.press == Press::Exchanged)
            && settings().PlaySound())
            services::seams().PlayWAV(services::seams().Zufallszahl(105, 110));
        if (change.press == Press::Slid || change.press == Press::Exchanged) {
            lblZugzahl->setText(QString::number(board.moves()));
            keepGame();
        }
        if (!board.locked())
            PicBut(0)->setEnabled(false);
        break;
    case SessionChange::Seconds:
        lblTime->setText(QString::number(session.seconds()));
        break;
    case SessionChange::Paused:
        showPaused();
        break;
    case SessionChange::Hint:
        if (const std::optional<game::Move> hint = session.shownHint())
            showHint(*hint);
        else
            hideHint();
        break;
    case SessionChange::Cursor:
        showKeyCursor(session.cursor());
        break;
    case SessionChange::Solving:
    case SessionChange::History:
        break;
    case SessionChange::Finished:
        solvedPending_ = true;
        break;
    case SessionChange::Helped:
        showHelpNote(false);
        break;
    }
    scheduleTick();
}

void frmTavoro::scheduleTick()
{
    const int due = session.due();
    if (due < 0) {
        Timer1->stop();
        return;
    }
    Timer1->start(due);
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
        },
        [&] { lblZugzahl->setText(QStringLiteral("0")); },
        [&] { lblTime->setText(QStringLiteral("0")); },
        [&] { cutPictureClipForSize(); },
        [&] { geometry.setCells(settings().Size()); },
        [&] { hideAllPieces(); },
        [&] { cutPictureIntoPieces(); },
        // Every piece at home, the board locked, the clock at 0; each piece
        // shows its cell.
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
        // The session starts the clock.
        [&] { session.start([] { return Allgemein::Rnd(); }); },
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->show();
        },
    });
}

void frmTavoro::imgPuzz_MouseDown(int16_t Index, int16_t /*Button*/, int16_t /*Shift*/,
                                  float /*X*/, float /*Y*/)
{
    Procedure proc{"frmTavoro", "imgPuzz_MouseDown"};
    // A move still gliding ends at once: this press counts from where it ends.
    motion_.finish();
    proc.run({
        [&] {
            // Not while an own picture arrives: the game is already given up
            // for it (or not begun), and a move made now would be lost.
            if (pictureArriving())
                proc.leave();
        },
        // The session's rules: a line slide, or select, let go and exchange;
        // it stops Solve, and ignores the press while no game runs or the
        // game is paused. What changed is drawn as it tells.
        [&] { session.press(Index); },
        [&] {
            if (solvedPending_)
                GameSolved();
        },
    });
}

void frmTavoro::GameSolved()
{
    Procedure proc{"frmTavoro", "GameSolved"};
    solvedPending_ = false;
    proc.run({
        [&] {
            if (settings().PlaySound())
                services::seams().PlayWAV(101);
            // The picture complete: the empty place shows the last cell.
            if (board.mode() == game::Mode::Slide)
                imgPuzz(board.emptyPlace())->setPicture(cellPicture(board.places() - 1));
        },
        [&] {
            forgetGame();
            letTheWholePictureShow();
        },
        // A game that had help says again that it stays out of the list.
        [&] {
            if (session.helped())
                showHelpNote(true);
        },
        // The result goes to the champions window when the session lets it
        // enter the list (no help was had); otherwise the list is only shown.
        [&] { widgets::seams().showChampions(this, session.championsEntry()); },
        [&] { PicBut(5)->setEnabled(true); },
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
        // A game with a move made goes only when the player says so.
        [&] {
            if (playing && !mayAbandonGame())
                proc.leave();
        },
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
        // The session's clock and Solve's next moves; a glide still running
        // ends first, as for a press.
        [&] {
            motion_.finish();
            session.tick();
        },
        [&] { lblTime->setText(QString::number(session.seconds())); },
        [&] { scheduleTick(); },
        [&] {
            if (solvedPending_)
                GameSolved();
        },
    });
}
