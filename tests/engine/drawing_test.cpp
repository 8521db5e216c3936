#include <gtest/gtest.h>

#include "engine_rig.h"

namespace quintrel::test {
namespace {

using namespace kit;
using ::testing::ElementsAre;

class Drawing : public EngineTest {
protected:
    void SetUp() override { startWithPeople("f"); }
};

TEST_F(Drawing, DrawTwoFillsTheLowestFreeSlotsAndTellsOnlyTheDrawer) {
    setHand(1, {9, 0, 10});
    fillShoeWith(53);  // the Ace of hearts arrives as a joker
    engine.drawing({1, 1});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_newcard+1+1+54", "CMD_newcard+1+3+54"));
    EXPECT_TRUE(out.take(5).empty());
    EXPECT_EQ(engine.deck().cardsInShoe(), 268);
}

TEST_F(Drawing, NineteenFullSlotsTakeOneCardAndSlotTwentyIsNeverFilled) {
    auto& hand = state.players[1].hand;
    hand.fill(9);
    hand[19] = 0;
    hand[20] = 0;
    fillShoeWith(7);
    engine.drawing({1, 1});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_newcard+1+19+7"));
    EXPECT_EQ(hand[20], 0);
    EXPECT_EQ(engine.deck().cardsInShoe(), 269);
    engine.getcard(1, 20, 1);
    EXPECT_EQ(engine.deck().cardsInShoe(), 269);
    EXPECT_EQ(hand[20], 0);
}

TEST_F(Drawing, DiscardCoversAndTakingTheTopUncoversTheCardBelow) {
    const int a = 9, b = 10;
    setHand(1, {a, b, 11});
    fillShoeWith(0);
    thedeck::Slots slots{};
    slots[1] = 6;
    engine.deck().setShoe(slots);
    giveTurn(1);
    engine.discard({1, 0});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_freecard+0", "CMD_discard+9", "CMD_nextplayer+1+2+2"));
    setHand(2, {b, 12});
    giveTurn(2);
    engine.discard({2, 0});
    EXPECT_EQ(state.discardtop, b);
    EXPECT_EQ(state.discardbelow, a);
    EXPECT_EQ(engine.deck().cardsInShoe(), 2);  // A went back into the shoe
    out.clear();
    setHand(3, {4});
    engine.drawing({3, 2});
    EXPECT_THAT(out.take(3), ElementsAre("CMD_newcard+3+1+10", "CMD_discard+9"));
    EXPECT_THAT(out.take(5), ElementsAre("CMD_discard+9"));
    // A is both in the shoe and on the pile; taking it again uncovers A once more.
    engine.discard({3, 0});
    engine.drawing({4, 2});
    EXPECT_EQ(state.discardtop, 9);
    EXPECT_EQ(state.discardbelow, 9);
}

TEST_F(Drawing, TakingTheTopWithNothingBelowEmptiesThePileAndEmptyPileDrawsTwo) {
    state.discardtop = 12;
    state.discardbelow = 0;
    setHand(1, {9});
    engine.drawing({1, 2});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_newcard+1+1+12", "CMD_discard+0"));
    fillShoeWith(8);
    engine.drawing({1, 2});  // empty pile: two from the shoe
    EXPECT_THAT(out.take(1), ElementsAre("CMD_newcard+1+2+8", "CMD_newcard+1+3+8"));
}

TEST_F(Drawing, TakingTheTopWithTwentyCardsTakesNothingAndTheTurnGoesOn) {
    state.players[1].hand.fill(9);
    state.players[1].hand[20] = 0;
    state.discardtop = 12;
    engine.drawing({1, 2});
    EXPECT_TRUE(out.take(1).empty());
    EXPECT_EQ(state.discardtop, 12);
    engine.discard({1, 4});
    EXPECT_EQ(state.turnseat, 2);
}

TEST_F(Drawing, BeforeTheDrawNothingIsPlayedAndAnInvalidDiscardKeepsTheTurn) {
    setHand(1, {9, 9, 9, 2});
    state.books[1][1] = BookEntry{3, 9, BookKind::Normal};
    engine.createbook({1, {0, 1, 2}});
    engine.addtobook({1, 3, 1});
    engine.discard({1, 0});
    EXPECT_TRUE(out.take(5).empty());
    EXPECT_EQ(state.players[1].hand[0], 9);
    giveTurn(1);
    engine.discard({1, 5});
    EXPECT_THAT(out.take(1), ElementsAre("CMD_invaliddiscard+"));
    EXPECT_EQ(state.turnseat, 1);
}

TEST_F(Drawing, DiscardingTheLastCardTakesUpTheFootAndPassesTheTurn) {
    setHand(1, {9});
    setFoot(1, {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    giveTurn(1);
    engine.discard({1, 0});
    const auto actor = out.take(1);
    ASSERT_EQ(actor.size(), 2u + 11u + 2u);
    EXPECT_EQ(actor[0], "CMD_freecard+0");
    EXPECT_EQ(actor[1], "CMD_discard+9");
    EXPECT_EQ(actor[2], "CMD_newcard+1+0+4");
    EXPECT_EQ(actor[12], "CMD_newcard+1+10+14");
    EXPECT_EQ(actor[13], "CMD_usefoot+1");
    EXPECT_EQ(actor[14], "CMD_nextplayer+1+11+2");
    EXPECT_EQ(state.turnseat, 2);
}

TEST_F(Drawing, DrawingTwiceInOneTurnIsAllowed) {
    setHand(1, {});
    fillShoeWith(6);
    engine.drawing({1, 1});
    engine.drawing({1, 1});
    EXPECT_EQ(withPrefix(out.take(1), "CMD_newcard").size(), 4u);
}

TEST_F(Drawing, ShoeMissingOnTheSecondCardEndsTheRoundWithoutIt) {
    setHand(1, {});
    thedeck::Slots slots{};
    slots[1] = 6;  // one card; the second draw finds nothing
    engine.deck().setShoe(slots);
    // The lone card may be missed too; either way the round ends within one request.
    engine.drawing({1, 1});
    EXPECT_TRUE(state.roundover);
    const auto actor = out.take(1);
    EXPECT_LE(withPrefix(actor, "CMD_newcard").size(), 1u);
    EXPECT_EQ(withPrefix(actor, "CMD_postscores").size(), 4u);
}

}  // namespace
}  // namespace quintrel::test
