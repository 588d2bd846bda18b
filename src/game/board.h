#pragma once
// The puzzle's rules, without any window: the board of N x N places, which
// piece each place holds, the empty place, the swap selection, the moves, and
// whether a game runs. The main window draws what this board tells it; a
// test, a solver or keyboard play drive the same object.
//
// Places are counted row by row from the top left: place k lies in row
// k div N and column k mod N. Piece p belongs at place p - 1; pieces are
// numbered from 1, and EmptyTag marks the empty place of slide mode.
//
// Of the window's game state this board keeps BoardLocked (locked()),
// EmptyIndex (emptyPlace()), PickCount and FirstPick (selected()) and the
// move count (moves()). The clock stays with the window.

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace game {

inline constexpr int MaxSide = 8;
inline constexpr int MaxPlaces = MaxSide * MaxSide;  // 64 places, enough for 8 x 8

// The tag of the empty place: no piece. It counts 0 in the solution test.
inline constexpr int16_t EmptyTag = 0;

// The stored Mode: 0 slide, any other value swap.
enum class Mode : int16_t { Slide = 0, Swap = 1 };

// What a board tells its listeners.
struct Change {
    enum Kind {
        Exchanged,  // places a and b exchanged their pieces (slide: a is now the empty place)
        Selected,   // swap mode: place a is selected, or a = -1 when the selection was let go
        Solved,     // the last press restored the picture; the board is locked
        Shuffled,   // the walk has scrambled the board and a game runs
        Arranged,   // a new game (every piece at home) or a restored arrangement
    } kind;
    int a = -1;
    int b = -1;
};

// What a press on a place did.
enum class Press {
    Ignored,     // no game runs, or the place is off the board: nothing, not even the test
    Nothing,     // slide mode: not a neighbour of the empty place; the solution test ran
    Slid,        // slide mode: the piece moved into the empty place; one move
    Selected,    // swap mode: the piece is selected; the solution test ran
    Deselected,  // swap mode: the selected piece pressed again and let go; no test
    Exchanged,   // swap mode: the piece exchanged with the selected one; one move
};

class Board {
public:
    enum class State {
        Ordered,  // after a new game: the picture complete, locked
        Playing,  // after the shuffle or a restore: presses count
        Solved,   // after the solving press: locked, the moves stay
    };
    // One draw of the program's random generator, uniform in [0, 1).
    using Draw = std::function<double()>;
    using Listener = std::function<void(const Change&)>;

    // A new 5 x 5 slide game, locked.
    Board();

    // Every piece at its home place, locked, no moves, no selection. The
    // empty place is the last one, still holding its piece: the picture is
    // complete in both modes. False (and the board unchanged) when size is
    // not 1 to MaxSide.
    bool newGame(int size, Mode mode);

    // The random walk of the empty place: exactly N^4 steps that stay on the
    // board, one draw each (a draw that would leave the board is not
    // counted). Slide mode: each step slides the piece of the target place
    // into the empty place, and the place where the walk ends becomes the
    // empty place. Swap mode: each step exchanges the two places. The
    // selection is kept. Then a game runs with no moves. False (and the board
    // unchanged) for a board of fewer than 2 places a side, which has nowhere
    // to walk to.
    bool shuffle(const Draw& draw);

    // The same walk, walked again from where it ended, drawing on, while
    // walkAgain says the board it made is no puzzle (at most MaxWalks walks
    // in all, so that a generator that keeps bringing the board back cannot
    // hold the game). Listeners hear Shuffled once, at the end.
    using Judge = std::function<bool(const Board&)>;
    static constexpr int MaxWalks = 1000;
    bool shuffle(const Draw& draw, const Judge& walkAgain);

    // A press on a place under the rules of the mode, then (unless the press
    // was ignored or let go of the selection) the solution test: a solved
    // board is locked.
    Press press(int place);

    // Lets go of the swap selection.
    void deselect();

    // Takes a kept arrangement (pieces[k] = the piece at place k, EmptyTag for
    // the empty place) as a running game with that many moves, no selection.
    // Swap mode: the pieces are 1 to N², each once. Slide mode: 1 to N² - 1
    // each once and one EmptyTag, arranged so that slide moves can solve it.
    // False (and the board unchanged) for anything else.
    bool restore(int size, Mode mode, const std::vector<int>& pieces, int moves);

    int size() const { return n_; }
    int places() const { return n_ * n_; }
    Mode mode() const { return mode_; }
    State state() const { return state_; }
    // BoardLocked: no game runs, presses are ignored.
    bool locked() const { return state_ != State::Playing; }
    // The piece at a place, EmptyTag for the empty place or a place off the board.
    int pieceAt(int place) const;
    // pieceAt of every place, 0 to N² - 1.
    std::vector<int> arrangement() const;
    // EmptyIndex. In swap mode, where the shuffle's walk ended.
    int emptyPlace() const { return empty_; }
    // Swap mode: the selected place, or -1.
    int selected() const { return selected_; }
    int moves() const { return moves_; }
    // Every place from 0 to N² - 2 holds its own piece; the last place is
    // not examined.
    bool solved() const;
    // Slide mode: whether a press on the place would move its piece, being one
    // of the four neighbours of the empty place by row and column.
    bool slides(int place) const;
    // N^4: the counted steps of the shuffle's walk.
    long long walkSteps() const { return static_cast<long long>(places()) * places(); }
    // One draw u of the walk: d = integer part of u x 4 picks left, right, up
    // or down, applied to the walking empty place at column x, row y when it
    // stays on an n x n board. The place it moves to, or -1 when the draw
    // would leave the board (x and y unchanged).
    static int walkTarget(int n, double u, int& x, int& y);

    // Adds a listener, told of each change once the board is complete again
    // (a press that exchanges tells Exchanged, then Selected, then Solved).
    // Listeners stay with the board they were added to: a copy (a solver's
    // look ahead) starts with none, and a board assigned to keeps its own.
    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    void tell(Change change) const;
    void walk(const Draw& draw);
    bool onBoard(int place) const { return place >= 0 && place < places(); }

    int n_ = 5;
    Mode mode_ = Mode::Slide;
    State state_ = State::Ordered;
    std::array<int16_t, MaxPlaces> tag_{};
    int empty_ = 0;
    int selected_ = -1;
    int moves_ = 0;
    struct Listeners : std::vector<Listener> {
        Listeners() = default;
        Listeners(const Listeners&) : std::vector<Listener>() {}
        Listeners& operator=(const Listeners&) { return *this; }
    };
    Listeners listeners_;
};

}  // namespace game
