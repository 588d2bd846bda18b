// A running game is never lost: kept on disk after each move, with its undo
// list, and continued at the next start, paused (the clock stands, a cloth
// covers the board), and thrown away only after the player says so. Undo and
// redo, and the pause.

#include "mainwindow/frmTavoro.h"

#include "mainwindow/cloth.h"
#include "errors/trap.h"
#include "platform/appinfo.h"
#include "services/kept_game.h"
#include "services/settings.h"
#include "widgets/controls.h"
#include "services/seams.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

#include <cmath>

using Allgemein::settings;
using errors::Procedure;
using services::seams;

bool frmTavoro::gameWithMovesRuns() const
{
    return session.asksBeforeAbandoning();
}

bool frmTavoro::mayAbandonGame()
{
    if (!gameWithMovesRuns())
        return true;
    return seams().askYesNoDefaultNo(this, services::textOf(230), appinfo::title());
}

void frmTavoro::keepGame()
{
    if (board.locked())
        return;
    keptgame::Game k;
    static_cast<game::Snapshot&>(k) = session.snapshot();
    k.seconds = std::min(k.seconds, 99999);
    k.album = settings().Album();
    k.picture = settings().Picture();
    if (k.album == 1)
        k.file = QFileInfo(PictureFile).fileName();
    keptgame::keep(k);
}

void frmTavoro::forgetGame()
{
    keptgame::forget();
}

void frmTavoro::keepGameNow()
{
    keepGame();
    keptgame::flush();
}

void frmTavoro::continueKeptGame()
{
    QString problem;
    const std::optional<keptgame::Game> kept = keptgame::load(&problem);
    if (!kept) {
        if (!problem.isEmpty())
            seams().tell(this, services::textOf(233));
        return;
    }
    // The game's own size, mode and picture; the settings follow it.
    if (kept->size != settings().Size()) {
        settings().setSize(kept->size);
        settings().store(Allgemein::Setting::Size);
        for (int i = 0; i < int(mnuSize_.size()); ++i)
            mnuSize_[i]->setChecked(i == kept->size - 3);
    }
    if (kept->mode != settings().Mode()) {
        settings().setMode(kept->mode);
        settings().store(Allgemein::Setting::Mode);
    }
    showMode();
    // A picture that is gone (or, read on the worker, cannot be read) is said,
    // and built-in picture 101 takes its place.
    const auto fallBack = [this](const QImage& picture, bool own) {
        if (own && picture.isNull())
            seams().tell(this, services::textOf(234));
        return orFirstBuiltIn(picture);
    };
    // The kept game's picture, not the one chosen before, whatever arrives.
    dropPictureUnderWay();
    const QString own = ownPictureFile(kept->album, kept->file);
    settings().setAlbum(kept->album);
    if (kept->album == 1)
        PictureFile = own;
    else
        settings().setPicture(kept->picture);
    if (!own.isEmpty()) {
        // Read on the worker: the paused board shows it when it arrives.
        readOwnPicture(own, [this, fallBack](const pictures::Decoded& d) {
            showPuzzlePicture(fallBack(d.picture, true));
        });
    } else {
        QImage picture;
        QString file;
        try {
            picture = puzzlePicture(kept->album, kept->picture, kept->file, file);
        } catch (...) {
        }
        PicClip1.setPicture(fallBack(picture, kept->album == 1));
    }
    imgPreview->setPicture(QPixmap::fromImage(PicClip1.Picture()));

    NewGame();
    // The session takes the game paused, with its undo list.
    if (!session.restore(*kept))
        return;
    lblZugzahl->setText(QString::number(board.moves()));
    lblTime->setText(QString::number(session.seconds()));
    PicBut(0)->setEnabled(false);
    PicBut(5)->setEnabled(false);
    keepGame();
}

void frmTavoro::pauseGame()
{
    session.pause();
}

void frmTavoro::resumeGame()
{
    session.resume();
}

void frmTavoro::showPaused()
{
    const bool paused = session.paused();
    if (mnuPause)
        mnuPause->setChecked(paused);
    if (paused == clothShown_)
        return;
    clothShown_ = paused;
    if (!paused) {
        if (cloth_)
            cloth_->hide();
        imgPreview->setVisible(previewWasShown_);
        shpPreview->setVisible(previewWasShown_);
        return;
    }
    lblTime->setText(QString::number(session.seconds()));
    previewWasShown_ = !imgPreview->isHidden();
    imgPreview->hide();
    shpPreview->hide();
    if (!cloth_) {
        cloth_ = new mainwindow::Cloth(this);
        cloth_->pressed = [this] { resumeGame(); };
    }
    cloth_->setTexts(services::textOf(231), services::textOf(232));
    cloth_->setGeometry(boardArea());
    cloth_->stackUnder(shpPreview);
    cloth_->show();
}

void frmTavoro::mnuPause_Click()
{
    if (session.paused())
        resumeGame();
    else
        pauseGame();
}

void frmTavoro::mnuUndo_Click()
{
    Procedure proc{"frmTavoro", "mnuUndo_Click"};
    proc.run({
        [&] {
            motion_.finish();
            session.undo();
        },
    });
}

void frmTavoro::mnuRedo_Click()
{
    Procedure proc{"frmTavoro", "mnuRedo_Click"};
    proc.run({
        [&] {
            motion_.finish();
            session.redo();
        },
        [&] {
            if (solvedPending_)
                GameSolved();
        },
    });
}
