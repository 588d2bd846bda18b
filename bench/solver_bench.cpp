// The solver's costs over boards as the game shuffles them: the quick hint
// at every size and mode, the optimal 3 x 3 and 4 x 4 solutions, the length
// of the quick solution against the lower bound, and the distances the
// shuffle leaves before and after its threshold. Each question is timed on
// its own; p50, p95, p99 and max are reported in milliseconds.

#include "game/puzzle_shuffle.h"
#include "game/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Boards = 1000;

game::Board::Draw seeded(unsigned seed)
{
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen] { return std::uniform_real_distribution<double>(0.0, 1.0)(*gen); };
}

// The boards a player meets: shuffled as the game shuffles, by seed.
const std::vector<game::Board>& boards(int n, game::Mode mode)
{
    static std::vector<game::Board> made[9][2];
    std::vector<game::Board>& these = made[n][int(mode)];
    if (these.empty()) {
        for (unsigned seed = 1; seed <= Boards; ++seed) {
            game::Board b;
            b.newGame(n, mode);
            game::shuffleAsPuzzle(b, seeded(seed));
            these.push_back(b);
        }
    }
    return these;
}

// Times each call of ask on the next board; reports the spread.
template<typename Ask>
void timeEach(benchmark::State& state, const std::vector<game::Board>& on, Ask ask)
{
    std::vector<double> ms;
    size_t i = 0;
    for (auto _ : state) {
        const game::Board& b = on[i++ % on.size()];
        const auto start = std::chrono::steady_clock::now();
        ask(b);
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))]; };
    state.counters["p50_ms"] = at(0.50);
    state.counters["p95_ms"] = at(0.95);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = ms.back();
}

// Building the 3 x 3 table and the 4 x 4 tables, once, as the first
// question does (run it alone: later benchmarks find them built).
void TablesBuilt(benchmark::State& state)
{
    for (auto _ : state) {
        game::Board b;
        b.restore(3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8}, 0);
        game::exactDistance(b);
        game::preparePatternTables();
    }
}
BENCHMARK(TablesBuilt)->Iterations(1)->Unit(benchmark::kMillisecond);

// The hint the window shows at once. Arguments: N, mode (0 slide, 1 swap).
// For slide boards, ratio is the mean length of the whole quick solution over
// the lower bound.
void QuickHint(benchmark::State& state)
{
    const int n = int(state.range(0));
    const auto mode = game::Mode(state.range(1));
    const std::vector<game::Board>& on = boards(n, mode);
    timeEach(state, on, [](const game::Board& b) { benchmark::DoNotOptimize(game::quickHint(b)); });
    double ratio = 0;
    for (const game::Board& b : on)
        ratio += double(game::quickSolution(b).size()) / std::max(1, game::lowerBound(b));
    state.counters["ratio"] = ratio / double(on.size());
}
BENCHMARK(QuickHint)
    ->ArgsProduct({benchmark::CreateDenseRange(3, 8, 1), {0, 1}})
    ->Iterations(Boards)
    ->Unit(benchmark::kMicrosecond);

// The fewest slides. Argument: N (3 or 4).
void OptimalSlide(benchmark::State& state)
{
    const std::vector<game::Board>& on = boards(int(state.range(0)), game::Mode::Slide);
    game::optimalSolution(on.front());  // the tables, built once before the clock runs
    double length = 0;
    timeEach(state, on, [&](const game::Board& b) { length += double(game::optimalSolution(b)->size()); });
    state.counters["mean_length"] = length / double(state.iterations());
}
BENCHMARK(OptimalSlide)->Arg(3)->Arg(4)->Iterations(Boards)->Unit(benchmark::kMillisecond);

// The distances of 3 x 3 boards after 10,000 shuffles, plain and as a
// puzzle. Arguments: mode, puzzle (0 the plain walk, 1 with the threshold).
void ShuffleDistance3x3(benchmark::State& state)
{
    const auto mode = game::Mode(state.range(0));
    const bool puzzle = state.range(1) != 0;
    int least = 1 << 30;
    double sum = 0;
    int under = 0;
    unsigned seed = 0;
    for (auto _ : state) {
        game::Board b;
        b.newGame(3, mode);
        if (puzzle)
            game::shuffleAsPuzzle(b, seeded(++seed));
        else
            b.shuffle(seeded(++seed));
        const int d = *game::exactDistance(b);
        least = std::min(least, d);
        sum += d;
        under += game::tooNearSolved(b);
    }
    state.counters["min"] = least;
    state.counters["mean"] = sum / double(state.iterations());
    state.counters["under_threshold"] = under;
    state.counters["threshold"] = game::shuffleThreshold(3, mode);
}
BENCHMARK(ShuffleDistance3x3)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(10000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
