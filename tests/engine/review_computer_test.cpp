// The computer player's wild-card books pass by pass, its use of the generator, and the
// decisions it takes on the live hand rather than on the step's copy.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cards.h"
#include "engine_rig.h"

namespace quintrel::test {
namespace {

using namespace kit;
using ::testing::ElementsAre;

using BotSteps = ComputerTurnTest;

// The generator's seed once the fixture's game is dealt, and after one draw more.
constexpr std::uint32_t kSeedAfterDeal = 534583900u;
constexpr std::uint32_t kSeedAfterOneDraw = 1405678541u;

TEST_F(BotSteps, FirstPassPairsEachWildWithAPairAndDrawsTheGeneratorOnceAfterIt) {
    // singles 1 (the five), pairs 2, wilds 3
    setHand(2, {kKingC, kKingD, kQueenC, kQueenD, kTwoC, kTwoD, kTwoS, 5});
    ASSERT_EQ(random.seed(), kSeedAfterDeal);
    engine.computerplay(2);
    const auto all = out.take(5);
    EXPECT_THAT(withPrefix(all, "CMD_newbook"),
                ElementsAre("CMD_newbook+2+2+1+13+2", "CMD_newbook+2+2+2+12+2"));
    // The third wild is left over for the step after: at most one natural remains.
    EXPECT_THAT(withPrefix(all, "CMD_addtobook"), ElementsAre("CMD_addtobook+2+2+6+1+4+28+2"));
    EXPECT_THAT(withPrefix(all, "CMD_discard"), ElementsAre("CMD_discard+5"));
    EXPECT_EQ(random.seed(), kSeedAfterOneDraw);  // only the second pass's test draws
}

TEST_F(BotSteps, FewerWildsThanPairsMakeNoWildBookAndDrawNothing) {
    // singles 2, pairs 2, wilds 1
    setHand(2, {kKingC, kKingD, kQueenC, kQueenD, kTwoC, 5, 6});
    ASSERT_EQ(random.seed(), kSeedAfterDeal);
    engine.computerplay(2);
    const auto all = out.take(5);
    EXPECT_TRUE(withPrefix(all, "CMD_newbook").empty());
    EXPECT_THAT(withPrefix(all, "CMD_discard"), ElementsAre("CMD_discard+5"));
    EXPECT_EQ(random.seed(), kSeedAfterDeal);
}

TEST_F(BotSteps, ThirdPassNeedsMoreThanTwoWilds) {
    // singles 5 (the second pass can never fire), pairs 1, wilds 3
    setHand(2, {kKingC, kKingD, kTwoC, kTwoD, kTwoS, 4, 6, 8, 10, 12});
    engine.computerplay(2);
    EXPECT_THAT(withPrefix(out.take(5), "CMD_newbook"), ElementsAre("CMD_newbook+2+2+1+13+2"));

    // Only two wilds: more wilds than pairs, but not more than two.
    giveTurn(2);
    state.books[2][1] = BookEntry{};
    setHand(2, {kKingC, kKingD, kTwoC, kTwoD, 4, 6, 8, 10, 12});
    engine.computerplay(2);
    EXPECT_TRUE(withPrefix(out.take(5), "CMD_newbook").empty());
}

TEST_F(BotSteps, NewBookTakesTheFirstAndLastMatchAndTheFourthCardJoinsIt) {
    setHand(2, {kKingC, 5, kKingD, kKingS, 6, kKingH, 7});
    engine.computerplay(2);
    const auto all = out.take(5);
    EXPECT_THAT(withPrefix(all, "CMD_newbook"), ElementsAre("CMD_newbook+2+2+1+13+1"));
    EXPECT_THAT(withPrefix(all, "CMD_addtobook"), ElementsAre("CMD_addtobook+2+2+3+1+4+39+1"));
    EXPECT_EQ(state.books[2][1].count, 4);
}

TEST_F(BotSteps, ANewBookOverAFreedEntryLetsEarlierCardsOfItsLeftoverRankMakeABook) {
    // Entry 1 is free but still carries fives, so the fives in slots 0 and 1 are passed
    // over; the sixes' book then takes entry 1, and the five in slot 5 pairs with them.
    state.books[2][1] = BookEntry{0, 5, BookKind::Normal};
    setHand(2, {5, 18, 6, 19, 32, 31});
    engine.computerplay(2);
    EXPECT_THAT(withPrefix(out.take(5), "CMD_newbook"),
                ElementsAre("CMD_newbook+2+2+1+6+1", "CMD_newbook+2+2+2+31+1"));
    EXPECT_EQ(state.books[2][2].count, 3);
}

TEST_F(BotSteps, ARefusedNewBookDoesNotRepeatTheAddsToBooks) {
    // A watching person's table hears every refusal of the computer's requests.
    connect(2, "Bob");
    state.players[2].watching = true;
    // Nine working books in use, the sixes one card short of a fourteenth completed book.
    state.books[2][1] = BookEntry{6, 6, BookKind::Normal};
    const int others[] = {4, 5, 7, 8, 9, 10, 11, 12};
    for (int e = 2; e <= 9; ++e) state.books[2][e] = BookEntry{3, others[e - 2], BookKind::Normal};
    state.completedcount[2] = 13;
    for (int n = 1; n <= 13; ++n) state.completedbooks[2][n] = BookEntry{7, 8, BookKind::Normal};
    setHand(2, {kSixD, kKingC, kKingD, kKingS});
    engine.computerplay(2);
    const auto mine = out.take(2);
    // The six is refused in the first and in the fifth step; the Kings' book is refused.
    EXPECT_THAT(withPrefix(mine, "CMD_nobookmatch"), ElementsAre("CMD_nobookmatch+0", "CMD_nobookmatch+0"));
    EXPECT_THAT(withPrefix(mine, "CMD_toomany"), ElementsAre("CMD_toomany+"));
}

TEST_F(BotSteps, AWildJoinsAsSoonAsTheLiveHandHoldsOneNatural) {
    state.books[2][1] = BookEntry{3, 6, BookKind::Normal};
    // Two naturals when the step begins: the first wild is kept; once the six has joined
    // its book only the nine is left, so the later wild joins in the same step.
    setHand(2, {kTwoC, kSixD, 9, kTwoD});
    engine.computerplay(2);
    const auto all = out.take(5);
    EXPECT_THAT(withPrefix(all, "CMD_addtobook"),
                ElementsAre("CMD_addtobook+2+2+1+1+4+19+1", "CMD_addtobook+2+2+3+1+5+15+2",
                            "CMD_addtobook+2+2+0+1+6+2+2"));
    EXPECT_THAT(withPrefix(all, "CMD_discard"), ElementsAre("CMD_discard+9"));
}

TEST_F(BotSteps, AMeldThatEmptiesTheFootEndsTheTurnAndTheLaterStepsDoNothing) {
    state.players[2].usefoot = true;
    setFoot(2, {});
    setHand(2, {kKingC, kKingD, kKingS});
    setHand(4, {5, 6});
    engine.computerplay(2);
    auto all = out.take(5);
    EXPECT_THAT(withPrefix(all, "CMD_newbook"), ElementsAre("CMD_newbook+2+2+1+13+1"));
    EXPECT_TRUE(withPrefix(all, "CMD_discard").empty());
    EXPECT_THAT(withPrefix(out.take(1), "CMD_nextplayer"), ElementsAre("CMD_nextplayer+2+0+3"));
    EXPECT_EQ(state.turnseat, 3);

    // The partner already out as well: the team goes out, and nothing follows the round's end.
    giveTurn(2);
    state.books[2][1] = BookEntry{};
    state.players[4].usefoot = true;
    setHand(4, {});
    setFoot(4, {});
    setHand(2, {kKingC, kKingD, kKingS});
    ASSERT_EQ(state.players[2].score, 60);
    engine.computerplay(2);
    all = out.take(5);
    ASSERT_GE(all.size(), 5u);
    // Seat 2's penalty line carries the going-out bonus (60 + 60 for the Kings + 200), which
    // has no line of its own.
    EXPECT_EQ(all[all.size() - 4], "CMD_postscores+320+0+2+4");
    EXPECT_EQ(all.back(), "CMD_winner+2+Klot and Kling");
    EXPECT_TRUE(withPrefix(all, "CMD_discard").empty());
}

}  // namespace
}  // namespace quintrel::test
