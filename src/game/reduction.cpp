// The quick solution of a slide board larger than 3 x 3: the top row or the
// left column of the part still unsolved is put home, until the last 3 x 3
// remains (or the last 4 x 4, when the pattern tables are built), which is
// finished in the fewest or nearly the fewest moves. A line goes home a
// few pieces at a time (the last two of a line always together): a weighted
// A* search over where those pieces and the empty place stand, round the
// pieces already home, finds a short way for them together; the other
// pieces of the unsolved part do not matter to it. A search that grows too
// large is left for smaller groups, down to one piece, whose ways are found
// in full.

#include "game/tiles.h"

#include <algorithm>
#include <cstdlib>
#include <queue>

namespace game::detail {

namespace {

using Mask = uint64_t;

Mask bit(int place)
{
    return Mask{1} << place;
}

// The pieces that go home together, at most: a whole line up to 5 x 5, three
// at a time on larger boards, where a line's search would grow too large.
// The search weighs its estimate three times the slides made (f = 2 g + 6 h,
// in halves; twice up to 5 x 5) and gives up after NodeLimit states (fewer on
// the largest boards, whose groups more often lose their way). The last
// 4 x 4 is finished by the weighted pattern search (one and a half times)
// when its tables are built.
constexpr int Group = 6;
constexpr int LargeGroup = 3;
constexpr int WeightHalves = 6;
constexpr int SmallWeightHalves = 4;
constexpr int NodeLimit = 20000;
constexpr int LargeNodeLimit = 6000;
constexpr int FourWeightHalves = 3;
constexpr int FourLimit = 20000;

// What one search has seen: a table of states by key, with their parent and
// slides made, reused by the thread's searches (a stamp tells this search's
// entries from old ones).
struct Seen {
    struct Entry {
        uint64_t key = 0;
        uint32_t stamp = 0;
        int32_t node = -1;
    };
    std::vector<Entry> table;
    uint32_t stamp = 0;
    struct Node {
        uint64_t key;
        int32_t parent;
        int16_t g;
    };
    std::vector<Node> nodes;

    void start(size_t capacity)
    {
        if (table.size() < capacity) {
            table.assign(capacity, Entry{});
            stamp = 0;
        }
        ++stamp;
        nodes.clear();
    }
    // The entry of key: this search's, or a free one to take.
    Entry& find(uint64_t key)
    {
        const size_t mask = table.size() - 1;
        size_t i = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;
        while (table[i].stamp == stamp && table[i].key != key)
            i = (i + 1) & mask;
        return table[i];
    }
};

class Reduction {
public:
    explicit Reduction(Tiles t) : t_(t), n_(t.n) {}

    // The part still unsolved runs from row top and column left to the
    // bottom right. While it is larger than 3 x 3, its top row or its left
    // column goes home, whichever takes fewer slides.
    Moves run()
    {
        for (int top = 0, left = 0; n_ - top > 3 || n_ - left > 3;) {
            if (n_ - top == 4 && n_ - left == 4 && finishFour())
                return moves_;
            Reduction byRow = *this, byColumn = *this;
            const bool row = n_ - top > 3 && byRow.line(top * n_ + left, 1, n_ - left);
            const bool column = n_ - left > 3 && byColumn.line(top * n_ + left, n_, n_ - top);
            if (!row && !column)
                return moves_;
            if (row && (!column || byRow.cost() <= byColumn.cost())) {
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
    // The slides made, and at least those left.
    int cost() const { return int(moves_.size()) + (n_ <= 5 ? slideLowerBound(t_) : 0); }

    // A slide that takes back the one before it cancels it.
    void slide(int place)
    {
        if (!moves_.empty() && moves_.back().a == t_.blank && moves_.back().b == place)
            moves_.pop_back();
        else
            moves_.push_back({place, t_.blank});
        t_.slide(place);
    }

    // The pieces of a line of count places from first, each step places
    // apart (1: a row, n: a column), put home, a group at a time; the last
    // group holds at least the last two.
    bool line(int first, int step, int count)
    {
        const int most = n_ <= 5 ? Group : LargeGroup;
        for (int i = 0; i < count;) {
            const int left = count - i;
            const int size = left <= most ? left : left - most == 1 ? most - 1 : most;
            int homes[Group];
            for (int j = 0; j < size; ++j)
                homes[j] = first + (i + j) * step;
            if (!group(homes, size, n_ <= 5 ? SmallWeightHalves : WeightHalves, n_ >= 7 ? LargeNodeLimit : NodeLimit)) {
                // One at a time, the last two of the line together, in full.
                const int singles = i + size == count ? size - 2 : size;
                for (int j = 0; j < singles; ++j) {
                    if (!group(homes + j, 1, 2, 0))
                        return false;
                    fixed_ |= bit(homes[j]);
                }
                if (singles < size && !group(homes + singles, 2, 2, 0))
                    return false;
            }
            for (int j = 0; j < size; ++j)
                fixed_ |= bit(homes[j]);
            i += size;
        }
        return true;
    }

    // The pieces of the count homes brought home together, round the fixed
    // places: f = 2 g + weightHalves h, the estimate h the pieces' distances
    // from home and the empty place's way to the nearest piece not yet home.
    // With a limit, gives up (false, nothing moved) after that many states.
    bool group(const int* homes, int count, int weightHalves, int limit)
    {
        const int p = t_.places();
        int pos[Group + 1];
        for (int j = 0; j < count; ++j) {
            pos[j] = 0;
            while (t_.home[pos[j]] != homes[j])
                ++pos[j];
        }
        pos[count] = t_.blank;
        auto key = [count](const int* at) {
            uint64_t k = 0;
            for (int j = 0; j <= count; ++j)
                k = k << 6 | static_cast<uint64_t>(at[j]);
            return k;
        };
        auto unpack = [count](uint64_t k, int* at) {
            for (int j = count; j >= 0; --j, k >>= 6)
                at[j] = static_cast<int>(k & 63);
        };
        const int n = n_;
        auto estimate = [&](const int* at) {
            int h = 0, reach = 1 << 20;
            for (int j = 0; j < count; ++j) {
                if (at[j] == homes[j])
                    continue;
                h += std::abs(at[j] / n - homes[j] / n) + std::abs(at[j] % n - homes[j] % n);
                reach = std::min(reach, std::abs(at[j] / n - at[count] / n) + std::abs(at[j] % n - at[count] % n));
            }
            return h == 0 ? 0 : h + reach - 1;
        };
        thread_local Seen seen;
        const size_t states = limit > 0 ? size_t(limit) * 4 : size_t(p) * p * (count > 1 ? p : 1);
        size_t capacity = 1024;
        while (capacity < 2 * states)
            capacity *= 2;
        seen.start(capacity);
        struct Open {
            int f, g;
            int32_t node;
            bool operator<(const Open& o) const { return f != o.f ? f > o.f : g < o.g; }
        };
        std::priority_queue<Open> open;
        const uint64_t startKey = key(pos);
        seen.nodes.push_back({startKey, -1, 0});
        Seen::Entry& first = seen.find(startKey);
        first = {startKey, seen.stamp, 0};
        open.push({weightHalves * estimate(pos), 0, 0});
        int goal = -1;
        int at[Group + 1];
        while (!open.empty()) {
            const Open o = open.top();
            open.pop();
            const Seen::Node node = seen.nodes[o.node];
            if (node.g != o.g)
                continue;  // reached by a shorter way since
            unpack(node.key, at);
            if (estimate(at) == 0) {
                goal = o.node;
                break;
            }
            if (limit > 0 && int(seen.nodes.size()) > limit)
                return false;
            const int blank = at[count];
            for (int k : neighbours(n, blank)) {
                if (k < 0 || (fixed_ & bit(k)))
                    continue;
                int next[Group + 1];
                std::copy(at, at + count + 1, next);
                for (int j = 0; j < count; ++j)
                    if (next[j] == k)
                        next[j] = blank;
                next[count] = k;
                const uint64_t nk = key(next);
                Seen::Entry& e = seen.find(nk);
                const int g = node.g + 1;
                if (e.stamp == seen.stamp) {
                    if (seen.nodes[e.node].g <= g)
                        continue;
                    seen.nodes[e.node].g = static_cast<int16_t>(g);
                    seen.nodes[e.node].parent = o.node;
                } else {
                    e = {nk, seen.stamp, int32_t(seen.nodes.size())};
                    seen.nodes.push_back({nk, o.node, static_cast<int16_t>(g)});
                }
                open.push({2 * g + weightHalves * estimate(next), g, e.node});
            }
        }
        if (goal < 0)
            return false;
        std::vector<int> path;
        for (int s = goal; seen.nodes[s].parent >= 0; s = seen.nodes[s].parent)
            path.push_back(static_cast<int>(seen.nodes[s].key & 63));
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            slide(*it);
        return true;
    }

    // The last 4 x 4, at the bottom right, by the weighted pattern search
    // when its tables are built; false (nothing moved) otherwise.
    bool finishFour()
    {
        const int o = n_ - 4;
        Tiles small;
        small.n = 4;
        auto placeOf = [&](int k) { return (o + k / 4) * n_ + o + k % 4; };
        for (int k = 0; k < 16; ++k) {
            const int h = t_.home[placeOf(k)];
            small.home[k] = static_cast<uint8_t>((h / n_ - o) * 4 + h % n_ - o);
            if (placeOf(k) == t_.blank)
                small.blank = k;
        }
        Moves found;
        if (!quickPatternSearch(small, FourWeightHalves, FourLimit, found))
            return false;
        for (const Move& m : found)
            slide(placeOf(m.a));
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
