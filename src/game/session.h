#pragma once
// The game in progress, without any window: the board, the game's clock with
// pause, the moves to undo and redo, the help given (hint and Solve) and the
// rule which games may enter the champions list, the keys' directions and the
// score of a solved game. The main window forwards the player's presses and
// keys here and draws what the session tells it; a test drives the same
// object with a clock of its own.
//
// The clock runs only while a game runs, is not paused by the player and is
// not held by a window of the game standing over the room. Solve's moves are
// stepped by tick() on the same clock, so that they stop whenever it stops.
//
// A line slide: in slide mode a press on any piece in the empty place's row
// or column slides every piece between it and the empty place one place
// towards it, nearest first; each piece moved is a move. Undo puts back the
// last press (a whole line, or an exchange) by moving the pieces back, which
// counts as moves like any others; redo makes it again.

#include "game/board.h"
#include "game/solver.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace game {

// Milliseconds from any fixed point; only differences count.
using Clock = std::function<int64_t()>;

// The keys the board takes while a game runs.
enum class Key { Left, Right, Up, Down, Space, Hint, Pause, Escape, Other };

// The result of a solved game.
struct Score {
    int seconds = 0;
    int moves = 0;
    bool helped = false;
    // The champions list's form: seconds and moves, five digits each.
    std::string text() const;
};

// A game in progress as plain values, for the kept game's file. The undo
// list runs oldest first (its last entry is undone first); so does redo
// (its last entry is redone first). An entry is a press: in slide mode a is
// the place pressed and b the empty place before it; in swap mode the two
// places exchanged.
struct Snapshot {
    int size = 0;
    Mode mode = Mode::Slide;
    std::vector<int> pieces;
    int moves = 0;
    int seconds = 0;
    bool helped = false;
    Moves undo;
    Moves redo;
    bool operator==(const Snapshot&) const = default;
};

// What a session tells its listeners.
struct SessionChange {
    enum Kind {
        Board,     // the board told `board`
        Pressed,   // a press or key of the player, Solve, undo or redo: `press` says what it did
        Seconds,   // seconds() changed
        Paused,    // paused() or held() changed
        Hint,      // shownHint() is another move, or none
        Cursor,    // swap mode's keyboard cursor moved (cursor(), -1 hidden)
        Solving,   // Solve began or ended
        History,   // canUndo() or canRedo() may have changed
        Finished,  // the picture is whole: result() holds the score
        Helped,    // the game's first hint or Solve: it cannot enter the champions list
    } kind;
    Change board{Change::Arranged};
    Press press = Press::Ignored;
};

class Session {
public:
    using Listener = std::function<void(const SessionChange&)>;

    // Undo reaches back this many presses at most; older ones are forgotten.
    static constexpr int UndoDepth = 200;
    // Solve plays its moves within this time, however many there are, and
    // never slower than SlowestStep a move.
    static constexpr int SolveMilliseconds = 10000;
    static constexpr int SlowestStep = 330;
    // tick() is wanted at most this often while Solve plays, so that each
    // drawing shows the pieces moving: a quicker pace makes several moves a tick.
    static constexpr int FrameMilliseconds = 20;

    explicit Session(Clock clock);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A new game: every piece at home, locked, the clock at 0. False for a
    // size the board does not take.
    bool newGame(int size, Mode mode);
    // The shuffle (a puzzle, never near solved); the game runs and its clock
    // starts. False when the board cannot be shuffled.
    bool start(const Board::Draw& draw);
    // A press on a place: the board's rules, and in slide mode the line
    // slide. A press stops Solve first. Ignored while paused.
    Press press(int place);
    // A key; true when the session took it (the window passes others on).
    // While paused any key goes on; while Solve plays any key stops it.
    // Escape lets go of swap mode's selection, and is passed on without one.
    bool key(Key k);
    // Whether giving the game up (a new game, another size, mode or picture,
    // the end) must ask the player first: a game runs with a move made.
    bool asksBeforeAbandoning() const { return running() && moves() > 0; }

    bool canUndo() const;
    bool canRedo() const;
    // False when there is nothing to undo or redo, or no game runs.
    bool undo();
    bool redo();

    // The player's pause: the clock and Solve stand. Only while a game runs.
    void pause();
    void resume();
    bool paused() const { return paused_; }
    // A window of the game over the room: the clock and Solve stand until
    // it closes. Kept apart from the player's pause.
    void hold(bool held);
    bool held() const { return held_; }

    // The clock's and Solve's due work; then when tick() is wanted next, in
    // milliseconds from now, or -1 while the clock stands.
    void tick();
    int due() const;

    // Help: the next move shown (until the board changes), or Solve playing
    // the rest. Either marks the game as helped. False when no game runs or
    // the board is solved.
    bool hint();
    bool solve();
    void stopSolving();
    bool solving() const { return solving_; }
    std::optional<Move> shownHint() const { return hint_; }
    // The 4 x 4 slide board's shortest way may begin with another move than
    // the hint: a board and its generation to ask the search about, while a
    // hint is shown and the search answers for the board.
    struct Question {
        Board board;
        int generation = 0;
    };
    std::optional<Question> betterHintQuestion() const;
    // The search's answer: its first move shown, and the rest kept for
    // Solve, when the board is still the one asked about.
    void betterHint(int generation, const Moves& best);

    // Swap mode's keyboard cursor, -1 while hidden.
    int cursor() const { return cursor_; }

    const Board& board() const { return board_; }
    bool running() const { return !board_.locked(); }
    int moves() const { return board_.moves(); }
    long long milliseconds() const;
    int seconds() const { return static_cast<int>(milliseconds() / 1000); }
    bool helped() const { return helped_; }
    // The score of the game solved last; nothing while one runs or after a
    // new game.
    std::optional<Score> result() const { return result_; }
    // The score when it may enter the champions list (no help was had).
    std::optional<Score> championsEntry() const;

    // The game as it stands, and back: a running game with its moves,
    // seconds, help and undo list, paused. False (the session unchanged) for
    // anything the board does not take (the kept game's file never holds a
    // solved board; a solved one runs until the next press, as after a walk
    // that ended at home); undo and redo lists that do not fit the board are
    // dropped.
    Snapshot snapshot() const;
    bool restore(const Snapshot& snapshot);

    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }
    // Listens to the board itself (the window's accessible table does).
    void listenBoard(Board::Listener listener) { board_.listen(std::move(listener)); }

private:
    bool clockRuns() const { return running() && !paused_ && !held_; }
    // After anything that may start or stop the clock: the time since it was
    // last read counted as it ran until now, and whether it runs from now on.
    void sync();
    void restartClock(long long played);
    void tell(SessionChange change) const;
    // A press by the player, Solve, undo or redo: the line slide in slide
    // mode. Returns what the board did (Slid when any piece moved).
    Press act(int place, bool remember);
    // A move of the undo list made again (forward) or put back.
    Press apply(const Move& entry, bool forward);
    void remember(const Move& entry);
    void afterPress(Press p);
    void boardChanged(const Change& change);
    void dropHint();
    void markHelped();
    void setCursor(int place);

    Clock clock_;
    Board board_;
    int64_t since_ = 0;          // the clock's reading when it was last read
    long long played_ = 0;       // milliseconds played until then
    bool ticking_ = false;       // whether the game's clock has run since then
    bool paused_ = false;
    bool held_ = false;
    bool helped_ = false;
    int cursor_ = -1;
    int generation_ = 0;         // counts the board's changes, for the search's answers
    std::optional<Move> hint_;
    Moves plan_;                 // a solution of the board as it stands
    bool solving_ = false;
    long long solveFrom_ = 0;    // milliseconds() when Solve began
    size_t solveStep_ = 0;
    double solveEach_ = 0;
    Moves undo_;
    Moves redo_;
    std::optional<Score> result_;
    int lastSeconds_ = 0;
    std::vector<Listener> listeners_;
};

}  // namespace game
