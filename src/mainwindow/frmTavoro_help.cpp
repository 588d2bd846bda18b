// Help when stuck: a hint shows the next move of a solution without making it
// (slide: the piece to move; swap: the two pieces to exchange) until the next
// move; Solve plays the rest of a solution itself, a few moves a second,
// until it is done or the player presses or types anything. A game that had
// help does not enter the champions list.
//
// The window never waits for the solver: the quick method answers at once,
// and for the 4 x 4 slide board the shortest solution is looked for on a
// thread of the pool, its first move replacing the hint when it arrives for
// the board still on screen.

#include "mainwindow/frmTavoro.h"

#include "game/solver.h"
#include "widgets/controls.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>

using widgets::PuzzlePiece;
using widgets::ShapeControl;

void frmTavoro::mnuHint_Click()
{
    if (board.locked() || paused_)
        return;
    stopSolving();
    const std::optional<game::Move> quick = game::quickHint(board);
    if (!quick)
        return;
    helped_ = true;
    showHint(*quick);
    if (board.mode() != game::Mode::Slide || board.size() != 4)
        return;
    // The shortest way may begin elsewhere: looked for meanwhile.
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    thinking_ = cancel;
    QPointer<frmTavoro> self(this);
    const int generation = boardGeneration_;
    QThreadPool::globalInstance()->start([self, cancel, generation, copy = board] {
        const std::optional<game::Moves> best = game::optimalSolution(copy, cancel.get());
        if (!best || best->empty() || cancel->load())
            return;
        const game::Move first = best->front();
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, generation, first] {
            if (self && self->boardGeneration_ == generation && self->hintShown())
                self->showHint(first);
        });
    });
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

void frmTavoro::boardMoved()
{
    ++boardGeneration_;
    if (thinking_) {
        thinking_->store(true);
        thinking_.reset();
    }
    hideHint();
}

void frmTavoro::mnuSolve_Click()
{
    if (board.locked() || paused_)
        return;
    hideHint();
    solution_ = game::quickSolution(board);
    solutionStep_ = 0;
    if (solution_.empty())
        return;
    helped_ = true;
    board.deselect();
    if (!solveTimer_) {
        solveTimer_ = new QTimer(this);
        connect(solveTimer_, &QTimer::timeout, this, [this] { solveStep(); });
    }
    // A few moves a second; a long solution goes faster, so that it ends
    // within a minute or so.
    const int each = std::clamp(30000 / int(solution_.size()), 80, 330);
    solveTimer_->start(each);
}

bool frmTavoro::solving() const
{
    return solveTimer_ && solveTimer_->isActive();
}

void frmTavoro::stopSolving()
{
    if (solveTimer_)
        solveTimer_->stop();
    solution_.clear();
}

void frmTavoro::solveStep()
{
    if (board.locked() || paused_ || solutionStep_ >= solution_.size()) {
        stopSolving();
        return;
    }
    const game::Move move = solution_[solutionStep_++];
    solverPressing_ = true;
    imgPuzz_MouseDown(static_cast<int16_t>(move.a), 1, 0, 0, 0);
    if (board.mode() == game::Mode::Swap && !board.locked())
        imgPuzz_MouseDown(static_cast<int16_t>(move.b), 1, 0, 0, 0);
    solverPressing_ = false;
    if (solutionStep_ >= solution_.size())
        stopSolving();
}
