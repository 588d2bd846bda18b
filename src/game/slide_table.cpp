// The distance of every 2 x 2 and 3 x 3 slide board, found once by a breadth
// first search from the solved board (181,440 boards of 3 x 3, one byte
// each, indexed by the arrangement's rank among all 9! orders).

#include "game/tiles.h"

#include <mutex>

namespace game::detail {

namespace {

constexpr uint8_t Unreached = 0xFF;

int factorial(int k)
{
    return k <= 1 ? 1 : k * factorial(k - 1);
}

// The rank of the order of the first p places' homes among all p! orders.
uint32_t rankOf(const Tiles& t)
{
    const int p = t.places();
    uint32_t rank = 0;
    for (int k = 0; k < p; ++k) {
        int smaller = t.home[k];
        for (int j = 0; j < k; ++j)
            smaller -= t.home[j] < t.home[k];
        rank = rank * static_cast<uint32_t>(p - k) + static_cast<uint32_t>(smaller);
    }
    return rank;
}

struct Table {
    std::vector<uint8_t> distance;
    std::once_flag built;
};

// Four bits a place: a board of up to 16 places in one word, for the queue.
uint64_t pack(const Tiles& t)
{
    uint64_t word = 0;
    for (int k = t.places() - 1; k >= 0; --k)
        word = word << 4 | t.home[k];
    return word;
}

Tiles unpack(int n, uint64_t word)
{
    Tiles t;
    t.n = n;
    for (int k = 0; k < n * n; ++k, word >>= 4) {
        t.home[k] = static_cast<uint8_t>(word & 15);
        if (t.home[k] == n * n - 1)
            t.blank = k;
    }
    return t;
}

const std::vector<uint8_t>& tableFor(int n)
{
    static Table tables[2];
    Table& table = tables[n - 2];
    std::call_once(table.built, [&] {
        std::vector<uint8_t>& distance = table.distance;
        distance.assign(static_cast<size_t>(factorial(n * n)), Unreached);
        Tiles goal;
        goal.n = n;
        goal.blank = n * n - 1;
        for (int k = 0; k < n * n; ++k)
            goal.home[k] = static_cast<uint8_t>(k);
        std::vector<uint64_t> queue{pack(goal)};
        distance[rankOf(goal)] = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            const Tiles t = unpack(n, queue[head]);
            const uint8_t next = static_cast<uint8_t>(distance[rankOf(t)] + 1);
            for (int k : neighbours(n, t.blank)) {
                if (k < 0)
                    continue;
                Tiles s = t;
                s.slide(k);
                uint8_t& d = distance[rankOf(s)];
                if (d == Unreached) {
                    d = next;
                    queue.push_back(pack(s));
                }
            }
        }
    });
    return table.distance;
}

}  // namespace

int smallSlideDistance(const Tiles& t)
{
    if (t.n < 2)
        return 0;
    return tableFor(t.n)[rankOf(t)];
}

Moves smallSlideSolution(Tiles t)
{
    Moves moves;
    if (t.n < 2)
        return moves;
    const std::vector<uint8_t>& distance = tableFor(t.n);
    for (int d = distance[rankOf(t)]; d > 0; --d) {
        for (int k : neighbours(t.n, t.blank)) {
            if (k < 0)
                continue;
            Tiles s = t;
            s.slide(k);
            if (distance[rankOf(s)] == d - 1) {
                moves.push_back({k, t.blank});
                t = s;
                break;
            }
        }
    }
    return moves;
}

}  // namespace game::detail
