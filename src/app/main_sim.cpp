// quintrel-sim: headless self-play of four computer players, with figures and invariants.
//
//   quintrel-sim [--games N] [--seed S] [--length f|h|t] [--green LEVEL] [--blue LEVEL] [--turn-times]

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/game_limits.h"
#include "engine/self_play.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: quintrel-sim [--games N] [--seed S] [--length f|h|t] [--green standard|expert]\n"
                 "                    [--blue standard|expert] [--turn-times]\n");
    return 2;
}

bool readNumber(const char* text, long long low, long long high, long long& out) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

// CPU time of this thread around each computer turn, kept per level. Only on request: the
// thread's CPU clock is a system call, and two a turn cost more than the games themselves.
class TurnTimes : public quintrel::TurnWatch {
public:
    explicit TurnTimes(const quintrel::SelfPlayOptions& options) : options_(options) {}
    void turnStarts(int) override { start_ = now(); }
    void turnEnds(int seat) override {
        const double spent = now() - start_;
        const int level = options_.teamLevel[quintrel::teamOf(seat)] == quintrel::BotLevel::Expert ? 1 : 0;
        ++turns[level];
        total[level] += spent;
        worst[level] = std::max(worst[level], spent);
    }
    long turns[2]{};
    double total[2]{};
    double worst[2]{};

private:
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
    const quintrel::SelfPlayOptions& options_;
    double start_ = 0;
};

double percent(long part, long whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    long long games = 1000;
    long long seed = 1;
    std::string length = "f";
    quintrel::SelfPlayOptions options;
    bool turnTimes = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--games") == 0 && hasValue) {
            if (!readNumber(argv[++i], 1, 100000000, games)) return usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            if (!readNumber(argv[++i], 0, 4294967295LL, seed)) return usage();
        } else if (std::strcmp(argv[i], "--length") == 0 && hasValue) {
            length = argv[++i];
            if (length != "f" && length != "h" && length != "t") return usage();
        } else if ((std::strcmp(argv[i], "--green") == 0 || std::strcmp(argv[i], "--blue") == 0) &&
                   hasValue) {
            const int team = argv[i][2] == 'g' ? 1 : 2;
            const auto level = quintrel::botLevelFromName(argv[++i]);
            if (!level) return usage();
            options.teamLevel[team] = *level;
        } else if (std::strcmp(argv[i], "--turn-times") == 0) {
            turnTimes = true;
        } else {
            return usage();
        }
    }

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    options.letter = length;
    TurnTimes times(options);
    if (turnTimes) options.watch = &times;
    const quintrel::SelfPlayStats s = quintrel::selfPlay(games, static_cast<std::uint32_t>(seed), options);
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
    std::printf("team 1 (Green, seats 1 and 3, %s): %.2f%% wins, average final score %.1f\n",
                std::string(quintrel::botLevelName(options.teamLevel[1])).c_str(),
                percent(s.wins[1], s.games),
                s.games > 0 ? static_cast<double>(s.finalScoreSum[1]) / played : 0.0);
    std::printf("team 2 (Blue, seats 2 and 4, %s): %.2f%% wins, average final score %.1f\n",
                std::string(quintrel::botLevelName(options.teamLevel[2])).c_str(),
                percent(s.wins[2], s.games),
                s.games > 0 ? static_cast<double>(s.finalScoreSum[2]) / played : 0.0);
    std::printf("ties: %.2f%%\n", percent(s.wins[0], s.games));
    std::printf("rounds a team went out: Green %.1f%%, Blue %.1f%%\n", percent(s.wentOut[1], s.rounds),
                percent(s.wentOut[2], s.rounds));
    std::printf("average margin, Green minus Blue: %.1f\n",
                played > 0 ? static_cast<double>(s.finalScoreSum[1] - s.finalScoreSum[2]) / played : 0.0);
    for (int level = 0; level < 2; ++level) {
        if (times.turns[level] == 0) continue;
        std::printf("%s turns: %ld, CPU per turn mean %.1f us, worst %.1f us\n",
                    level ? "expert" : "standard", times.turns[level],
                    1e6 * times.total[level] / static_cast<double>(times.turns[level]),
                    1e6 * times.worst[level]);
    }
    if (!s.failure.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", s.failure.c_str());
        return 1;
    }
    return 0;
}
