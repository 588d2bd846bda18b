// Reading the statistics file: a million games, decoded from the bytes in
// memory (the goal: within a second).

#include "game/statistics.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void DecodeMillionLines(benchmark::State& state)
{
    using namespace game::statistics;
    std::string file = std::string(Header) + "\n";
    for (int i = 0; i < 1000000; ++i) {
        const Record r{3 + i % 6, game::Mode(i % 2), i % 7 ? Outcome::Solved : Outcome::Abandoned, 20 + i % 900,
                       30 + i % 3000, 1765442400 + i, i % 3 ? std::optional<int>(20 + i % 50) : std::nullopt,
                       i % 5 ? std::to_string(101 + i % 20) : "holiday\\beach.jpg"};
        file += encodeLine(r);
        file += '\n';
    }
    for (auto _ : state) {
        const Decoded d = decode(file);
        benchmark::DoNotOptimize(d.records.data());
        if (d.records.size() != 1000000 || d.damaged != 0)
            state.SkipWithError("not every line read");
    }
    state.counters["MB"] = double(file.size()) / 1e6;
}
BENCHMARK(DecodeMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
