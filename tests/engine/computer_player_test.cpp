#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "cards.h"
#include "engine_rig.h"

namespace quintrel::test {
namespace {

using namespace kit;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

// The shoe's Nines are never melded with the hands below.
class Bots : public ComputerTurnTest {
protected:
    // True when the computer took the top discard (the shoe gave nothing).
    bool tookDiscard(std::initializer_list<int> hand, int top) {
        giveTurn(2);
        setHand(2, hand);
        state.discardtop = top;
        state.discardbelow = 0;
        const int before = engine.deck().cardsInShoe();
        engine.computerdraw(2);
        return engine.deck().cardsInShoe() == before;
    }
};

TEST_F(Bots, QueenOnThePileTakenWithTwoQueens) {
    EXPECT_TRUE(tookDiscard({kQueenC, kQueenD, 4, 6, 8, 10, 20, 24}, kQueenS));
    EXPECT_EQ(out.take(5).front(), "CMD_discard+0");
}

TEST_F(Bots, QueenWithOneQueenTakenOnlyWithManySinglesAndEnoughWilds) {
    // singles 5, pairs 0, wilds 0
    EXPECT_TRUE(tookDiscard({kQueenC, 4, 6, 8, 10}, kQueenS));
    // singles 4, pairs 1, wilds 0: not enough wilds
    EXPECT_FALSE(tookDiscard({kQueenC, 4, 4 + 13, 6, 8, 10}, kQueenS));
    // singles 3 only
    EXPECT_FALSE(tookDiscard({kQueenC, 6, 8, kTwoC}, kQueenS));
    // with a Queens' working book of five it is taken
    state.books[2][3] = BookEntry{5, kQueenD, BookKind::Normal};
    EXPECT_TRUE(tookDiscard({kQueenC, 4, 4 + 13, 6, 8, 10}, kQueenS));
}

TEST_F(Bots, AThreeOrAnEmptyPileAlwaysDrawsTwo) {
    EXPECT_FALSE(tookDiscard({kThreeC, kThreeC, 4, 6}, kThreeC + 13));
    giveTurn(2);
    setHand(2, {4, 6});
    state.discardtop = 0;
    const int before = engine.deck().cardsInShoe();
    engine.computerdraw(2);
    EXPECT_EQ(engine.deck().cardsInShoe(), before - 2);
}

TEST_F(Bots, KingsBookTakesBothWildsTheFiveIsDiscardedAndTheFootTakenUp) {
    setHand(2, {kKingC, kKingD, kKingS, kFiveC, kTwoC, kTwoD});
    engine.computerplay(2);
    EXPECT_THAT(out.take(5), ElementsAre("CMD_newbook+2+2+1+13+1", "CMD_postscores+20+20+2+4",
                                         "CMD_postscores+40+20+2+4", "CMD_postscores+60+20+2+4",
                                         "CMD_addtobook+2+2+4+1+4+2+2", "CMD_postscores+110+50+2+4",
                                         "CMD_addtobook+2+2+5+1+5+15+2", "CMD_postscores+160+50+2+4",
                                         "CMD_discard+5", "CMD_usefoot+2", "CMD_nextplayer+2+11+3"));
    EXPECT_EQ(state.books[2][1].kind, BookKind::Wild);
    EXPECT_EQ(state.books[2][1].count, 5);
    EXPECT_TRUE(state.players[2].usefoot);
    EXPECT_EQ(state.turnseat, 3);
}

TEST_F(Bots, WildsGoToAWildWorkingBookFirstElseAnyAndToWildCompletedBooks) {
    state.books[2][1] = BookEntry{3, 6, BookKind::Normal};
    state.books[2][2] = BookEntry{3, 7, BookKind::Wild};
    state.completedcount[2] = 2;
    state.completedbooks[2][1] = BookEntry{7, 8, BookKind::Normal};
    state.completedbooks[2][2] = BookEntry{7, 9, BookKind::Wild};
    setHand(2, {kTwoC, 10, kJoker});
    engine.computerplay(2);
    const auto all = out.take(5);
    // Both wilds join the Wild working book of sevens; the ten is discarded.
    EXPECT_THAT(withPrefix(all, "CMD_addtobook"),
                ElementsAre("CMD_addtobook+2+2+0+2+4+2+2", "CMD_addtobook+2+2+2+2+5+54+2"));
    EXPECT_THAT(all, Contains("CMD_discard+10"));

    // Without a Wild working book: the first one in use; completed Wild books also take wilds.
    state.books[2][2].count = 0;
    state.books[2][1] = BookEntry{3, 6, BookKind::Normal};
    giveTurn(2);
    setHand(2, {kTwoC, 10});
    engine.computerplay(2);
    EXPECT_THAT(withPrefix(out.take(5), "CMD_addtobook"), ElementsAre("CMD_addtobook+2+2+0+1+4+2+2"));

    state.books[2][1].count = 0;
    giveTurn(2);
    setHand(2, {kJoker, 10});
    engine.computerplay(2);
    EXPECT_THAT(withPrefix(out.take(5), "CMD_addtocomp"), ElementsAre("CMD_addtocomp+2+2+9"));
    EXPECT_EQ(state.completedbooks[2][1].count, 7);  // never onto the Normal one
}

TEST_F(Bots, FreedEntryRankSendsCardsToTheCompletedBook) {
    state.books[2][1] = BookEntry{0, kKingC, BookKind::Normal};
    state.completedcount[2] = 1;
    state.completedbooks[2][1] = BookEntry{7, kKingC, BookKind::Normal};
    setHand(2, {kKingD, kKingS, kKingH, 6, 8});
    engine.computerplay(2);
    const auto all = out.take(5);
    EXPECT_THAT(all, Not(Contains(::testing::StartsWith("CMD_newbook"))));
    EXPECT_EQ(withPrefix(all, "CMD_addtocomp").size(), 3u);
    EXPECT_EQ(state.completedbooks[2][1].count, 10);
}

TEST_F(Bots, DiscardsAThreeFirstAndNeverAWildWhileHoldingANatural) {
    setHand(2, {kJoker, 8, 10, kThreeC, 12});
    engine.computerplay(2);
    EXPECT_THAT(out.take(5), Contains("CMD_discard+3"));
    giveTurn(2);
    setHand(2, {kJoker, kTwoC, 8});
    engine.computerplay(2);
    EXPECT_THAT(out.take(5), Contains("CMD_discard+8"));
    giveTurn(2);
    setHand(2, {kJoker, 8, 8 + 13});  // a pair: one of them goes, not the joker
    state.books[2][1] = BookEntry{3, 8 + 26, BookKind::Normal};
    state.books[2][1].count = 0;  // a leftover of eights keeps the bot from a new book
    engine.computerplay(2);
    const auto discards = withPrefix(out.take(5), "CMD_discard");
    ASSERT_EQ(discards.size(), 1u);
    EXPECT_NE(discards[0], "CMD_discard+54");
}

TEST_F(Bots, TwentyCardsAndTheDiscardChosenStillEndsTheTurn) {
    auto& hand = state.players[2].hand;
    for (int slot = 0; slot < 20; ++slot) hand[slot] = (slot % 2) ? kQueenC : kQueenD;
    hand[20] = 0;
    state.discardtop = kQueenS;
    engine.computerdraw(2);
    EXPECT_NE(state.turnseat, 2);
    EXPECT_EQ(hand[20], 0);
}

TEST_F(Bots, ComputerActsOnTheSecondTickOnlyIfTheSeatIsStillComputerPlayed) {
    connect(3, "Cid");
    state.turnseat = 2;
    engine.findplayer();  // seat 3, a person
    EXPECT_FALSE(state.pacing.enabled);
    engine.justwatch({3, 1});
    EXPECT_TRUE(state.pacing.enabled);
    engine.justwatch({3, 2});
    engine.pacingTick();
    engine.pacingTick();
    EXPECT_EQ(state.turnseat, 3);  // the person kept the turn
    EXPECT_FALSE(state.pacing.enabled);
    // Watching again later still hands this turn to the computer.
    engine.justwatch({3, 1});
    engine.pacingTick();
    EXPECT_EQ(state.turnseat, 4);
    engine.justwatch({3, 2});
    state.turnseat = 2;
    engine.findplayer();

    engine.drawing({3, 1});
    engine.discard({3, 0});
    ASSERT_EQ(state.turnseat, 4);
    ASSERT_TRUE(state.pacing.enabled);
    engine.pacingTick();
    EXPECT_EQ(state.turnseat, 4);
    engine.pacingTick();
    EXPECT_EQ(state.turnseat, 1);
}

// A person hands over a turn after drawing: the computer goes on from there without drawing.
TEST(TakeOver, AfterTheDrawTheComputerFinishesTheTurnWithoutASecondDraw) {
    for (bool leaves : {false, true}) {
        EngineRig rig;
        rig.startWithPeople("f");
        rig.fillShoeWith(kNineC);
        rig.setHand(1, {4, 5, 6, 7, 8, 10, 11});  // nothing to meld, with or without two Nines
        rig.engine.drawing({1, 1});
        rig.state.players[1].connected = !leaves;
        leaves ? rig.engine.computerTakesTurn() : rig.engine.justwatch({1, 1});
        const int inShoe = rig.engine.deck().cardsInShoe();
        for (int tick = 0; tick < 2; ++tick) rig.engine.pacingTick();
        EXPECT_EQ(rig.state.turnseat, 2) << leaves;
        EXPECT_EQ(rig.engine.deck().cardsInShoe(), inShoe) << leaves;
        const auto& hand = rig.state.players[1].hand;
        EXPECT_EQ(std::count(hand.begin(), hand.end(), 0), kHandSlots - (7 + 2 - 1)) << leaves;
    }
}

TEST(SoloGame, ThreeComputerPlayersAndAScriptedSeatOnePlayToTheWinnerByTicksOnly) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        EngineRig rig(seed);
        auto& [state, out, random, engine] = rig;
        rig.connect(1, "You");
        state.botdelay = 750;
        engine.startgame({"You", "h"});
        int ticks = 0;
        while (state.gamestarted && ticks < 200000) {
            if (state.turnseat == 1 && !state.roundover) {
                // Seat 1 draws and throws away its first card.
                engine.drawing({1, 1});
                for (int slot = 0; slot < kHandSlots && state.turnseat == 1 && !state.roundover; ++slot) {
                    if (state.players[1].hand[slot] != 0) engine.discard({1, slot});
                }
                ASSERT_TRUE(state.turnseat != 1 || state.roundover || !state.gamestarted);
            } else {
                ASSERT_TRUE(state.pacing.enabled) << "nothing would ever happen";
                engine.pacingTick();
                ++ticks;
            }
        }
        ASSERT_FALSE(state.gamestarted);
        const auto lines = out.take(1);
        EXPECT_EQ(lines.back().rfind("CMD_winner+", 0), 0u) << lines.back();
        EXPECT_GE(std::max(state.players[1].score, state.players[2].score), 5000);
    }
}

}  // namespace
}  // namespace quintrel::test
