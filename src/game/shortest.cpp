#include "game/shortest.h"

#include "game/solver.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace game {

Shortest shortestFor(const Board& start, const std::atomic<bool>* cancel)
{
    if (const std::optional<int> d = exactDistance(start))
        return {*d, true};
    if (hasOptimalSolution(start.size(), start.mode())) {
        preparePatternTables();
        if (const std::optional<Moves> moves = optimalSolution(start, cancel))
            return {static_cast<int>(moves->size()), true};
    }
    return {lowerBound(start), false};
}

Shortest shortestFor(const Board& start, std::chrono::milliseconds budget)
{
    if (exactDistance(start) || !hasOptimalSolution(start.size(), start.mode()))
        return shortestFor(start, nullptr);
    preparePatternTables();
    // A watch that calls the search off when the budget runs out, and ends
    // at once when the search ends first.
    std::atomic<bool> cancel{false};
    std::mutex m;
    std::condition_variable done;
    bool finished = false;
    std::thread watch([&] {
        std::unique_lock lock(m);
        if (!done.wait_for(lock, budget, [&] { return finished; }))
            cancel = true;
    });
    const Shortest s = shortestFor(start, &cancel);
    {
        std::lock_guard lock(m);
        finished = true;
    }
    done.notify_one();
    watch.join();
    return s;
}

bool withinShare(int moves, int shortest)
{
    return shortest > 0 && 2 * moves <= 3 * shortest;
}

}  // namespace game
