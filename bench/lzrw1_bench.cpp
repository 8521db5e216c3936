// Throughput of the container codec on text like the tally's, in bytes per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "extras/lzrw1.h"

namespace {

std::string tallyLikeText(std::size_t size) {
    static const char* const kNames[] = {"Klot",  "Klick", "Kling", "Anna", "Bert",  "Corwin",
                                         "Dagny", "Emil",  "Farah", "Gus",  "Hilde", "Ivo"};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < size) {
        s += kNames[rng() % std::size(kNames)];
        s += rng() % 2 ? " (Green)" : " (Blue)";
        for (int column = 0; column < 4; ++column) {
            s += '\t';
            s += std::to_string(rng() % 500);
        }
        s += "\r\n";
    }
    s.resize(size);
    return s;
}

const std::string& input() {
    static const std::string text = tallyLikeText(4 << 20);
    return text;
}

void BM_Lzrw1Compress(benchmark::State& state) {
    quintrel::Tlzrw1 codec;
    std::size_t packed = 0;
    for (auto _ : state) {
        const std::string out = codec.Compress(input());
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input().size()));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(input().size());
}

void BM_Lzrw1Decompress(benchmark::State& state) {
    quintrel::Tlzrw1 codec;
    const std::string packed = codec.Compress(input());
    for (auto _ : state) {
        const std::string out = codec.Decompress(packed);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input().size()));
}

BENCHMARK(BM_Lzrw1Compress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrw1Decompress)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
