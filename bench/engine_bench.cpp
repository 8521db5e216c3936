// One complete round of four computer players on the host's engine, every message built.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/self_play.h"

namespace {

void BM_OneRoundOfFourComputerPlayers(benchmark::State& state) {
    std::uint32_t seed = 1;
    quintrel::SelfPlayStats stats;
    for (auto _ : state) {
        if (!quintrel::selfPlayOneGame(seed, "f", stats)) {
            state.SkipWithError(stats.failure.c_str());
            break;
        }
        seed += 2;
    }
    state.counters["turns/round"] =
        stats.rounds > 0 ? static_cast<double>(stats.turns) / static_cast<double>(stats.rounds) : 0.0;
    state.SetItemsProcessed(stats.rounds);
}
BENCHMARK(BM_OneRoundOfFourComputerPlayers);

}  // namespace

BENCHMARK_MAIN();
