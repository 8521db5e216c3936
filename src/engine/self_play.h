#pragma once
// Complete games of four computer players on the host's engine, with an in-memory
// transport (every line to all is built and delivered, to one spectator slot; the computers'
// seats have no connection, so their own lines are not built), audited as they go.
// Deterministic: the same seed gives the same games.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/bot_level.h"

namespace quintrel {

struct SelfPlayStats {
    long games = 0;
    long rounds = 0;
    long turns = 0;
    long goingOuts = 0;                        // rounds ended by a team going out; the rest ran the shoe dry
    std::array<long, 3> wentOut{};             // [1] team 1, [2] team 2: rounds it went out
    std::array<long, 3> wins{};                // [0] ties, [1] team 1, [2] team 2
    std::array<long long, 3> finalScoreSum{};  // [1] team 1, [2] team 2
    long long messages = 0;                    // lines delivered to the spectator
    std::string failure;                       // empty when every invariant held
};

// Told around every computer turn, so a caller with a clock can time them (the core has none).
class TurnWatch {
public:
    virtual ~TurnWatch() = default;
    virtual void turnStarts(int seat) = 0;
    virtual void turnEnds(int seat) = 0;
};

struct SelfPlayOptions {
    std::string letter = "f";             // the game length as a table sends it
    std::array<BotLevel, 3> teamLevel{};  // [1] team 1 (Green), [2] team 2 (Blue)
    TurnWatch* watch = nullptr;
};

// letter: the game length as a table sends it ("f" one round, "h" 5000, "t" 10000).
SelfPlayStats selfPlay(long games, std::uint32_t seed, std::string_view letter = "f");
SelfPlayStats selfPlay(long games, std::uint32_t seed, const SelfPlayOptions& options);

// Plays one game into `stats`; false when an invariant broke (stats.failure says which).
bool selfPlayOneGame(std::uint32_t gameSeed, std::string_view letter, SelfPlayStats& stats);
bool selfPlayOneGame(std::uint32_t gameSeed, const SelfPlayOptions& options, SelfPlayStats& stats);

}  // namespace quintrel
