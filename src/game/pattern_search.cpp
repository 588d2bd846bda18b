// The fewest slides for a 4 x 4 board: iterative deepening A* guided by
// three additive pattern databases. The fifteen pieces are split into
// groups of 6, 6 and 3; each group's table holds, for every way of placing
// its pieces, the fewest slides of those pieces (the empty place moving
// freely among the others) that bring them home. The slides of different
// groups are different slides, so the three add up to a lower bound; the
// same tables read for the board mirrored in its diagonal give a second one,
// and the search takes the larger.
//
// The tables take 11 MiB and a few seconds to build, once, by the first
// question.

#include "game/tiles.h"

#include <algorithm>
#include <bit>
#include <mutex>
#include <queue>
#include <unordered_map>

namespace game::detail {

namespace {

constexpr int N = 4;
constexpr int Places = 16;
constexpr int BlankHome = 15;

// The groups, by their pieces' homes: the first two columns below the top
// row, the last two with the bottom row's third place, and the rest of the
// top row.
constexpr std::array<std::array<int, 6>, 3> Groups{{
    {4, 5, 8, 9, 12, 13},
    {3, 6, 7, 10, 11, 14},
    {0, 1, 2, -1, -1, -1},
}};
constexpr std::array<int, 3> GroupSize{6, 6, 3};

constexpr int transposed(int place)
{
    return place % N * N + place / N;
}

// The rank of a group's placement among all placements of that many pieces
// on 16 places.
uint32_t rankPlacement(const int* at, int count)
{
    uint32_t rank = 0;
    for (int i = 0; i < count; ++i) {
        int p = at[i];
        for (int j = 0; j < i; ++j)
            p -= at[j] < at[i];
        rank = rank * static_cast<uint32_t>(Places - i) + static_cast<uint32_t>(p);
    }
    return rank;
}

uint32_t placements(int count)
{
    uint32_t total = 1;
    for (int i = 0; i < count; ++i)
        total *= static_cast<uint32_t>(Places - i);
    return total;
}

// The places reachable from seed through free places.
unsigned flood(unsigned seed, unsigned free)
{
    unsigned reach = seed;
    for (;;) {
        const unsigned grown = (reach | (reach << 1 & ~0x1111u) | (reach >> 1 & ~0x8888u) | reach << 4 |
                                reach >> 4) & free;
        if (grown == reach)
            return reach;
        reach = grown;
    }
}

// A group's table by a breadth first search from home over where the group
// stands and which region of the other places the empty place is in (named
// by its lowest place): a slide of a group piece costs one, the empty place
// moves within its region for nothing. The queue holds the group's places,
// four bits each, and the region's lowest place.
// For each set of free places and each free place, the lowest place of its
// region: 1 MiB, while the tables are built.
std::vector<uint8_t> regionsOfEveryFreeSet()
{
    std::vector<uint8_t> low(65536 * 16, 0xFF);
    for (unsigned free = 1; free < 65536; ++free) {
        for (unsigned left = free; left;) {
            const unsigned region = flood(left & -left, free);
            const auto first = static_cast<uint8_t>(std::countr_zero(region));
            for (unsigned r = region; r; r &= r - 1)
                low[free * 16 + static_cast<unsigned>(std::countr_zero(r))] = first;
            left &= ~region;
        }
    }
    return low;
}

std::vector<uint8_t> buildTable(const std::array<int, 6>& homes, int count, const std::vector<uint8_t>& lowOf)
{
    const uint32_t total = placements(count);
    // For each placement: the regions reached (bits 0 to 15) and the depth
    // at which the first was (bits 16 to 23).
    std::vector<uint32_t> reached(total, 0xFF0000u);
    auto pack = [count](const int* at, int low) {
        uint32_t word = 0;
        for (int i = 0; i < count; ++i)
            word = word << 4 | static_cast<uint32_t>(at[i]);
        return word << 4 | static_cast<uint32_t>(low);
    };
    int at[6];
    std::copy(homes.begin(), homes.begin() + count, at);
    unsigned mask = 0;
    for (int i = 0; i < count; ++i)
        mask |= 1u << at[i];
    const int goalLow = std::countr_zero(flood(1u << BlankHome, ~mask & 0xFFFF));
    reached[rankPlacement(at, count)] = 1u << goalLow;
    std::vector<uint32_t> queue{pack(at, goalLow)};
    // The successors of a stretch of the queue are gathered first and their
    // entries fetched ahead, so that the table's memory answers many at once.
    struct Next {
        uint32_t rank, word;
        unsigned low;
    };
    std::vector<Next> next;
    size_t head = 0;
    for (uint32_t depth = 1; head < queue.size(); ++depth) {
        const size_t levelEnd = queue.size();
        while (head < levelEnd) {
            next.clear();
            for (const size_t end = std::min(levelEnd, head + 512); head < end; ++head) {
                uint32_t word = queue[head];
                const unsigned region = word & 15;
                mask = 0;
                for (int i = count - 1; i >= 0; --i) {
                    word >>= 4;
                    at[i] = static_cast<int>(word & 15);
                    mask |= 1u << at[i];
                }
                const unsigned free = ~mask & 0xFFFF;
                for (int i = 0; i < count; ++i) {
                    const int from = at[i];
                    for (int to : neighbours(N, from)) {
                        if (to < 0 || lowOf[free * 16 + static_cast<unsigned>(to)] != region)
                            continue;
                        at[i] = to;
                        const unsigned moved = mask ^ (1u << from) ^ (1u << to);
                        const int low = lowOf[(~moved & 0xFFFF) * 16 + static_cast<unsigned>(from)];
                        const uint32_t rank = rankPlacement(at, count);
                        __builtin_prefetch(&reached[rank], 1);
                        next.push_back({rank, pack(at, low), 1u << low});
                    }
                    at[i] = from;
                }
            }
            for (const Next& s : next) {
                uint32_t& r = reached[s.rank];
                if (!(r & s.low)) {
                    if ((r & 0xFFFFu) == 0)
                        r = depth << 16;
                    r |= s.low;
                    queue.push_back(s.word);
                }
            }
        }
    }
    std::vector<uint8_t> table(total);
    for (uint32_t i = 0; i < total; ++i)
        table[i] = static_cast<uint8_t>(reached[i] >> 16);
    return table;
}

struct Tables {
    std::once_flag built;
    std::atomic<bool> ready{false};
    std::array<std::vector<uint8_t>, 3> group;
    std::array<int8_t, Places> groupOf{};  // the group of each home, -1 for the empty place
};

Tables& tables()
{
    static Tables t;
    return t;
}

const Tables& builtTables()
{
    Tables& t = tables();
    std::call_once(t.built, [&] {
        t.groupOf.fill(-1);
        const std::vector<uint8_t> lowOf = regionsOfEveryFreeSet();
        for (int g = 0; g < 3; ++g) {
            t.group[g] = buildTable(Groups[g], GroupSize[g], lowOf);
            for (int i = 0; i < GroupSize[g]; ++i)
                t.groupOf[Groups[g][i]] = static_cast<int8_t>(g);
        }
        t.ready = true;
    });
    return t;
}

class Search {
public:
    Search(const Tables& tables, const Tiles& t, const std::atomic<bool>* cancel)
        : tables_(tables), cancel_(cancel)
    {
        for (int k = 0; k < Places; ++k) {
            at_[t.home[k]] = static_cast<int8_t>(k);
            holds_[k] = static_cast<int8_t>(t.home[k]);
        }
        for (int g = 0; g < 3; ++g) {
            h_[g] = lookup(g);
            mirrored_[g] = lookupMirrored(g);
        }
    }

    // False when cancelled.
    bool run(Moves& out)
    {
        for (int bound = estimate();;) {
            next_ = 1000;
            const Outcome o = dfs(0, bound, -1);
            if (o == Outcome::Found) {
                out = path_;
                return true;
            }
            if (o == Outcome::Cancelled)
                return false;
            bound = next_;
        }
    }

private:
    enum class Outcome { Found, Deeper, Cancelled };

    int lookup(int g) const
    {
        int placed[6];
        for (int i = 0; i < GroupSize[g]; ++i)
            placed[i] = at_[Groups[g][i]];
        return tables_.group[g][rankPlacement(placed, GroupSize[g])];
    }
    // The same group of the board mirrored in its diagonal: the piece of
    // home h there is the piece of home transposed(h) here, mirrored.
    int lookupMirrored(int g) const
    {
        int placed[6];
        for (int i = 0; i < GroupSize[g]; ++i)
            placed[i] = transposed(at_[transposed(Groups[g][i])]);
        return tables_.group[g][rankPlacement(placed, GroupSize[g])];
    }
    int estimate() const
    {
        return std::max(h_[0] + h_[1] + h_[2], mirrored_[0] + mirrored_[1] + mirrored_[2]);
    }

    Outcome dfs(int g, int bound, int cameFrom)
    {
        const int h = estimate();
        if (g + h > bound) {
            next_ = std::min(next_, g + h);
            return Outcome::Deeper;
        }
        if (h == 0)
            return Outcome::Found;
        if ((++nodes_ & 0xFFFF) == 0 && cancel_ && cancel_->load(std::memory_order_relaxed))
            return Outcome::Cancelled;
        const int blank = at_[BlankHome];
        for (int k : neighbours(N, blank)) {
            if (k < 0 || k == cameFrom)
                continue;
            const int piece = holds_[k];
            const int g1 = tables_.groupOf[piece];
            const int g2 = tables_.groupOf[transposed(piece)];
            const int keep1 = h_[g1], keep2 = mirrored_[g2];
            at_[piece] = static_cast<int8_t>(blank);
            at_[BlankHome] = static_cast<int8_t>(k);
            holds_[blank] = static_cast<int8_t>(piece);
            h_[g1] = lookup(g1);
            mirrored_[g2] = lookupMirrored(g2);
            path_.push_back({k, blank});
            const Outcome o = dfs(g + 1, bound, blank);
            if (o != Outcome::Deeper)
                return o;
            path_.pop_back();
            at_[piece] = static_cast<int8_t>(k);
            at_[BlankHome] = static_cast<int8_t>(blank);
            holds_[k] = static_cast<int8_t>(piece);
            h_[g1] = keep1;
            mirrored_[g2] = keep2;
        }
        return Outcome::Deeper;
    }

    const Tables& tables_;
    const std::atomic<bool>* cancel_;
    std::array<int8_t, Places> at_{};     // at_[h]: the place of the piece of home h
    std::array<int8_t, Places> holds_{};  // holds_[k]: the home of the piece at place k
    std::array<int, 3> h_{}, mirrored_{};
    int next_ = 0;
    unsigned long long nodes_ = 0;
    Moves path_;
};

// A short way, not always the shortest, by a weighted A* over whole boards
// with the same tables: f = 2 g + weightHalves h. Gives up (false) after
// `limit` boards.
class QuickSearch {
public:
    QuickSearch(const Tables& tables, int weightHalves, int limit)
        : tables_(tables), weightHalves_(weightHalves), limit_(limit) {}

    bool run(const Tiles& t, Moves& out)
    {
        uint64_t start = 0;
        for (int k = Places - 1; k >= 0; --k)
            start = start << 4 | t.home[k];
        struct Node {
            uint64_t board;
            int32_t parent;
            int16_t g;
            int8_t blank;
        };
        std::vector<Node> nodes{{start, -1, 0, static_cast<int8_t>(t.blank)}};
        std::unordered_map<uint64_t, int32_t> seen;
        seen.reserve(size_t(limit_) * 3);
        seen.emplace(start, 0);
        struct Open {
            int f, g;
            int32_t node;
            bool operator<(const Open& o) const { return f != o.f ? f > o.f : g < o.g; }
        };
        std::priority_queue<Open> open;
        open.push({weightHalves_ * estimate(start), 0, 0});
        while (!open.empty()) {
            const Open o = open.top();
            open.pop();
            const Node node = nodes[size_t(o.node)];
            if (node.g != o.g)
                continue;
            if (estimate(node.board) == 0) {
                out.clear();
                for (int32_t i = o.node; nodes[size_t(i)].parent >= 0; i = nodes[size_t(i)].parent) {
                    const Node& to = nodes[size_t(i)];
                    out.push_back({to.blank, nodes[size_t(to.parent)].blank});
                }
                std::reverse(out.begin(), out.end());
                return true;
            }
            if (int(nodes.size()) > limit_)
                return false;
            const int blank = node.blank;
            for (int k : neighbours(N, blank)) {
                if (k < 0)
                    continue;
                const uint64_t piece = node.board >> (4 * k) & 15;
                const uint64_t board = (node.board & ~(uint64_t{15} << (4 * k)) & ~(uint64_t{15} << (4 * blank))) |
                                       piece << (4 * blank) | uint64_t{BlankHome} << (4 * k);
                const int g = node.g + 1;
                auto [it, fresh] = seen.emplace(board, int32_t(nodes.size()));
                if (!fresh) {
                    Node& known = nodes[size_t(it->second)];
                    if (known.g <= g)
                        continue;
                    known.g = static_cast<int16_t>(g);
                    known.parent = o.node;
                } else {
                    nodes.push_back({board, o.node, static_cast<int16_t>(g), static_cast<int8_t>(k)});
                }
                open.push({2 * g + weightHalves_ * estimate(board), g, it->second});
            }
        }
        return false;
    }

private:
    int estimate(uint64_t board) const
    {
        std::array<int, Places> at{};
        for (int k = 0; k < Places; ++k, board >>= 4)
            at[board & 15] = k;
        int plain = 0, mirrored = 0;
        for (int g = 0; g < 3; ++g) {
            int placed[6], flipped[6];
            for (int i = 0; i < GroupSize[g]; ++i) {
                placed[i] = at[Groups[g][i]];
                flipped[i] = transposed(at[transposed(Groups[g][i])]);
            }
            plain += tables_.group[g][rankPlacement(placed, GroupSize[g])];
            mirrored += tables_.group[g][rankPlacement(flipped, GroupSize[g])];
        }
        return std::max(plain, mirrored);
    }

    const Tables& tables_;
    int weightHalves_;
    int limit_;
};

}  // namespace

bool quickPatternSearch(const Tiles& t, int weightHalves, int limit, Moves& out)
{
    const Tables& built = tables();
    if (!built.ready.load())
        return false;
    return QuickSearch(built, weightHalves, limit).run(t, out);
}

bool patternSearch(const Tiles& t, const std::atomic<bool>* cancel, Moves& out)
{
    if (t.solved()) {
        out.clear();
        return true;
    }
    const Tables& built = builtTables();
    if (cancel && cancel->load())
        return false;
    return Search(built, t, cancel).run(out);
}

}  // namespace game::detail

namespace game {

void preparePatternTables()
{
    detail::builtTables();
}

bool patternTablesReady()
{
    return detail::tables().ready.load();
}

}  // namespace game
