// The Expert computer player: its decisions in game situations, and whole games against the
// standard player.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/self_play.h"
#include "engine_rig.h"

namespace quintrel {
namespace {

constexpr int king = 13, queen = 25, seven = 7, five = 5, jack = 11, wild = 15, three = 16;

struct Book {
    int card;
    int count;
};

// Seat 2 (team 2) plays Expert with the turn, before its draw; the shoe holds only Nines.
struct Situation {
    std::string name;
    std::vector<int> hand;
    std::vector<Book> ours;    // team 2's working books
    std::vector<Book> theirs;  // team 1's working books
    int top = 0;
    bool opponentsNearlyOut = false;  // both opponents play their feet, one holds a single card
    std::function<void(const HostState&)> expect;
};

int held(const HostState& s, int seat, std::function<bool(int)> which) {
    const auto& hand = s.players[seat].hand;
    return static_cast<int>(
        std::count_if(hand.begin(), hand.end(), [&](int c) { return c != 0 && which(c); }));
}

class ExpertSituations : public kit::ComputerTurnTest {
protected:
    void playTurn(const Situation& c) {
        auto lay = [](TeamBooks& books, const std::vector<Book>& list) {
            int entry = 1;
            for (const Book& b : list) books[entry++] = BookEntry{b.count, b.card, BookKind::Normal};
        };
        lay(state.books[2], c.ours);
        lay(state.books[1], c.theirs);
        state.players[2].hand.fill(0);
        std::copy(c.hand.begin(), c.hand.end(), state.players[2].hand.begin());
        if (c.opponentsNearlyOut) {
            state.players[1].usefoot = state.players[3].usefoot = true;
            setHand(1, {5});
            setHand(3, {});
        }
        state.discardtop = c.top;
        state.discardbelow = 0;
        state.turnseat = 2;
        state.drawn = false;
        engine.setBotLevel(2, BotLevel::Expert);
        engine.botDraw(2);
    }
};

TEST_F(ExpertSituations, DecidesAsAStrongPlayerWould) {
    const std::vector<Situation> cases = {
        Situation{"does not discard the King the opponents complete their Kings with",
                  {king, five},
                  {},
                  {{39, 6}},
                  0,
                  false,
                  [](const HostState& s) {
                      EXPECT_EQ(rankOf(s.discardtop), 5);
                      EXPECT_EQ(held(s, 2, [](int c) { return rankOf(c) == 0; }), 1);
                  }},
        Situation{"discards that King when the rest of its hand makes a book",
                  {king, 9},
                  {},
                  {{39, 6}},
                  0,
                  false,
                  [](const HostState& s) { EXPECT_EQ(rankOf(s.discardtop), 0); }},
        Situation{"takes the Queen that completes its Queens",
                  {seven, five, 10},
                  {{12, 6}},
                  {},
                  queen,
                  false,
                  [](const HostState& s) {
                      EXPECT_EQ(s.completedcount[2], 1);
                      EXPECT_EQ(rankOf(s.completedbooks[2][1].card), 12);
                      EXPECT_EQ(held(s, 2, [](int c) { return rankOf(c) == 9; }), 0)
                          << "nothing from the shoe";
                  }},
        Situation{"draws two rather than a Queen its Queens of four can take",
                  {seven, five, 10},
                  {{12, 4}},
                  {},
                  queen,
                  false,
                  [](const HostState& s) {
                      EXPECT_EQ(s.books[2][1].count, 4);
                      EXPECT_GE(held(s, 2, [](int c) { return rankOf(c) == 9; }), 1);
                  }},
        Situation{"takes a Seven to make a book of three with its pair",
                  {seven, 20, five, 10},
                  {},
                  {},
                  33,
                  false,
                  [](const HostState& s) {
                      EXPECT_EQ(rankOf(s.books[2][1].card), 7);
                      EXPECT_EQ(s.books[2][1].count, 3);
                  }},
        Situation{"throws a three away first",
                  {three, five, 10, jack},
                  {},
                  {},
                  0,
                  false,
                  [](const HostState& s) { EXPECT_EQ(s.discardtop, three); }},
        Situation{"keeps a wild card for the next pair while the round goes on",
                  {wild, five, 6, 8},
                  {{jack, 3}},
                  {},
                  0,
                  false,
                  [](const HostState& s) {
                      EXPECT_EQ(held(s, 2, isWild), 1);
                      EXPECT_EQ(s.books[2][1].count, 3);
                  }},
        Situation{"lays its wild card before the opponents can go out",
                  {wild, five, 6, 8},
                  {{jack, 3}},
                  {},
                  0,
                  true,
                  [](const HostState& s) { EXPECT_EQ(held(s, 2, isWild), 0); }},
    };
    for (const Situation& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        playTurn(c);
        EXPECT_NE(state.turnseat, 2) << "the turn ends with the discard";
        c.expect(state);
    }
}

TEST(ExpertGames, BeatsTheStandardPlayerOnEitherSideKeepsTheInvariantsAndRepeatsItself) {
    for (int expertTeam = 1; expertTeam <= 2; ++expertTeam) {
        SelfPlayOptions options;
        options.letter = "t";
        options.teamLevel[expertTeam] = BotLevel::Expert;
        const SelfPlayStats s = selfPlay(100, 7, options);
        EXPECT_EQ(s.failure, "");
        EXPECT_EQ(s.games, 100);
        EXPECT_GE(s.wins[expertTeam], 55) << "team " << expertTeam;
    }
    SelfPlayOptions both;
    both.letter = "t";
    both.teamLevel = {BotLevel::Expert, BotLevel::Expert, BotLevel::Expert};
    const SelfPlayStats s = selfPlay(50, 11, both);
    EXPECT_EQ(s.failure, "");
    EXPECT_EQ(s.games, 50);
    // The same seed plays the same games, move for move.
    const SelfPlayStats again = selfPlay(50, 11, both);
    EXPECT_EQ(again.messages, s.messages);
    EXPECT_EQ(again.finalScoreSum, s.finalScoreSum);
}

}  // namespace
}  // namespace quintrel
