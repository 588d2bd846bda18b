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

namespace game::detail {

namespace {

constexpr int N = 4;
constexpr int Places = 16;
constexpr int BlankHome = 15;

// The groups, by their pieces' homes: the top left 2 x 3, the bottom left
// 2 x 3, and the right column.
constexpr std::array<std::array<int, 6>, 3> Groups{{
    {0, 1, 2, 4, 5, 6},
    {8, 9, 10, 12, 13, 14},
    {3, 7, 11, -1, -1, -1},
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
    unsigned used = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned p = static_cast<unsigned>(at[i]);
        rank = rank * static_cast<uint32_t>(Places - i) +
               static_cast<uint32_t>(p - std::popcount(used & ((1u << p) - 1)));
        used |= 1u << p;
    }
    return rank;
}

void unrankPlacement(uint32_t rank, int count, int* at)
{
    int digit[6];
    for (int i = count - 1; i >= 0; --i) {
        digit[i] = static_cast<int>(rank % static_cast<uint32_t>(Places - i));
        rank /= static_cast<uint32_t>(Places - i);
    }
    unsigned used = 0;
    for (int i = 0; i < count; ++i) {
        int p = 0;
        for (int skip = digit[i];; ++p) {
            if (used & (1u << p))
                continue;
            if (skip-- == 0)
                break;
        }
        at[i] = p;
        used |= 1u << p;
    }
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
// moves within its region for nothing.
std::vector<uint8_t> buildTable(const std::array<int, 6>& homes, int count)
{
    const uint32_t total = placements(count);
    std::vector<uint8_t> table(total, 0xFF);
    std::vector<uint64_t> seen((static_cast<size_t>(total) * 16 + 63) / 64, 0);
    auto visit = [&](uint32_t rank, int low) {
        const size_t i = static_cast<size_t>(rank) * 16 + static_cast<size_t>(low);
        if (seen[i / 64] & (uint64_t{1} << (i % 64)))
            return false;
        seen[i / 64] |= uint64_t{1} << (i % 64);
        return true;
    };
    int at[6];
    std::copy(homes.begin(), homes.begin() + count, at);
    unsigned mask = 0;
    for (int i = 0; i < count; ++i)
        mask |= 1u << at[i];
    const uint32_t goal = rankPlacement(at, count);
    const int goalLow = std::countr_zero(flood(1u << BlankHome, ~mask & 0xFFFF));
    visit(goal, goalLow);
    table[goal] = 0;
    std::vector<uint32_t> queue{goal * 16 + static_cast<uint32_t>(goalLow)};
    size_t head = 0;
    for (uint8_t depth = 0; head < queue.size(); ++depth) {
        const size_t levelEnd = queue.size();
        for (; head < levelEnd; ++head) {
            unrankPlacement(queue[head] / 16, count, at);
            mask = 0;
            for (int i = 0; i < count; ++i)
                mask |= 1u << at[i];
            const unsigned region = flood(1u << (queue[head] % 16), ~mask & 0xFFFF);
            for (int i = 0; i < count; ++i) {
                const int from = at[i];
                for (int to : neighbours(N, from)) {
                    if (to < 0 || !(region & (1u << to)))
                        continue;
                    at[i] = to;
                    const unsigned moved = mask ^ (1u << from) ^ (1u << to);
                    const int low = std::countr_zero(flood(1u << from, ~moved & 0xFFFF));
                    const uint32_t rank = rankPlacement(at, count);
                    if (visit(rank, low)) {
                        queue.push_back(rank * 16 + static_cast<uint32_t>(low));
                        if (table[rank] == 0xFF)
                            table[rank] = static_cast<uint8_t>(depth + 1);
                    }
                }
                at[i] = from;
            }
        }
    }
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
        for (int g = 0; g < 3; ++g) {
            t.group[g] = buildTable(Groups[g], GroupSize[g]);
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
        for (int k = 0; k < Places; ++k)
            at_[t.home[k]] = static_cast<int8_t>(k);
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
            int piece = 0;
            while (at_[piece] != k)
                ++piece;
            const int g1 = tables_.groupOf[piece];
            const int g2 = tables_.groupOf[transposed(piece)];
            const int keep1 = h_[g1], keep2 = mirrored_[g2];
            at_[piece] = static_cast<int8_t>(blank);
            at_[BlankHome] = static_cast<int8_t>(k);
            h_[g1] = lookup(g1);
            mirrored_[g2] = lookupMirrored(g2);
            path_.push_back({k, blank});
            const Outcome o = dfs(g + 1, bound, blank);
            if (o != Outcome::Deeper)
                return o;
            path_.pop_back();
            at_[piece] = static_cast<int8_t>(k);
            at_[BlankHome] = static_cast<int8_t>(blank);
            h_[g1] = keep1;
            mirrored_[g2] = keep2;
        }
        return Outcome::Deeper;
    }

    const Tables& tables_;
    const std::atomic<bool>* cancel_;
    std::array<int8_t, Places> at_{};  // at_[h]: the place of the piece of home h
    std::array<int, 3> h_{}, mirrored_{};
    int next_ = 0;
    unsigned long long nodes_ = 0;
    Moves path_;
};

}  // namespace

bool patternSearch(const Tiles& t, const std::atomic<bool>* cancel, Moves& out)
{
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
