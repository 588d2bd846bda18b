// The game on the main window's board: new game and shuffle, presses on the
// pieces, start, end and the game clock.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "mainwindow/controls.h"
#include "mainwindow/seams.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "services/language.h"
#include "services/media.h"
#include "services/random.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QTimer>

using errors::Procedure;
using mainwindow::ImageControl;
using mainwindow::PuzzlePiece;
using mainwindow::seams;
using mainwindow::ShapeControl;

void frmTavoro::ChangeButtons(int16_t a, int16_t b)
{
    Procedure proc{"frmTavoro", "ChangeButtons"};
    if (g.Mode == 0) {
        proc.run({
            [&] { imgPuzz(board.EmptyIndex)->setTag(imgPuzz(a)->Tag()); },
            [&] { imgPuzz(board.EmptyIndex)->setPicture(imgPuzz(a)->Picture()); },
            [&] { imgPuzz(board.EmptyIndex)->show(); },
            [&] { board.EmptyIndex = a; },
            [&] { imgPuzz(a)->setTag(game::EmptyTag); },
            [&] { imgPuzz(a)->setPicture(imgLeer->Picture()); },
        });
    } else {
        QPixmap picture;
        int16_t tag = 0;
        proc.run({
            [&] { picture = imgPuzz(a)->Picture(); },
            [&] { tag = imgPuzz(a)->Tag(); },
            [&] { imgPuzz(a)->setPicture(imgPuzz(b)->Picture()); },
            [&] { imgPuzz(a)->setTag(imgPuzz(b)->Tag()); },
            [&] { imgPuzz(b)->setPicture(picture); },
            [&] { imgPuzz(b)->setTag(tag); },
        });
    }
}

void frmTavoro::NewGame()
{
    Procedure proc{"frmTavoro", "NewGame"};
    proc.run({
        [&] {
            // The first call comes while the window loads, before it has its
            // size: the first layout cuts and places the board instead.
            if (!board.FirstResetDone) {
                board.FirstResetDone = true;
                proc.leave();
            }
        },
        // The board keeps the geometry of the first layout, so that it stays
        // in its frame whatever size the window has been given since.
        [&] {
            if (geometry.BoardSide == 0)  // not laid out yet
                geometry.setBoard(width(), height());
        },
        [&] { clearSelection(); },
        [&] { lblZugzahl->setText(QStringLiteral("0")); },
        [&] { board.Seconds = 0; },
        [&] { lblTime->setText(QStringLiteral("0")); },
        [&] { Timer1->stop(); },
        [&] { board.BoardLocked = true; },
        [&] { cutPictureClipForSize(); },
        [&] { geometry.setCells(board.N); },
        [&] {
            hideAllPieces();
        },
        [&] { cutPictureIntoPieces(); },
        [&] {
            for (int r = 0; r < board.N; ++r) {
                for (int c = 0; c < board.N; ++c) {
                    placePiece(r * board.N + c);
                    imgPuzz(r * board.N + c)->show();
                }
            }
        },
        [&] { fitFrameToBoard(); },
        [&] { board.EmptyIndex = static_cast<int16_t>(board.places() - 1); },
        [&] { PicBut(0)->setEnabled(true); },
        // No game runs now: either mode may be chosen.
        [&] { PicBut(5)->setEnabled(true); },
    });
}

void frmTavoro::clearSelection()
{
    board.PickCount = 0;
    board.FirstPick = 0;
    shpRahmen->hide();
}

void frmTavoro::showMode()
{
    PicBut(5)->setChecked(g.Mode == 0);
    PicBut(6)->setChecked(g.Mode != 0);
}

void frmTavoro::Shuffle()
{
    Procedure proc{"frmTavoro", "Shuffle"};
    int16_t x = 0, y = 0;
    proc.run({
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->hide();
        },
        [&] {
            if (board.N == 0)
                errors::raise(errors::ErrDivisionByZero);
            x = static_cast<int16_t>(board.EmptyIndex % board.N);
            y = static_cast<int16_t>(board.EmptyIndex / board.N);
        },
        [&] {
            // The random walk of the empty place: N^4 steps that stay on the
            // board; a draw that would leave it is not counted. A board of one
            // place has nowhere to walk to and would never finish.
            if (board.N < 2)
                errors::raise(errors::ErrInvalidCall);
            const double steps = static_cast<double>(board.walkSteps());
            double s = 0;
            while (s < steps) {
                const int t = game::BoardModel::walkTarget(board.N, Allgemein::Rnd(), x, y);
                if (t < 0)
                    continue;
                if (g.Mode != 0) {
                    ChangeButtons(board.EmptyIndex, static_cast<int16_t>(t));
                } else {
                    imgPuzz(board.EmptyIndex)->setTag(imgPuzz(t)->Tag());
                    imgPuzz(board.EmptyIndex)->setPicture(imgPuzz(t)->Picture());
                }
                board.EmptyIndex = static_cast<int16_t>(t);
                s = s + 1;
            }
        },
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->show();
        },
        [&] {
            if (g.Mode == 0) {
                imgPuzz(board.EmptyIndex)->setPicture(imgLeer->Picture());
                imgPuzz(board.EmptyIndex)->setTag(game::EmptyTag);
            }
        },
        [&] { board.BoardLocked = false; },
        [&] { Timer1->start(); },
    });
}

void frmTavoro::addMove()
{
    lblZugzahl->setText(QString::number(numbers::CLng(numbers::Val(lblZugzahl->text()) + 1)));
}

void frmTavoro::imgPuzz_MouseDown(int16_t Index, int16_t /*Button*/, int16_t /*Shift*/,
                                  float /*X*/, float /*Y*/)
{
    Procedure proc{"frmTavoro", "imgPuzz_MouseDown"};
    bool moved = false;
    proc.run({
        [&] {
            if (board.BoardLocked)
                proc.leave();
        },
        // Slide mode: a neighbour of the empty place by row and column moves in.
        [&] {
            if (g.Mode == 0 && board.isSlideNeighbour(Index)) {
                ChangeButtons(Index, 0);
                moved = true;
            }
        },
        [&] {
            if (g.Mode == 0 && moved && g.PlaySound)
                seams().PlayWAV(seams().Zufallszahl(105, 110));
        },
        [&] {
            if (g.Mode == 0 && moved)
                addMove();
        },
        // Swap mode: select, deselect, or exchange with the selected piece.
        [&] {
            if (g.Mode != 0)
                board.PickCount = static_cast<int16_t>(board.PickCount + 1);
        },
        [&] {
            if (g.Mode == 0)
                return;
            if (board.PickCount == 2) {
                if (Index == board.FirstPick) {
                    board.PickCount = 0;
                    shpRahmen->hide();
                    proc.leave();
                    return;
                }
                board.PickCount = 0;
                ChangeButtons(Index, board.FirstPick);
                shpRahmen->hide();
                addMove();
            } else {
                PuzzlePiece* piece = imgPuzz(Index);
                shpRahmen->setLeft(piece->Left());
                shpRahmen->setTop(piece->Top());
                shpRahmen->resize(piece->width(), piece->height());
                shpRahmen->raise();
                shpRahmen->show();
                board.FirstPick = Index;
            }
        },
        [&] {
            if (g.Mode != 0 && g.PlaySound)
                seams().PlayWAV(seams().Zufallszahl(105, 110));
        },
        // The solution test.
        [&] { board.BoardLocked = board.isSolved(); },
        [&] {
            if (!board.BoardLocked) {
                PicBut(0)->setEnabled(false);
                proc.leave();
            }
        },
        // Solved.
        [&] {
            if (Timer1->isActive()) {
                if (g.PlaySound)
                    seams().PlayWAV(101);
                if (g.Mode == 0)
                    imgPuzz(board.EmptyIndex)->setPicture(
                        QPixmap::fromImage(PicClip1.GraphicCell(board.places() - 1)));
            }
        },
        [&] { Timer1->stop(); },
        [&] {
            g.HSScore = numbers::Format00000(board.Seconds)
                + numbers::Format00000(numbers::CLng(numbers::Val(lblZugzahl->text())));
        },
        [&] { g.HSPending = vbTrue; },
        [&] { seams().showChampions(this); },
        [&] { g.HSPending = vbFalse; },
        [&] { PicBut(5)->setEnabled(true); },
        [&] { board.Seconds = 0; },
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
        [&] { ordered = board.BoardLocked; },
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
            if (g.PlaySound)
                seams().PlayWAV(103);
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
        [&] { playing = !board.BoardLocked; },
        [&] { clearSelection(); },
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
                && seams().askYesNo(this, seams().GetLang(int16_t(g.Sprache + 124)),
                                    appinfo::title()))
                seams().Shutdown();
        },
    });
}

void frmTavoro::Timer1_Timer()
{
    Procedure proc{"frmTavoro", "Timer1_Timer"};
    proc.run({
        [&] { board.Seconds = numbers::CLng((wallclock::Now() - g.StartTime) * 3600 * 24); },
        [&] { lblTime->setText(QString::number(board.Seconds)); },
    });
}
