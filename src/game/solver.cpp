#include "game/solver.h"

#include "game/tiles.h"

#include <algorithm>
#include <cstdlib>

namespace game {

namespace detail {

namespace {

// The longest run of increasing values that keeps their order: the pieces of
// a line that need not leave it to let the others pass.
int longestIncreasing(const int* values, int count)
{
    int best[MaxSide];  // best[l]: the smallest end of an increasing run of l + 1
    int length = 0;
    for (int i = 0; i < count; ++i) {
        const int at = static_cast<int>(std::lower_bound(best, best + length, values[i]) - best);
        best[at] = values[i];
        length = std::max(length, at + 1);
    }
    return length;
}

}  // namespace

int slideLowerBound(const Tiles& t)
{
    const int n = t.n;
    const int last = t.places() - 1;
    int bound = 0;
    for (int k = 0; k <= last; ++k) {
        const int h = t.home[k];
        if (h != last)
            bound += std::abs(h / n - k / n) + std::abs(h % n - k % n);
    }
    // Each line: of its pieces that belong in it, all but an ordered run must
    // step out of the line and back to let the others pass.
    int values[MaxSide];
    for (int line = 0; line < n; ++line) {
        int inRow = 0, inColumn = 0;
        for (int i = 0; i < n; ++i) {
            const int r = t.home[line * n + i];
            if (r != last && r / n == line)
                values[inRow++] = r % n;
        }
        bound += 2 * (inRow - longestIncreasing(values, inRow));
        for (int i = 0; i < n; ++i) {
            const int c = t.home[i * n + line];
            if (c != last && c % n == line)
                values[inColumn++] = c / n;
        }
        bound += 2 * (inColumn - longestIncreasing(values, inColumn));
    }
    return bound;
}

}  // namespace detail

namespace {

using detail::Tiles;

// Each exchange puts one piece home, and the last exchange of a cycle two:
// places minus cycles in all, the fewest there can be.
Moves swapSolution(Tiles t)
{
    std::array<int, MaxPlaces> at{};  // at[h]: the place holding the piece of home h
    for (int k = 0; k < t.places(); ++k)
        at[t.home[k]] = k;
    Moves moves;
    for (int k = 0; k < t.places(); ++k) {
        if (t.home[k] == k)
            continue;
        const int from = at[k];
        moves.push_back({k, from});
        at[t.home[k]] = from;
        std::swap(t.home[k], t.home[from]);
    }
    return moves;
}

int cycles(const Tiles& t)
{
    std::array<bool, MaxPlaces> seen{};
    int count = 0;
    for (int k = 0; k < t.places(); ++k) {
        if (seen[k])
            continue;
        ++count;
        for (int j = k; !seen[j]; j = t.home[j])
            seen[j] = true;
    }
    return count;
}

}  // namespace

Moves quickSolution(const Board& board)
{
    const Tiles t = Tiles::of(board);
    if (board.mode() == Mode::Swap)
        return swapSolution(t);
    if (t.n <= 3)
        return detail::smallSlideSolution(t);
    return detail::reduceSlide(t);
}

std::optional<Move> quickHint(const Board& board)
{
    const Moves moves = quickSolution(board);
    if (moves.empty())
        return std::nullopt;
    return moves.front();
}

bool hasOptimalSolution(int size, Mode mode)
{
    return mode == Mode::Swap || size <= 4;
}

std::optional<Moves> optimalSolution(const Board& board, const std::atomic<bool>* cancel)
{
    if (!hasOptimalSolution(board.size(), board.mode()))
        return std::nullopt;
    const Tiles t = Tiles::of(board);
    if (board.mode() == Mode::Swap)
        return swapSolution(t);
    if (t.n <= 3)
        return detail::smallSlideSolution(t);
    Moves moves;
    if (!detail::patternSearch(t, cancel, moves))
        return std::nullopt;
    return moves;
}

int lowerBound(const Board& board)
{
    const Tiles t = Tiles::of(board);
    if (board.mode() == Mode::Swap)
        return t.places() - cycles(t);
    return detail::slideLowerBound(t);
}

std::optional<int> exactDistance(const Board& board)
{
    const Tiles t = Tiles::of(board);
    if (board.mode() == Mode::Swap)
        return t.places() - cycles(t);
    if (t.n <= 3)
        return detail::smallSlideDistance(t);
    return std::nullopt;
}

}  // namespace game
