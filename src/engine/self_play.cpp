#include "engine/self_play.h"

#include "engine/engine.h"
#include "engine/game_audit.h"

namespace quintrel {
namespace {

constexpr int kSpectator = kFirstSpectator;
constexpr long kMaxTicksPerRound = 200000;

// Delivers to the spectator's audit; only the spectator's slot is connected.
class AuditOutbox : public Outbox {
public:
    explicit AuditOutbox(GameAudit& audit) : audit_(audit) {}
    void send(int slot, std::string_view line) override {
        if (slot == kSpectator) {
            ++messages;
            audit_.observe(line);
        }
    }
    void close(int) override {}
    long long messages = 0;

private:
    GameAudit& audit_;
};

}  // namespace

bool selfPlayOneGame(std::uint32_t gameSeed, std::string_view letter, SelfPlayStats& stats) {
    SelfPlayOptions options;
    options.letter = std::string(letter);
    return selfPlayOneGame(gameSeed, options, stats);
}

bool selfPlayOneGame(std::uint32_t gameSeed, const SelfPlayOptions& options, SelfPlayStats& stats) {
    const std::string_view letter = options.letter;
    HostState state;
    GameAudit audit(state);
    AuditOutbox outbox(audit);
    RandomSource random(gameSeed);
    Engine engine(state, outbox, random);
    state.players[kSpectator].connected = true;
    state.players[kSpectator].name = "Sim";
    state.connectioncount = kSpectator;
    state.botdelay = 1;
    for (int seat = 1; seat <= kSeats; ++seat) engine.setBotLevel(seat, options.teamLevel[teamOf(seat)]);

    engine.startgame({"Sim", std::string(letter)});
    long ticksThisRound = 0;
    long roundsSeen = 0;
    while (state.gamestarted && audit.ok()) {
        if (!state.pacing.enabled) {
            stats.failure = "the game stalled: nothing pending on the timer";
            return false;
        }
        const bool turn = state.pacing.tag == PacingTag::ComputerTurnPending && state.botticks >= 1;
        const int seat = state.turnseat;
        if (turn) ++stats.turns;
        if (turn && options.watch) options.watch->turnStarts(seat);
        engine.pacingTick();
        if (turn && options.watch) options.watch->turnEnds(seat);
        if (audit.rounds() != roundsSeen) {
            roundsSeen = audit.rounds();
            ticksThisRound = 0;
        } else if (++ticksThisRound > kMaxTicksPerRound) {
            stats.failure = "a round did not end";
            return false;
        }
    }
    if (!audit.ok()) {
        stats.failure = audit.failure();
        return false;
    }
    if (audit.gamesEnded() != 1) {
        stats.failure = "a game ended without its winner";
        return false;
    }
    const int s1 = state.players[1].score;
    const int s2 = state.players[2].score;
    ++stats.games;
    stats.rounds += audit.rounds();
    stats.goingOuts += audit.goingOuts();
    for (int team = 1; team <= kTeams; ++team) stats.wentOut[team] += audit.goingOuts(team);
    ++stats.wins[s1 > s2 ? 1 : s2 > s1 ? 2 : 0];
    stats.finalScoreSum[1] += s1;
    stats.finalScoreSum[2] += s2;
    stats.messages += outbox.messages;
    return true;
}

SelfPlayStats selfPlay(long games, std::uint32_t seed, std::string_view letter) {
    SelfPlayOptions options;
    options.letter = std::string(letter);
    return selfPlay(games, seed, options);
}

SelfPlayStats selfPlay(long games, std::uint32_t seed, const SelfPlayOptions& options) {
    SelfPlayStats stats;
    RandomSource seeds(seed);
    for (long game = 0; game < games; ++game) {
        // Each game has its own generator, seeded from the run's seed.
        const std::uint32_t gameSeed = static_cast<std::uint32_t>(seeds.random(1 << 30)) * 4u + 1u;
        if (!selfPlayOneGame(gameSeed, options, stats)) {
            stats.failure = "game " + std::to_string(game + 1) + ": " + stats.failure;
            break;
        }
    }
    return stats;
}

}  // namespace quintrel
