// Help when stuck: a hint shows the next move of a solution without making it
// (slide: the piece to move; swap: the two pieces to exchange) until the next
// move; Solve plays the rest of a solution itself, paced by the session so
// that it ends within seconds, until it is done or the player presses or
// types anything. The session decides all of it and keeps the help given;
// this window shows the hint's frames.
//
// The window never waits for the solver: the quick method answers at once,
// and for the 4 x 4 slide board the session asks for the shortest solution,
// which is looked for on a thread of the pool and handed back to the session,
// which takes it for the board still on screen.

#include "mainwindow/frmTavoro.h"

#include "game/solver.h"
#include "widgets/controls.h"

#include "services/seams.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

using widgets::PuzzlePiece;
using widgets::ShapeControl;

void frmTavoro::mnuHint_Click()
{
    if (!session.hint())
        return;
    // The game had help: kept so at once.
    keepGame();
    askForBetterHint();
}

void frmTavoro::askForBetterHint()
{
    const std::optional<game::Session::Question> question = session.betterHintQuestion();
    if (!question)
        return;
    stopThinking();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    thinking_ = cancel;
    QPointer<frmTavoro> self(this);
    QThreadPool::globalInstance()->start([self, cancel, q = *question] {
        const std::optional<game::Moves> best = game::optimalSolution(q.board, cancel.get());
        if (!best || best->empty() || cancel->load())
            return;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, generation = q.generation, b = *best] {
            if (self)
                self->session.betterHint(generation, b);
        });
    });
}

void frmTavoro::stopThinking()
{
    if (thinking_) {
        thinking_->store(true);
        thinking_.reset();
    }
}

bool frmTavoro::hintShown() const
{
    return shpHint_[0] && !shpHint_[0]->isHidden();
}

void frmTavoro::showHint(const game::Move& move)
{
    for (int i = 0; i < 2; ++i) {
        if (!shpHint_[i]) {
            shpHint_[i] = new ShapeControl(this, QColor(90, 230, 120), 4);
            shpHint_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        shpHint_[i]->hide();
    }
    // Slide mode: the piece to move; swap mode: both pieces to exchange.
    const int places[2] = {move.a, board.mode() == game::Mode::Swap ? move.b : -1};
    for (int i = 0; i < 2; ++i) {
        if (places[i] < 0 || places[i] >= board.places())
            continue;
        const PuzzlePiece* piece = imgPuzz(places[i]);
        shpHint_[i]->setGeometry(piece->geometry());
        shpHint_[i]->raise();
        shpHint_[i]->show();
    }
}

void frmTavoro::hideHint()
{
    for (ShapeControl* s : shpHint_)
        if (s)
            s->hide();
}

void frmTavoro::mnuSolve_Click()
{
    if (session.solve())
        keepGame();
}

void frmTavoro::showHelpNote(bool atTheEnd)
{
    if (!helpNote_) {
        helpNote_ = new QLabel(this);
        helpNote_->setAttribute(Qt::WA_TransparentForMouseEvents);
        helpNote_->setAlignment(Qt::AlignCenter);
        helpNote_->setWordWrap(true);
        helpNote_->setAutoFillBackground(true);
        QPalette pal = helpNote_->palette();
        pal.setColor(QPalette::Window, QColor(0, 0, 0, 170));
        pal.setColor(QPalette::WindowText, Qt::white);
        helpNote_->setPalette(pal);
        QFont f = helpNote_->font();
        f.setBold(true);
        helpNote_->setFont(f);
        helpNoteTimer_ = new QTimer(this);
        helpNoteTimer_->setSingleShot(true);
        connect(helpNoteTimer_, &QTimer::timeout, this, [this] { hideHelpNote(); });
    }
    helpNote_->setText(services::textOf(302));
    placeHelpNote();
    helpNote_->raise();
    helpNote_->show();
    // Said for a few seconds as the help is had; at the end it stays until
    // the next game.
    if (atTheEnd)
        helpNoteTimer_->stop();
    else
        helpNoteTimer_->start(6000);
}

void frmTavoro::placeHelpNote()
{
    if (!helpNote_)
        return;
    // A strip along the foot of the board.
    const QRect area = boardArea();
    const int high = helpNote_->heightForWidth(area.width()) + 8;
    helpNote_->setGeometry(area.left(), area.bottom() + 1 - high, area.width(), high);
}

void frmTavoro::hideHelpNote()
{
    if (helpNoteTimer_)
        helpNoteTimer_->stop();
    if (helpNote_)
        helpNote_->hide();
}

bool frmTavoro::helpNoteShown() const
{
    return helpNote_ && !helpNote_->isHidden();
}

QString frmTavoro::helpNoteText() const
{
    return helpNote_ ? helpNote_->text() : QString();
}
