#include "game/session.h"

#include "game/puzzle_shuffle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace game {

namespace {

// The place dx columns and dy rows away from `place` on an n x n board, or -1
// off the board.
int placeBeside(int place, int n, int dx, int dy)
{
    const int x = place % n + dx;
    const int y = place / n + dy;
    return x >= 0 && x < n && y >= 0 && y < n ? y * n + x : -1;
}

// Slide mode: the step from the empty place towards `place` when both lie in
// one row or column (and differ), else 0.
int lineStep(const Board& board, int place)
{
    const int n = board.size();
    const int e = board.emptyPlace();
    if (place < 0 || place >= board.places() || place == e)
        return 0;
    if (place / n == e / n)
        return place > e ? 1 : -1;
    if (place % n == e % n)
        return place > e ? n : -n;
    return 0;
}

// Slide mode: every piece from the empty place's neighbour to `place` moves
// one place towards the empty place. Nothing (and the board's solution test)
// when the place is in neither line of the empty place.
Press slideLine(Board& board, int place)
{
    const int step = lineStep(board, place);
    if (step == 0)
        return board.press(place);
    Press result = Press::Nothing;
    for (int k = board.emptyPlace() + step;; k += step) {
        if (board.press(k) == Press::Slid)
            result = Press::Slid;
        if (k == place || board.locked())
            break;
    }
    return result;
}

// Whether the entry fits the board: the place pressed and the empty place in
// one line (slide mode), two places of the board (swap mode).
bool fits(const Board& board, const Move& entry, bool forward)
{
    const int places = board.places();
    if (entry.a < 0 || entry.a >= places || entry.b < 0 || entry.b >= places || entry.a == entry.b)
        return false;
    if (board.mode() == Mode::Swap)
        return true;
    const int from = forward ? entry.b : entry.a;  // where the empty place must be
    const int to = forward ? entry.a : entry.b;
    return board.emptyPlace() == from && lineStep(board, to) != 0;
}

Press applyTo(Board& board, const Move& entry, bool forward)
{
    if (board.mode() == Mode::Slide)
        return slideLine(board, forward ? entry.a : entry.b);
    if (board.selected() >= 0)
        board.deselect();
    board.press(entry.a);
    return board.press(entry.b);
}

}  // namespace

std::string Score::text() const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%05d%05d", seconds, moves);
    return buffer;
}

Session::Session(Clock clock) : clock_(std::move(clock))
{
    since_ = clock_();
    board_.listen([this](const Change& change) { boardChanged(change); });
}

void Session::tell(SessionChange change) const
{
    for (const Listener& listener : listeners_)
        listener(change);
}

void Session::boardChanged(const Change& change)
{
    if (change.kind == Change::Exchanged) {
        // The plan goes on while the board follows it.
        const Move made{change.a, change.b};
        const Move swapped{change.b, change.a};
        if (!plan_.empty() && (plan_.front() == made || plan_.front() == swapped))
            plan_.erase(plan_.begin());
        else
            plan_.clear();
    } else if (change.kind != Change::Selected) {
        plan_.clear();
    }
    if (change.kind != Change::Selected) {
        ++generation_;
        dropHint();
    }
    SessionChange told{SessionChange::Board};
    told.board = change;
    tell(told);
}

long long Session::milliseconds() const
{
    if (!ticking_)
        return played_;
    return played_ + std::max<int64_t>(0, clock_() - since_);
}

void Session::sync()
{
    restartClock(milliseconds());
}

void Session::restartClock(long long played)
{
    played_ = played;
    since_ = clock_();
    ticking_ = clockRuns();
}

bool Session::newGame(int size, Mode mode)
{
    if (size < 1 || size > MaxSide)
        return false;
    stopSolving();
    paused_ = false;
    helped_ = false;
    lastSeconds_ = 0;
    result_.reset();
    undo_.clear();
    redo_.clear();
    setCursor(-1);
    if (board_.selected() >= 0)
        board_.deselect();
    board_.newGame(size, mode);
    restartClock(0);
    tell({SessionChange::Paused});
    tell({SessionChange::Seconds});
    tell({SessionChange::History});
    return true;
}

bool Session::start(const Board::Draw& draw)
{
    if (board_.size() < 2)
        return false;
    stopSolving();
    lastSeconds_ = 0;
    helped_ = false;
    result_.reset();
    undo_.clear();
    redo_.clear();
    shuffleAsPuzzle(board_, draw);
    restartClock(0);
    tell({SessionChange::Seconds});
    tell({SessionChange::History});
    return true;
}

Press Session::press(int place)
{
    stopSolving();
    if (!running() || paused_)
        return Press::Ignored;
    return act(place, true);
}

Press Session::act(int place, bool remember)
{
    const int empty = board_.emptyPlace();
    const int first = board_.selected();
    const Press p = board_.mode() == Mode::Slide ? slideLine(board_, place) : board_.press(place);
    if (remember && p == Press::Slid)
        this->remember({place, empty});
    else if (remember && p == Press::Exchanged)
        this->remember({first, place});
    afterPress(p);
    return p;
}

Press Session::apply(const Move& entry, bool forward)
{
    const Press p = applyTo(board_, entry, forward);
    afterPress(p);
    return p;
}

void Session::remember(const Move& entry)
{
    undo_.push_back(entry);
    if (int(undo_.size()) > UndoDepth)
        undo_.erase(undo_.begin());
    redo_.clear();
    tell({SessionChange::History});
}

void Session::afterPress(Press p)
{
    SessionChange told{SessionChange::Pressed};
    told.press = p;
    tell(told);
    if (board_.state() != Board::State::Solved || result_)
        return;
    // The picture is whole: the clock stops and the score is kept.
    sync();
    solving_ = false;
    plan_.clear();
    undo_.clear();
    redo_.clear();
    setCursor(-1);
    result_ = Score{seconds(), board_.moves(), helped_};
    tell({SessionChange::History});
    tell({SessionChange::Finished});
}

bool Session::key(Key k)
{
    if (!running())
        return false;
    if (paused_) {
        // Any key goes on, and does nothing else.
        resume();
        return true;
    }
    if (solving_) {
        // Any key stops Solve, and does nothing else.
        stopSolving();
        return true;
    }
    int dx = 0, dy = 0;
    switch (k) {
    case Key::Hint: hint(); return true;
    case Key::Pause: pause(); return true;
    case Key::Left: dx = -1; break;
    case Key::Right: dx = 1; break;
    case Key::Up: dy = -1; break;
    case Key::Down: dy = 1; break;
    case Key::Space:
        if (board_.mode() != Mode::Swap)
            return false;
        if (cursor_ < 0)
            setCursor(board_.selected() >= 0 ? board_.selected() : 0);
        else
            act(cursor_, true);
        return true;
    case Key::Escape:
        if (board_.selected() < 0)
            return false;
        board_.deselect();
        return true;
    case Key::Other: return false;
    }
    const int n = board_.size();
    if (board_.mode() == Mode::Slide) {
        // The piece on the far side of the empty place moves towards it (Up
        // moves the piece below the empty place up).
        const int from = placeBeside(board_.emptyPlace(), n, -dx, -dy);
        if (from >= 0)
            act(from, true);
    } else if (cursor_ < 0) {
        // The first arrow shows the cursor where the player looks: on the
        // selected piece, else in the top left corner.
        setCursor(board_.selected() >= 0 ? board_.selected() : 0);
    } else if (const int to = placeBeside(cursor_, n, dx, dy); to >= 0) {
        setCursor(to);
    }
    return true;
}

bool Session::canUndo() const
{
    return running() && !undo_.empty();
}

bool Session::canRedo() const
{
    return running() && !redo_.empty();
}

bool Session::undo()
{
    stopSolving();
    if (!canUndo() || paused_)
        return false;
    const Move entry = undo_.back();
    undo_.pop_back();
    redo_.push_back(entry);
    tell({SessionChange::History});
    apply(entry, false);
    return true;
}

bool Session::redo()
{
    stopSolving();
    if (!canRedo() || paused_)
        return false;
    const Move entry = redo_.back();
    redo_.pop_back();
    undo_.push_back(entry);
    tell({SessionChange::History});
    apply(entry, true);
    return true;
}

void Session::pause()
{
    if (!running() || paused_)
        return;
    paused_ = true;
    sync();
    setCursor(-1);
    tell({SessionChange::Paused});
}

void Session::resume()
{
    if (!paused_)
        return;
    paused_ = false;
    sync();
    tell({SessionChange::Paused});
}

void Session::hold(bool held)
{
    if (held == held_)
        return;
    held_ = held;
    sync();
    tell({SessionChange::Paused});
}

void Session::tick()
{
    if (solving_ && clockRuns()) {
        const long long into = milliseconds() - solveFrom_;
        while (solving_ && solveStep_ < size_t(into / solveEach_)) {
            if (plan_.empty() || !running()) {
                stopSolving();
                break;
            }
            ++solveStep_;
            const Move next = plan_.front();
            // Solve's moves are the game's: they can be undone like the player's.
            act(next.a, true);
            if (board_.mode() == Mode::Swap && running())
                act(next.b, true);
            if (running() && plan_.empty())
                stopSolving();
        }
    }
    if (seconds() != lastSeconds_) {
        lastSeconds_ = seconds();
        tell({SessionChange::Seconds});
    }
}

int Session::due() const
{
    if (!clockRuns())
        return -1;
    const long long ms = milliseconds();
    long long wait = 1000 - ms % 1000;
    if (solving_) {
        const double next = solveFrom_ + (solveStep_ + 1) * solveEach_ - ms;
        wait = std::min<long long>(wait, std::max<long long>(FrameMilliseconds, std::llround(std::ceil(next))));
    }
    return int(std::max<long long>(1, wait));
}

bool Session::hint()
{
    if (!running() || paused_)
        return false;
    stopSolving();
    if (plan_.empty())
        plan_ = quickSolution(board_);
    if (plan_.empty())
        return false;
    markHelped();
    hint_ = plan_.front();
    tell({SessionChange::Hint});
    return true;
}

std::optional<Session::Question> Session::betterHintQuestion() const
{
    if (!hint_ || board_.mode() != Mode::Slide || board_.size() != 4
        || !hasOptimalSolution(board_.size(), board_.mode()))
        return std::nullopt;
    return Question{board_, generation_};
}

void Session::betterHint(int generation, const Moves& best)
{
    if (generation != generation_ || !hint_ || best.empty() || !running())
        return;
    plan_ = best;
    hint_ = plan_.front();
    tell({SessionChange::Hint});
}

bool Session::solve()
{
    if (!running() || paused_)
        return false;
    stopSolving();
    if (plan_.empty())
        plan_ = quickSolution(board_);
    if (plan_.empty())
        return false;
    markHelped();
    dropHint();
    if (board_.selected() >= 0)
        board_.deselect();
    setCursor(-1);
    // A few moves a second; a long solution faster, so that it is done
    // within SolveMilliseconds.
    solveEach_ = std::min<double>(SlowestStep, double(SolveMilliseconds) / double(plan_.size()));
    solveFrom_ = milliseconds();
    solveStep_ = 0;
    solving_ = true;
    tell({SessionChange::Solving});
    return true;
}

void Session::markHelped()
{
    if (helped_)
        return;
    helped_ = true;
    tell({SessionChange::Helped});
}

void Session::stopSolving()
{
    if (!solving_)
        return;
    solving_ = false;
    tell({SessionChange::Solving});
}

void Session::dropHint()
{
    if (!hint_)
        return;
    hint_.reset();
    tell({SessionChange::Hint});
}

void Session::setCursor(int place)
{
    if (place >= board_.places())
        place = -1;
    if (place == cursor_)
        return;
    cursor_ = place;
    tell({SessionChange::Cursor});
}

std::optional<Score> Session::championsEntry() const
{
    if (!result_ || result_->helped)
        return std::nullopt;
    return result_;
}

Snapshot Session::snapshot() const
{
    Snapshot s;
    s.size = board_.size();
    s.mode = board_.mode();
    s.pieces = board_.arrangement();
    s.moves = board_.moves();
    s.seconds = seconds();
    s.helped = helped_;
    s.undo = undo_;
    s.redo = redo_;
    return s;
}

bool Session::restore(const Snapshot& s)
{
    Board check;
    if (!check.restore(s.size, s.mode, s.pieces, s.moves))
        return false;
    // The lists must lead back and forth over boards the game went through.
    bool listsFit = int(s.undo.size() + s.redo.size()) <= UndoDepth;
    Board back = check;
    for (auto it = s.undo.rbegin(); listsFit && it != s.undo.rend(); ++it) {
        listsFit = fits(back, *it, false) && !back.locked();
        if (listsFit)
            applyTo(back, *it, false);
    }
    // No undo leads into the whole picture: the game would have ended there.
    listsFit = listsFit && !back.locked();
    Board ahead = check;
    for (auto it = s.redo.rbegin(); listsFit && it != s.redo.rend(); ++it) {
        listsFit = fits(ahead, *it, true) && !ahead.locked();
        if (listsFit)
            applyTo(ahead, *it, true);
    }
    stopSolving();
    setCursor(-1);
    result_.reset();
    if (board_.selected() >= 0)
        board_.deselect();
    board_.restore(s.size, s.mode, s.pieces, s.moves);
    helped_ = s.helped;
    undo_ = listsFit ? s.undo : Moves{};
    redo_ = listsFit ? s.redo : Moves{};
    // A kept game goes on paused: the player comes back to it first.
    paused_ = true;
    restartClock(static_cast<long long>(std::max(0, s.seconds)) * 1000);
    lastSeconds_ = seconds();
    tell({SessionChange::Paused});
    tell({SessionChange::Seconds});
    tell({SessionChange::History});
    return true;
}

}  // namespace game
