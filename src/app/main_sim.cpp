// quintrel-sim: headless self-play of four computer players, with figures and invariants.
//
//   quintrel-sim [--games N] [--seed S] [--length f|h|t]

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/self_play.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: quintrel-sim [--games N] [--seed S] [--length f|h|t]\n");
    return 2;
}

bool readNumber(const char* text, long long low, long long high, long long& out) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

double percent(long part, long whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    long long games = 1000;
    long long seed = 1;
    std::string length = "f";
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--games") == 0 && hasValue) {
            if (!readNumber(argv[++i], 1, 100000000, games)) return usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            if (!readNumber(argv[++i], 0, 4294967295LL, seed)) return usage();
        } else if (std::strcmp(argv[i], "--length") == 0 && hasValue) {
            length = argv[++i];
            if (length != "f" && length != "h" && length != "t") return usage();
        } else {
            return usage();
        }
    }

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const quintrel::SelfPlayStats s = quintrel::selfPlay(games, static_cast<std::uint32_t>(seed), length);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Single-threaded: its CPU time is the time on one core, whatever else shares the machine.
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    const double played = static_cast<double>(s.games);
    std::printf("games: %ld  rounds: %ld  turns: %ld  messages to a spectator: %lld\n", s.games, s.rounds,
                s.turns, s.messages);
    std::printf("%.0f games/s (CPU time of one core, %.2f s)\n", cpuSeconds > 0 ? played / cpuSeconds : 0.0,
                cpuSeconds);
    std::printf("%.0f rounds/s (CPU time)\n",
                cpuSeconds > 0 ? static_cast<double>(s.rounds) / cpuSeconds : 0.0);
    std::printf("%.0f games/s by the wall clock (%.2f s)\n", seconds > 0 ? played / seconds : 0.0, seconds);
    std::printf("average turns per round: %.2f\n",
                s.rounds > 0 ? static_cast<double>(s.turns) / static_cast<double>(s.rounds) : 0.0);
    std::printf("rounds ended by an empty shoe: %.2f%%\n", percent(s.rounds - s.goingOuts, s.rounds));
    std::printf("team 1 (Green, seats 1 and 3): %.2f%% wins, average final score %.1f\n",
                percent(s.wins[1], s.games),
                s.games > 0 ? static_cast<double>(s.finalScoreSum[1]) / played : 0.0);
    std::printf("team 2 (Blue, seats 2 and 4): %.2f%% wins, average final score %.1f\n",
                percent(s.wins[2], s.games),
                s.games > 0 ? static_cast<double>(s.finalScoreSum[2]) / played : 0.0);
    std::printf("ties: %.2f%%\n", percent(s.wins[0], s.games));
    if (!s.failure.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", s.failure.c_str());
        return 1;
    }
    return 0;
}
