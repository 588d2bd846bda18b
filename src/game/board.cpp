#include "game/board.h"

#include <cmath>

namespace game {

namespace {

// Whether slide moves can bring the pieces home with the empty place last.
// A horizontal move keeps the order of the pieces read row by row; a
// vertical one passes N - 1 pieces, so with N odd the number of inversions
// keeps its parity, and with N even its parity changes with the empty
// place's row.
bool slideSolvable(int n, const std::vector<int>& pieces)
{
    int inversions = 0;
    int emptyRow = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i] == EmptyTag) {
            emptyRow = static_cast<int>(i) / n;
            continue;
        }
        for (size_t j = i + 1; j < pieces.size(); ++j)
            inversions += pieces[j] != EmptyTag && pieces[j] < pieces[i];
    }
    if (n % 2 == 1)
        return inversions % 2 == 0;
    return (inversions + (n - 1 - emptyRow)) % 2 == 0;
}

}  // namespace

int Board::walkTarget(int n, double u, int& x, int& y)
{
    const int d = static_cast<int>(std::floor(u * 4));
    if (d == 0 && x > 0)
        --x;
    else if (d == 1 && x < n - 1)
        ++x;
    else if (d == 2 && y > 0)
        --y;
    else if (d == 3 && y < n - 1)
        ++y;
    else
        return -1;
    return y * n + x;
}

Board::Board()
{
    newGame(5, Mode::Slide);
}

bool Board::newGame(int size, Mode mode)
{
    if (size < 1 || size > MaxSide)
        return false;
    n_ = size;
    mode_ = mode;
    for (int k = 0; k < MaxPlaces; ++k)
        tag_[k] = static_cast<int16_t>(k < places() ? k + 1 : EmptyTag);
    empty_ = places() - 1;
    selected_ = -1;
    moves_ = 0;
    state_ = State::Ordered;
    tell({Change::Arranged});
    return true;
}

bool Board::shuffle(const Draw& draw)
{
    return shuffle(draw, {});
}

bool Board::shuffle(const Draw& draw, const Judge& walkAgain)
{
    if (n_ < 2)
        return false;
    moves_ = 0;
    state_ = State::Playing;
    walk(draw);
    for (int walks = 1; walkAgain && walks < MaxWalks && walkAgain(*this); ++walks)
        walk(draw);
    tell({Change::Shuffled});
    return true;
}

void Board::walk(const Draw& draw)
{
    int x = empty_ % n_, y = empty_ / n_;
    // Counted as the game counts them: in floating point.
    const double steps = static_cast<double>(walkSteps());
    for (double s = 0; s < steps;) {
        const int t = walkTarget(n_, draw(), x, y);
        if (t < 0)
            continue;
        // Slide mode: the walking empty place takes the piece of t, and t
        // keeps its own until the next step overwrites it; the last place's
        // piece, which the complete picture showed, leaves the board.
        // Swap mode: the two places exchange.
        if (mode_ == Mode::Swap)
            std::swap(tag_[empty_], tag_[t]);
        else
            tag_[empty_] = tag_[t];
        empty_ = t;
        s = s + 1;
    }
    if (mode_ == Mode::Slide)
        tag_[empty_] = EmptyTag;
}

Press Board::press(int place)
{
    if (locked() || !onBoard(place))
        return Press::Ignored;
    // The board is changed in full before anyone is told.
    Press result = Press::Nothing;
    std::array<Change, 3> told{};
    int count = 0;
    if (mode_ == Mode::Slide) {
        if (slides(place)) {
            const int was = empty_;
            tag_[was] = tag_[place];
            tag_[place] = EmptyTag;
            empty_ = place;
            ++moves_;
            result = Press::Slid;
            told[count++] = {Change::Exchanged, place, was};
        }
    } else if (selected_ < 0) {
        selected_ = place;
        result = Press::Selected;
        told[count++] = {Change::Selected, place};
    } else if (selected_ == place) {
        deselect();
        return Press::Deselected;
    } else {
        const int first = selected_;
        std::swap(tag_[place], tag_[first]);
        selected_ = -1;
        ++moves_;
        result = Press::Exchanged;
        told[count++] = {Change::Exchanged, place, first};
        told[count++] = {Change::Selected, -1};
    }
    if (solved()) {
        state_ = State::Solved;
        told[count++] = {Change::Solved};
    }
    for (int i = 0; i < count; ++i)
        tell(told[i]);
    return result;
}

void Board::deselect()
{
    selected_ = -1;
    tell({Change::Selected, -1});
}

bool Board::restore(int size, Mode mode, const std::vector<int>& pieces, int moves)
{
    if (size < 1 || size > MaxSide || moves < 0 || int(pieces.size()) != size * size)
        return false;
    // Swap mode: pieces 1 to N². Slide mode: 1 to N² - 1 and the empty tag.
    const int n2 = size * size;
    const int first = mode == Mode::Slide ? EmptyTag : 1;
    const int last = mode == Mode::Slide ? n2 - 1 : n2;
    std::vector<bool> seen(n2 + 1, false);
    int empty = -1;
    for (int k = 0; k < n2; ++k) {
        const int p = pieces[k];
        if (p < first || p > last || seen[p])
            return false;
        seen[p] = true;
        if (p == EmptyTag)
            empty = k;
    }
    if (mode == Mode::Slide && !slideSolvable(size, pieces))
        return false;
    n_ = size;
    mode_ = mode;
    tag_.fill(EmptyTag);
    for (int k = 0; k < n2; ++k)
        tag_[k] = static_cast<int16_t>(pieces[k]);
    empty_ = empty >= 0 ? empty : n2 - 1;
    selected_ = -1;
    moves_ = moves;
    state_ = State::Playing;
    tell({Change::Arranged});
    return true;
}

int Board::pieceAt(int place) const
{
    return onBoard(place) ? tag_[place] : EmptyTag;
}

std::vector<int> Board::arrangement() const
{
    return std::vector<int>(tag_.begin(), tag_.begin() + places());
}

bool Board::solved() const
{
    const int last = places() - 1;
    for (int k = 0; k < last; ++k) {
        if (tag_[k] != k + 1)
            return false;
    }
    return true;
}

bool Board::slides(int place) const
{
    if (mode_ != Mode::Slide || !onBoard(place))
        return false;
    const int xE = empty_ % n_, yE = empty_ / n_;
    const int xK = place % n_, yK = place / n_;
    return ((xK == xE + 1 || xK == xE - 1) && yK == yE) || ((yK == yE + 1 || yK == yE - 1) && xK == xE);
}

void Board::tell(Change change) const
{
    for (const Listener& listener : listeners_)
        listener(change);
}

}  // namespace game
