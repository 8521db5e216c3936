#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "cards.h"
#include "engine_rig.h"

namespace quintrel::test {
namespace {

using namespace kit;
using ::testing::ElementsAre;

class Books : public EngineTest {
protected:
    void SetUp() override {
        startWithPeople("f");
        giveTurn(1);
        setFoot(1, {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    }
};

TEST_F(Books, KingKingTwoAndTwoKingKingMakeAWildKingsBook) {
    setHand(1, {kKingC, kKingD, kTwoC, kTwoD, kKingS, kKingH, 7});
    engine.createbook({1, {0, 1, 2}});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_freecard+0", "CMD_freecard+1", "CMD_freecard+2",
                                         "CMD_newbook+1+1+1+13+2", "CMD_postscores+20+20+1+3",
                                         "CMD_postscores+40+20+1+3", "CMD_postscores+90+50+1+3"));
    // Only the actor learns which slots were freed.
    EXPECT_THAT(out.take(5), ElementsAre("CMD_newbook+1+1+1+13+2", "CMD_postscores+20+20+1+3",
                                         "CMD_postscores+40+20+1+3", "CMD_postscores+90+50+1+3"));
    engine.createbook({1, {3, 4, 5}});
    EXPECT_EQ(withPrefix(out.take(5), "CMD_newbook").front(), "CMD_newbook+1+1+2+39+2");
    EXPECT_EQ(state.books[1][2].card, kKingS);
    EXPECT_EQ(state.books[1][2].count, 3);
    EXPECT_EQ(state.players[3].score, 180);
    EXPECT_EQ(state.turnseat, 1);
}

TEST_F(Books, RefusalsComeInTheirPrecedenceAndChangeNothing) {
    setHand(1, {kThreeC, kThreeD, kThreeS, kTwoC, kTwoD, kJoker, kQueenC, kThreeC, kKingC});
    const auto before = state.players[1].hand;
    engine.createbook({1, {0, 1, 2}});  // three threes
    engine.createbook({1, {3, 4, 5}});  // three wilds
    engine.createbook({1, {3, 5, 6}});  // two, joker, Queen
    engine.createbook({1, {7, 3, 4}});  // a three with two wilds: the three test comes first
    engine.createbook({1, {6, 8, 3}});  // Queen, King, two
    EXPECT_THAT(out.take(1),
                ElementsAre("CMD_nothree+", "CMD_notwo+", "CMD_nobook+", "CMD_nothree+", "CMD_nobook+"));
    EXPECT_TRUE(out.take(5).empty());
    EXPECT_EQ(state.players[1].hand, before);
    EXPECT_EQ(state.books[1][1].count, 0);
}

TEST_F(Books, RepeatedSlotEmptySlotAndWrongSeatAreRefusedOrIgnored) {
    setHand(1, {kKingC, kKingD, kTwoC});
    engine.createbook({1, {0, 0, 2}});  // one King named twice
    EXPECT_THAT(out.take(1), ElementsAre("CMD_nobook+"));
    engine.createbook({1, {0, 1, 5}});   // slot 5 is empty
    engine.createbook({2, {0, 1, 2}});   // not seat 2's turn
    engine.createbook({1, {0, 1, 21}});  // out of range
    engine.createbook({9, {0, 1, 2}});
    engine.addtobook({1, 0, 14});
    engine.addtocomp({1, 0, 0});
    engine.discard({1, 21});
    engine.drawing({5, 1});
    EXPECT_TRUE(out.take(1).empty());
    EXPECT_TRUE(out.take(5).empty());
    EXPECT_EQ(state.players[1].hand[0], kKingC);
}

TEST_F(Books, TenthBookRefusedAndAFreedEntryIsReused) {
    // Nine working books of different ranks; the one in entry 4 (sevens) is about to complete.
    const int ranks[] = {4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int e = 1; e <= 9; ++e) state.books[1][e] = BookEntry{3, ranks[e - 1], BookKind::Normal};
    state.books[1][4].count = 6;
    setHand(1, {kKingC, kKingD, kKingS, 7 + 13, kJoker});
    engine.createbook({1, {0, 1, 2}});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_toomany+"));
    engine.addtobook({1, 3, 4});  // the seventh seven completes entry 4
    EXPECT_EQ(state.books[1][4].count, 0);
    EXPECT_EQ(state.books[1][4].card, 7);  // the leftover stays
    out.clear();
    engine.createbook({1, {0, 1, 2}});
    EXPECT_EQ(withPrefix(out.take(5), "CMD_newbook").front(), "CMD_newbook+1+1+4+13+1");
    EXPECT_EQ(state.books[1][4].card, kKingC);
}

TEST_F(Books, JokerTurnsANormalBookWildAndItCompletesForThreeHundred) {
    state.books[1][1] = BookEntry{4, kFiveC, BookKind::Normal};
    setHand(1, {kJoker, kFiveD, kFiveS, 9});
    engine.addtobook({1, 0, 1});
    EXPECT_EQ(state.books[1][1].kind, BookKind::Wild);
    EXPECT_EQ(state.books[1][1].count, 5);
    engine.addtobook({1, 1, 1});
    out.clear();
    engine.addtobook({1, 2, 1});
    const auto actor = out.take(1);
    // The seventh card: add, its score, free, completion, bonus.
    EXPECT_THAT(actor,
                ElementsAre("CMD_addtobook+1+1+2+1+7+31+2", "CMD_postscores+70+10+1+3", "CMD_freecard+2",
                            "CMD_complete+1+1+1+1+5+2", "CMD_postscores+370+300+1+3"));
    EXPECT_EQ(state.completedcount[1], 1);
    EXPECT_EQ(state.completedbooks[1][1].count, 7);
    EXPECT_EQ(state.completedbooks[1][1].kind, BookKind::Wild);
}

// What a melded card scores, rank by rank (Kings and twos: the Wild Kings book above).
TEST_F(Books, EveryRankMeldsForItsOwnPoints) {
    const std::vector<std::pair<std::array<int, 3>, std::string>> rows = {
        {{14, 27, 40}, "20 40 60"},                 // Aces
        {{kQueenC, kQueenD, kQueenS}, "20 40 60"},  // Queens
        {{kJackC, kJackD, kJackS}, "20 40 60"},     // Jacks
        {{4, 17, 30}, "10 20 30"},                  // Fours
        {{10, 23, kJoker}, "10 20 70"},             // Tens and a joker
    };
    for (const auto& [cards, totals] : rows) {
        state.books[1] = {};
        state.players[1].score = state.players[3].score = 0;
        setHand(1, {cards[0], cards[1], cards[2], 9});
        out.clear();
        engine.createbook({1, {0, 1, 2}});
        std::string seen;
        for (const std::string& line : withPrefix(out.take(5), "CMD_postscores+"))
            seen += (seen.empty() ? "" : " ") + line.substr(15, line.find('+', 15) - 15);
        EXPECT_EQ(seen, totals) << cards[0];
    }
}

TEST_F(Books, NaturalSeventhCardScoresFiveHundred) {
    state.books[1][1] = BookEntry{6, kFiveC, BookKind::Normal};
    setHand(1, {kFiveH, 9});
    engine.addtobook({1, 0, 1});
    EXPECT_THAT(withPrefix(out.take(5), "CMD_postscores"),
                ElementsAre("CMD_postscores+10+10+1+3", "CMD_postscores+510+500+1+3"));
}

TEST_F(Books, AddToBookRefusesAMismatchAFreeEntryAndAThree) {
    state.books[1][1] = BookEntry{3, kFiveC, BookKind::Normal};
    state.books[1][2] = BookEntry{0, kKingC, BookKind::Normal};  // freed by completion
    setHand(1, {kKingD, kThreeC, kKingS});
    engine.addtobook({1, 0, 1});
    engine.addtobook({1, 1, 1});
    engine.addtobook({1, 2, 2});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_nobookmatch+0", "CMD_nobookmatch+1", "CMD_nobookmatch+2"));
}

TEST_F(Books, WildCardsGoOnWildCompletedBooksOnly) {
    state.completedcount[1] = 2;
    state.completedbooks[1][1] = BookEntry{7, kJackC, BookKind::Normal};
    state.completedbooks[1][2] = BookEntry{7, kKingC, BookKind::Wild};
    setHand(1, {kJackD, kTwoC, kKingD, kJoker, kJackS, 9});
    engine.addtocomp({1, 0, 1});  // Jack on Normal Jacks
    engine.addtocomp({1, 1, 1});  // two on Normal Jacks: refused
    engine.addtocomp({1, 2, 2});  // King on Wild Kings
    engine.addtocomp({1, 3, 2});  // joker on Wild Kings
    engine.addtocomp({1, 4, 3});  // no third completed book
    EXPECT_THAT(out.take(1), ElementsAre("CMD_postscores+20+20+1+3", "CMD_freecard+0", "CMD_addtocomp+1+1+11",
                                         "CMD_nobookmatch+1", "CMD_postscores+40+20+1+3", "CMD_freecard+2",
                                         "CMD_addtocomp+1+2+13", "CMD_postscores+90+50+1+3", "CMD_freecard+3",
                                         "CMD_addtocomp+1+2+13", "CMD_nobookmatch+4"));
    EXPECT_EQ(state.completedbooks[1][1].count, 8);
    EXPECT_EQ(state.completedbooks[1][2].count, 9);
    EXPECT_EQ(state.completedbooks[1][2].kind, BookKind::Wild);
}

TEST_F(Books, FourteenthCompletedBookIsRefusedWithoutWritingPastTheTable) {
    state.completedcount[1] = 13;
    for (int n = 1; n <= 13; ++n) state.completedbooks[1][n] = BookEntry{7, kJackC, BookKind::Normal};
    state.books[1][1] = BookEntry{6, kFiveC, BookKind::Normal};
    state.books[1][2] = BookEntry{5, kKingC, BookKind::Normal};
    setHand(1, {kFiveD, kKingD, kJackH, 9});
    engine.addtobook({1, 0, 1});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_nobookmatch+0"));
    EXPECT_EQ(state.books[1][1].count, 6);
    engine.addtobook({1, 1, 2});  // a sixth card is still fine
    EXPECT_EQ(state.books[1][2].count, 6);
    engine.addtocomp({1, 2, 13});  // completed books still take cards
    EXPECT_EQ(state.completedbooks[1][13].count, 8);
    EXPECT_EQ(state.completedcount[1], 13);
}

TEST_F(Books, MeldEmptyingTheHandTakesUpTheFootAndKeepsTheTurn) {
    setHand(1, {kKingC, kKingD, kKingS});
    engine.createbook({1, {0, 1, 2}});
    const auto actor = out.take(1);
    ASSERT_EQ(actor.size(), 3u + 1u + 3u + 11u + 1u);
    for (int slot = 0; slot <= 10; ++slot) {
        EXPECT_EQ(actor[7 + slot], "CMD_newcard+1+" + std::to_string(slot) + "+" + std::to_string(4 + slot));
    }
    EXPECT_EQ(actor.back(), "CMD_usefoot+1");
    EXPECT_EQ(out.take(5).back(), "CMD_usefoot+1");
    EXPECT_TRUE(withPrefix(out.take(2), "CMD_nextplayer").empty());
    EXPECT_EQ(state.turnseat, 1);
    EXPECT_TRUE(state.players[1].usefoot);
    EXPECT_EQ(state.players[1].foot, decltype(state.players[1].foot){});
}

TEST_F(Books, MeldEmptyingTheFootWhilePartnerHoldsCardsPassesTheTurn) {
    // Both play from their feet: only the partner's cards keep the team in.
    state.players[1].usefoot = true;
    state.players[3].usefoot = true;
    setFoot(1, {});
    setHand(1, {kKingC, kKingD, kKingS});
    engine.createbook({1, {0, 1, 2}});
    EXPECT_EQ(withPrefix(out.take(2), "CMD_nextplayer"), std::vector<std::string>{"CMD_nextplayer+1+0+2"});
    EXPECT_EQ(state.turnseat, 2);
    EXPECT_TRUE(state.gamestarted);
}

}  // namespace
}  // namespace quintrel::test
