// A running game is never lost: kept on disk after each move and continued at
// the next start, paused (the clock stands, a cloth covers the board), and
// thrown away only after the player says so.

#include "mainwindow/frmTavoro.h"

#include "mainwindow/cloth.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "services/kept_game.h"
#include "services/settings.h"
#include "services/shared.h"
#include "widgets/controls.h"
#include "services/seams.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

#include <cmath>

using Allgemein::settings;
using services::seams;

bool frmTavoro::gameWithMovesRuns() const
{
    return !board.locked() && board.moves() > 0;
}

bool frmTavoro::mayAbandonGame()
{
    if (!gameWithMovesRuns())
        return true;
    return seams().askYesNoDefaultNo(this, services::textOf(230), appinfo::title());
}

int frmTavoro::playedSeconds() const
{
    const double days = paused_ ? playedDays_ : wallclock::Now() - g.StartTime;
    return std::max(0, int(std::floor(days * 24 * 3600 + 1e-6)));
}

void frmTavoro::keepGame()
{
    if (board.locked())
        return;
    keptgame::Game k;
    k.size = board.size();
    k.mode = board.mode();
    k.album = settings().Album();
    k.picture = settings().Picture();
    if (k.album == 1)
        k.file = QFileInfo(PictureFile).fileName();
    k.pieces = board.arrangement();
    k.moves = board.moves();
    k.seconds = std::min(playedSeconds(), 99999);
    k.helped = helped_;
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
    if (!board.restore(kept->size, kept->mode, kept->pieces, kept->moves))
        return;
    helped_ = kept->helped;
    lblZugzahl->setText(QString::number(board.moves()));
    Seconds = kept->seconds;
    lblTime->setText(QString::number(Seconds));
    g.StartTime = wallclock::Now() - Seconds / (24.0 * 3600);
    PicBut(0)->setEnabled(false);
    PicBut(5)->setEnabled(false);
    pauseGame();
    keepGame();
}

void frmTavoro::pauseGame()
{
    if (board.locked() || paused_)
        return;
    playedDays_ = wallclock::Now() - g.StartTime;
    paused_ = true;
    Timer1->stop();
    Seconds = playedSeconds();
    lblTime->setText(QString::number(Seconds));
    previewWasShown_ = !imgPreview->isHidden();
    imgPreview->hide();
    shpPreview->hide();
    showKeyCursor(-1);
    if (!cloth_) {
        cloth_ = new mainwindow::Cloth(this);
        cloth_->pressed = [this] { resumeGame(); };
    }
    cloth_->setTexts(services::textOf(231), services::textOf(232));
    cloth_->setGeometry(boardArea());
    cloth_->stackUnder(shpPreview);
    cloth_->show();
    if (mnuPause)
        mnuPause->setChecked(true);
}

void frmTavoro::resumeGame()
{
    if (!paused_)
        return;
    paused_ = false;
    if (cloth_)
        cloth_->hide();
    imgPreview->setVisible(previewWasShown_);
    shpPreview->setVisible(previewWasShown_);
    if (mnuPause)
        mnuPause->setChecked(false);
    if (board.locked())
        return;
    g.StartTime = wallclock::Now() - playedDays_;
    Timer1->start();
}

void frmTavoro::mnuPause_Click()
{
    if (paused_)
        resumeGame();
    else
        pauseGame();
}
