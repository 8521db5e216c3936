// Whole games with every seat driven by a simple scripted player through the engine's
// requests, checking the game's invariants after every request.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "harness.h"
#include "net/wire.h"

namespace quintrel::test {
namespace {

class ScriptedTable {
public:
    ScriptedTable(std::uint32_t seed, bool botswatch, const std::string& letter)
        : random_(seed), engine_(state_, out_, random_), botswatch_(botswatch) {
        for (int slot = 1; slot <= 5; ++slot) {
            state_.players[slot].connected = true;
            state_.players[slot].name = "P" + std::to_string(slot);
        }
        state_.connectioncount = 5;
        state_.botdelay = 500;
        engine_.startgame({"P1", letter});
        check();
        engine_.settourney({botswatch, letter == "f" ? "3" : "0"});
        check();
    }

    // Plays to the end of the game; a round that does not end fails the test.
    void play() {
        int turnsThisRound = 0;
        while (state_.gamestarted) {
            if (state_.roundover) {
                engine_.pacingTick();
                check();
                turnsThisRound = 0;
                continue;
            }
            ASSERT_LT(++turnsThisRound, 2000) << "a round does not end";
            turn(state_.turnseat);
            ++turns_;
        }
        ASSERT_TRUE(sawWinner_);
    }

    int turns() const { return turns_; }
    int rounds() const { return rounds_; }
    int goingOuts() const { return goingOuts_; }

private:
    // One request, then the invariants.
    template <typename Request>
    void request(void (Engine::*handler)(const Request&), const Request& fields) {
        (engine_.*handler)(fields);
        check();
    }

    bool stillMine(int seat) const {
        return state_.gamestarted && !state_.roundover && state_.turnseat == seat;
    }

    void turn(int seat) {
        const auto& hand = state_.players[seat].hand;
        int choice = 1;
        if (isNatural(state_.discardtop) && !isThree(state_.discardtop)) {
            int same = 0;
            for (int c : hand) same += (c != 0 && !isWild(c) && rankOf(c) == rankOf(state_.discardtop));
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
        const auto& hand = state_.players[seat].hand;
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
                const BookEntry& b = state_.books[team][e];
                if (b.count > 0 && (isWild(c) || rankOf(b.card) == rankOf(c))) {
                    request(&Engine::addtobook, {seat, s, e});
                }
            }
            for (int n = 1; n <= state_.completedcount[team] && hand[s] != 0 && stillMine(seat); ++n) {
                const BookEntry& b = state_.completedbooks[team][n];
                if (!isWild(c) && rankOf(b.card) == rankOf(c)) request(&Engine::addtocomp, {seat, s, n});
            }
        }
    }

    void check() {
        for (int seat = 1; seat <= 2; ++seat) {
            ASSERT_EQ(state_.players[seat].score, state_.players[seat + 2].score)
                << "partners' scores differ";
        }
        for (int seat = 1; seat <= 4; ++seat) ASSERT_EQ(state_.players[seat].hand[20], 0);
        watch(out_.take(5));
        for (int slot = 1; slot <= 4; ++slot) {
            for (const std::string& line : out_.take(slot)) {
                if (line.rfind("CMD_newcard+", 0) == 0) {
                    const auto card = wire::parse::newcard(restOf(line));
                    ASSERT_TRUE(card);
                    ASSERT_EQ(card->seat, slot);
                    ASSERT_NE(card->card, 53);
                }
            }
        }
    }

    // The spectator's view: every announced total must follow from the announced points.
    // A round's result comes right after its four penalty lines, seats 1 to 4; going out
    // adds 200 without a message of its own, so it shows on the team's first penalty line.
    void watch(const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::string command = line.substr(0, line.find('+'));
            std::size_t result = i;
            while (result < lines.size() && lines[result].rfind("CMD_rwinner+", 0) != 0 &&
                   lines[result].rfind("CMD_winner+", 0) != 0) {
                ++result;
            }
            const bool penaltyLine = result < lines.size() && result - i <= 4;
            if (command == "CMD_startgame") {
                announced_ = {0, 0, 0};
            } else if (command == "CMD_postscores") {
                const auto s = wire::parse::postscores(restOf(line));
                ASSERT_TRUE(s);
                ASSERT_EQ(s->partner, partnerOf(s->seat));
                const int team = teamOf(s->seat);
                const int expected = announced_[team] + s->points;
                if (penaltyLine) {
                    ASSERT_EQ(s->seat, 5 - static_cast<int>(result - i)) << "penalty order";
                }
                if (penaltyLine && result - i >= 3 && s->teamScore == expected + 200) {
                    ASSERT_FALSE(wentOut_) << "two going-out bonuses in one round";
                    wentOut_ = true;
                    ++goingOuts_;
                } else {
                    ASSERT_EQ(s->teamScore, expected) << line;
                }
                announced_[team] = s->teamScore;
            } else if (command == "CMD_rwinner" || command == "CMD_winner") {
                ASSERT_GE(i, 4u);
                wentOut_ = false;
                ++rounds_;
                if (command == "CMD_winner") {
                    sawWinner_ = true;
                    const auto w = wire::parse::winner(restOf(line));
                    ASSERT_TRUE(w);
                    const int s1 = state_.players[1].score, s2 = state_.players[2].score;
                    ASSERT_EQ(w->team, s1 > s2 ? 1 : s2 > s1 ? 2 : 0);
                    if (state_.playtotarget) {
                        ASSERT_GE(std::max(s1, s2), state_.targetscore);
                    }
                }
            }
        }
    }

    HostState state_;
    RecordingOutbox out_;
    RandomSource random_;
    Engine engine_;
    bool botswatch_;
    std::array<int, 3> announced_{};
    bool wentOut_ = false;
    bool sawWinner_ = false;
    int turns_ = 0;
    int rounds_ = 0;
    int goingOuts_ = 0;
};

TEST(WholeGame, ScriptedPlayersKeepEveryInvariantOverManySeeds) {
    int rounds = 0;
    int goingOuts = 0;
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
    std::printf("%d rounds, %d ended by going out\n", rounds, goingOuts);
}

}  // namespace
}  // namespace quintrel::test
