// Whole games with every seat driven by a simple scripted player through the engine's
// requests, checking the game's invariants after every request.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/game_audit.h"
#include "engine_rig.h"
#include "net/dispatch.h"

namespace quintrel::test {
namespace {

using namespace kit;

// The engine's hand and book indexes equal ones made afresh from its state.
::testing::AssertionResult indexesFollowTheCards(const EngineRig& rig) {
    for (int seat = 1; seat <= kSeats; ++seat) {
        if (!(rig.engine.handIndex(seat) == HandIndex(rig.state.players[seat].hand)))
            return ::testing::AssertionFailure() << "seat " << seat << "'s hand index is stale";
    }
    for (int team = 1; team <= kTeams; ++team) {
        if (!(rig.engine.bookIndex(team) == BookIndex(rig.state.books[team])))
            return ::testing::AssertionFailure() << "team " << team << "'s book index is stale";
    }
    return ::testing::AssertionSuccess();
}

// Four persons whose turns a script plays; a spectator in slot 5 audits what everybody hears.
class ScriptedTable : EngineRig {
public:
    ScriptedTable(std::uint32_t seed, bool botswatch, const std::string& letter) : EngineRig(seed) {
        for (int slot = 1; slot <= 5; ++slot) connect(slot, "P" + std::to_string(slot));
        state.botdelay = 500;
        request(&Engine::startgame, {"P1", letter});
        request(&Engine::settourney, {botswatch, letter == "f" ? "3" : "0"});
    }

    // Plays to the end of the game; a round that does not end fails the test.
    void play() {
        int turnsThisRound = 0;
        while (state.gamestarted) {
            if (state.roundover) {
                engine.pacingTick();
                check();
                turnsThisRound = 0;
                continue;
            }
            ASSERT_LT(++turnsThisRound, 2000) << "a round does not end";
            turn(state.turnseat);
        }
        ASSERT_TRUE(audit_.ok()) << audit_.failure();
        ASSERT_EQ(audit_.gamesEnded(), 1);
    }

    long rounds() const { return audit_.rounds(); }
    long goingOuts() const { return audit_.goingOuts(); }

private:
    // One request, then the invariants.
    template <typename Request>
    void request(void (Engine::*handler)(const Request&), const Request& fields) {
        (engine.*handler)(fields);
        check();
    }

    bool stillMine(int seat) const { return state.gamestarted && !state.roundover && state.turnseat == seat; }

    void turn(int seat) {
        const auto& hand = state.players[seat].hand;
        int choice = 1;
        if (isNatural(state.discardtop) && !isThree(state.discardtop)) {
            int same = 0;
            for (int c : hand) same += (c != 0 && !isWild(c) && rankOf(c) == rankOf(state.discardtop));
            if (same >= 2) choice = 2;
        }
        request(&Engine::drawing, {seat, choice});
        if (!stillMine(seat)) return;
        meld(seat);
        if (!stillMine(seat)) return;
        int pick = -1;
        for (int pass = 0; pass < 3 && pick < 0; ++pass) {
            for (int s = 0; s < kHandSlots && pick < 0; ++s) {
                const int c = hand[s];
                if (c == 0) continue;
                if (pass == 0 && isThree(c)) pick = s;
                if (pass == 1 && isNatural(c)) pick = s;
                if (pass == 2) pick = s;
            }
        }
        // An empty hand here cannot happen: the meld that empties it ends the turn.
        ASSERT_GE(pick, 0);
        request(&Engine::discard, {seat, pick});
        ASSERT_FALSE(stillMine(seat)) << "a discard must end the turn";
    }

    void meld(int seat) {
        const int team = teamOf(seat);
        const auto& hand = state.players[seat].hand;
        for (int i = 0; i < kHandSlots && stillMine(seat); ++i) {
            if (!isNatural(hand[i]) || isThree(hand[i])) continue;
            int j = -1, k = -1;
            for (int s = i + 1; s < kHandSlots; ++s) {
                if (isNatural(hand[s]) && rankOf(hand[s]) == rankOf(hand[i])) {
                    if (j < 0)
                        j = s;
                    else if (k < 0)
                        k = s;
                }
            }
            if (k >= 0) request(&Engine::createbook, {seat, {i, j, k}});
        }
        for (int s = 0; s < kHandSlots && stillMine(seat); ++s) {
            const int c = hand[s];
            if (c == 0 || isThree(c)) continue;
            for (int e = 1; e <= kBookSlots && hand[s] != 0 && stillMine(seat); ++e) {
                const BookEntry& b = state.books[team][e];
                if (b.count > 0 && (isWild(c) || rankOf(b.card) == rankOf(c))) {
                    request(&Engine::addtobook, {seat, s, e});
                }
            }
            for (int n = 1; n <= state.completedcount[team] && hand[s] != 0 && stillMine(seat); ++n) {
                const BookEntry& b = state.completedbooks[team][n];
                if (!isWild(c) && rankOf(b.card) == rankOf(c)) request(&Engine::addtocomp, {seat, s, n});
            }
        }
    }

    // The spectator's audit, the privacy and codes of every card dealt, and the computer
    // players' indexes, which must follow every card the engine moved.
    void check() {
        for (const std::string& line : out.take(5)) audit_.observe(line);
        ASSERT_TRUE(audit_.ok()) << audit_.failure();
        ASSERT_TRUE(indexesFollowTheCards(*this));
        for (int seat = 1; seat <= kSeats; ++seat) ASSERT_EQ(state.players[seat].hand[kHandSlots - 1], 0);
        for (int slot = 1; slot <= kSeats; ++slot) {
            for (const std::string& line : out.take(slot)) {
                const auto routed = routeClientLine(line);
                if (!routed || routed->command != ClientCommand::CMD_newcard) continue;
                const auto card = wire::parse::newcard(routed->rest);
                ASSERT_TRUE(card);
                ASSERT_EQ(card->seat, slot);
                ASSERT_NE(card->card, 53);
            }
        }
    }

    GameAudit audit_{state};
};

TEST(WholeGame, ScriptedPlayersKeepEveryInvariantOverManySeeds) {
    long rounds = 0;
    long goingOuts = 0;
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        const bool botswatch = seed % 4 == 0;
        const std::string letter = seed % 3 == 0 ? "h" : "f";
        ScriptedTable table(seed * 7919u, botswatch, letter);
        table.play();
        if (HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed;
            return;
        }
        rounds += table.rounds();
        goingOuts += table.goingOuts();
    }
    EXPECT_GT(rounds, 120);
    // Both ways of ending a round were played.
    EXPECT_GT(goingOuts, 0);
    EXPECT_LT(goingOuts, rounds);
    std::printf("%ld rounds, %ld ended by going out\n", rounds, goingOuts);
}

TEST(WholeGame, ComputerPlayersIndexesFollowEveryCardTheyMove) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        EngineRig rig(seed * 104729u);
        rig.connect(5, "Spy");
        rig.state.botdelay = 1;
        rig.engine.startgame({"Spy", "h"});
        for (long tick = 0; rig.state.gamestarted; ++tick) {
            ASSERT_LT(tick, 1000000) << "seed " << seed << ": the game does not end";
            rig.engine.pacingTick();
            ASSERT_TRUE(indexesFollowTheCards(rig)) << "seed " << seed << ", tick " << tick;
        }
    }
}

}  // namespace
}  // namespace quintrel::test
