// The quick solution of a slide board larger than 3 x 3: the top row or the
// left column of the part still unsolved is put home piece by piece, until
// the last 3 x 3 remains, which the table finishes in the fewest moves. Each
// piece takes the fewest slides that bring it home without disturbing the
// pieces already home; the last two of a line go in together by the usual
// turn at the corner.

#include "game/tiles.h"


namespace game::detail {

namespace {

using Mask = uint64_t;

Mask bit(int place)
{
    return Mask{1} << place;
}

class Reduction {
public:
    explicit Reduction(Tiles t) : t_(t), n_(t.n) {}

    // The part still unsolved runs from row top and column left to the
    // bottom right. While it is larger than 3 x 3, its top row or its left
    // column goes home, whichever takes fewer slides.
    Moves run()
    {
        for (int top = 0, left = 0; n_ - top > 3 || n_ - left > 3;) {
            Reduction byRow = *this, byColumn = *this;
            const bool row = n_ - top > 3 && byRow.line(top * n_ + left, 1, n_ - left);
            const bool column = n_ - left > 3 && byColumn.line(top * n_ + left, n_, n_ - top);
            if (!row && !column)
                return moves_;
            if (row && (!column || byRow.moves_.size() <= byColumn.moves_.size())) {
                *this = std::move(byRow);
                ++top;
            } else {
                *this = std::move(byColumn);
                ++left;
            }
        }
        finish();
        return moves_;
    }

private:
    // A slide that takes back the one before it cancels it: where one
    // piece's way ends and the next one's begins, the empty place often
    // turns back.
    void slide(int place)
    {
        if (!moves_.empty() && moves_.back().a == t_.blank && moves_.back().b == place)
            moves_.pop_back();
        else
            moves_.push_back({place, t_.blank});
        t_.slide(place);
    }

    // The pieces of a line of count places from first, each step places
    // apart (1: a row, n: a column), put home. Each place across the line
    // from it (the next row, or the next column) is free.
    bool line(int first, int step, int count)
    {
        const int across = step == 1 ? n_ : 1;
        for (int i = 0; i < count - 2; ++i) {
            const int place = first + i * step;
            if (!bring(place, place))
                return false;
            fixed_ |= bit(place);
        }
        const int a = first + (count - 2) * step;  // the last but one
        const int b = a + step;                     // the last, at the corner
        if (t_.home[a] != a || t_.home[b] != b) {
            // a's piece to the corner, b's piece beside it across the line,
            // the empty place to a: then both move in.
            if (!bring(a, b))
                return false;
            fixed_ |= bit(b);
            if (bring(b, b + across)) {
                fixed_ |= bit(b + across);
                if (!walkBlank(a))
                    return false;
                slide(b);
                slide(b + across);
                fixed_ &= ~bit(b + across);
            } else {
                // b's piece, or the empty place with b's piece beside it, is
                // shut in at a, where nothing can pass: both pieces are
                // turned home in the corner.
                fixed_ &= ~bit(b);
                if (!corner(a, b, step, across))
                    return false;
            }
        }
        fixed_ |= bit(a) | bit(b);
        return true;
    }

    // Brings the piece whose home is `home` to place `to`, the empty place
    // walking round it, in the fewest slides that leave the fixed places
    // alone: a breadth first search over where the piece and the empty
    // place stand.
    bool bring(int home, int to)
    {
        int from = 0;
        while (t_.home[from] != home)
            ++from;
        if (from == to)
            return true;
        const int p = t_.places();
        auto index = [p](int piece, int blank) { return piece * p + blank; };
        std::array<int16_t, MaxPlaces * MaxPlaces> parent;
        std::fill(parent.begin(), parent.begin() + p * p, int16_t(-1));
        std::array<int16_t, MaxPlaces * MaxPlaces> queue;
        int head = 0, tail = 0;
        const int start = index(from, t_.blank);
        parent[start] = static_cast<int16_t>(start);
        queue[tail++] = static_cast<int16_t>(start);
        int goal = -1;
        while (head < tail && goal < 0) {
            const int s = queue[head++];
            const int piece = s / p, blank = s % p;
            for (int k : neighbours(n_, blank)) {
                if (k < 0 || (fixed_ & bit(k)))
                    continue;
                const int next = index(k == piece ? blank : piece, k);
                if (parent[next] >= 0)
                    continue;
                parent[next] = static_cast<int16_t>(s);
                queue[tail++] = static_cast<int16_t>(next);
                if (next / p == to) {
                    goal = next;
                    break;
                }
            }
        }
        if (goal < 0)
            return false;
        // The empty place's path, from the end back, then played forward.
        std::vector<int> path;
        for (int s = goal; s != start; s = parent[s])
            path.push_back(s % p);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            slide(*it);
        return true;
    }

    // a's piece at the corner b and b's piece shut in at a or beside it:
    // the fewest slides that bring both home within the three places of the
    // line up to the corner and the two lines across from them, over where
    // the two pieces and the empty place stand.
    bool corner(int a, int b, int step, int across)
    {
        std::array<int, 9> cells{};
        int count = 0;
        for (int i = 0; i < 3; ++i)
            for (int place : {a - step, a, b})
                if (!(fixed_ & bit(place + i * across)))
                    cells[count++] = place + i * across;
        auto slot = [&](int place) {
            for (int i = 0; i < count; ++i)
                if (cells[i] == place)
                    return i;
            return -1;
        };
        auto index = [count](int pa, int pb, int blank) { return (pa * count + pb) * count + blank; };
        std::array<int16_t, 9 * 9 * 9> parent;
        parent.fill(-1);
        std::array<int16_t, 9 * 9 * 9> queue;
        int head = 0, tail = 0;
        if (slot(t_.blank) < 0) {
            fixed_ |= bit(a) | bit(b);
            const bool reached = walkBlank(a + across);
            fixed_ &= ~(bit(a) | bit(b));
            if (!reached)
                return false;
        }
        int at[2] = {-1, -1};
        for (int k = 0; k < count; ++k)
            for (int i = 0; i < 2; ++i)
                if (t_.home[cells[k]] == (i == 0 ? a : b))
                    at[i] = k;
        if (at[0] < 0 || at[1] < 0)
            return false;
        const int start = index(at[0], at[1], slot(t_.blank));
        const int home = index(slot(a), slot(b), 0);
        int goal = -1;
        parent[start] = static_cast<int16_t>(start);
        queue[tail++] = static_cast<int16_t>(start);
        while (head < tail && goal < 0) {
            const int s = queue[head++];
            const int pa = s / (count * count), pb = s / count % count, blank = s % count;
            if (s - blank == home) {
                goal = s;
                break;
            }
            for (int place : neighbours(n_, cells[blank])) {
                const int k = place < 0 ? -1 : slot(place);
                if (k < 0)
                    continue;
                const int next = index(k == pa ? blank : pa, k == pb ? blank : pb, k);
                if (parent[next] >= 0)
                    continue;
                parent[next] = static_cast<int16_t>(s);
                queue[tail++] = static_cast<int16_t>(next);
            }
        }
        if (goal < 0)
            return false;
        std::vector<int> path;
        for (int s = goal; s != start; s = parent[s])
            path.push_back(cells[s % count]);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            slide(*it);
        return true;
    }

    // The empty place to `to` by the shortest way round the fixed places.
    bool walkBlank(int to)
    {
        const int p = t_.places();
        std::array<int8_t, MaxPlaces> parent;
        std::fill(parent.begin(), parent.begin() + p, int8_t(-1));
        std::array<int8_t, MaxPlaces> queue;
        int head = 0, tail = 0;
        parent[t_.blank] = static_cast<int8_t>(t_.blank);
        queue[tail++] = static_cast<int8_t>(t_.blank);
        while (head < tail && parent[to] < 0) {
            const int s = queue[head++];
            for (int k : neighbours(n_, s)) {
                if (k < 0 || (fixed_ & bit(k)) || parent[k] >= 0)
                    continue;
                parent[k] = static_cast<int8_t>(s);
                queue[tail++] = static_cast<int8_t>(k);
            }
        }
        if (parent[to] < 0)
            return false;
        std::vector<int> path;
        for (int s = to; s != t_.blank; s = parent[s])
            path.push_back(s);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            slide(*it);
        return true;
    }

    // The last 3 x 3, at the bottom right, by the table.
    void finish()
    {
        const int o = n_ - 3;  // its first row and column
        Tiles small;
        small.n = 3;
        for (int k = 0; k < 9; ++k) {
            const int place = (o + k / 3) * n_ + o + k % 3;
            const int h = t_.home[place];
            small.home[k] = static_cast<uint8_t>((h / n_ - o) * 3 + h % n_ - o);
            if (place == t_.blank)
                small.blank = k;
        }
        auto placeOf = [&](int k) { return (o + k / 3) * n_ + o + k % 3; };
        for (const Move& m : smallSlideSolution(small))
            slide(placeOf(m.a));
    }

    Tiles t_;
    int n_;
    Mask fixed_ = 0;
    Moves moves_;
};

}  // namespace

Moves reduceSlide(Tiles t)
{
    return Reduction(t).run();
}

}  // namespace game::detail
