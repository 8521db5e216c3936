#include <gtest/gtest.h>

#include <array>

#include "cards.h"
#include "engine_rig.h"

namespace quintrel::test {
namespace {

using namespace kit;
using ::testing::ElementsAre;

TEST_F(EngineTest, DealSendsHandCardsOnlyToConnectedPersonsAndOpensWithSeatOne) {
    connect(1, "Ann");
    connect(2, "Bob");
    connect(5, "Spy");
    state.botdelay = 750;
    engine.startgame({"Ann+Plus", "f"});  // the name may hold "+"; the letter is after the last one

    EXPECT_EQ(engine.deck().cardsInShoe(), 270 - 88);
    for (int seat = 1; seat <= 4; ++seat) {
        const tplayer& p = state.players[seat];
        for (int slot = 0; slot <= 10; ++slot) {
            EXPECT_NE(p.hand[slot], 0);
            EXPECT_NE(p.foot[slot], 0);
            for (int c : {p.hand[slot], p.foot[slot]}) EXPECT_TRUE(c != 1 && c != 53);
        }
        for (int slot = 11; slot < kHandSlots; ++slot) EXPECT_EQ(p.hand[slot] + p.foot[slot], 0);
        EXPECT_EQ(p.team, (std::array<int, 5>{0, 1, 2, 1, 2}[seat]));
    }

    // The deal of this seed, as seat 1 hears it.
    EXPECT_THAT(out.take(1), ElementsAre("CMD_startgame+Ann+Plus+f", "CMD_newcard+1+0+52",
                                         "CMD_newcard+1+1+8", "CMD_newcard+1+2+16", "CMD_newcard+1+3+23",
                                         "CMD_newcard+1+4+15", "CMD_newcard+1+5+41", "CMD_newcard+1+6+3",
                                         "CMD_newcard+1+7+24", "CMD_newcard+1+8+16", "CMD_newcard+1+9+20",
                                         "CMD_newcard+1+10+29", "CMD_nextplayer+0+0+1"));
    EXPECT_EQ(state.players[1].hand[0], 52);
    EXPECT_EQ(withPrefix(out.take(2), "CMD_newcard").size(), 11u);
    // The spectator sees the start and the turn but no cards.
    EXPECT_THAT(out.take(5), ElementsAre("CMD_startgame+Ann+Plus+f", "CMD_nextplayer+0+0+1"));
    EXPECT_TRUE(out.take(3).empty());
    EXPECT_EQ(state.turnseat, 1);
    EXPECT_FALSE(state.playtotarget);
    // Seat 1 is a person: no computer turn is pending on the timer.
    EXPECT_FALSE(state.pacing.enabled);
    EXPECT_EQ(state.pacing.tag, PacingTag::ComputerTurnPending);
}

TEST_F(EngineTest, GameLengthLetterAndTourneyOptions) {
    connect(1, "Ann");
    engine.startgame({"Ann", "t"});
    EXPECT_TRUE(state.playtotarget);
    EXPECT_EQ(state.targetscore, 10000);
    engine.startgame({"Ann", "h"});
    EXPECT_EQ(state.targetscore, 5000);
    engine.startgame({"Ann", "f"});
    EXPECT_FALSE(state.playtotarget);
    EXPECT_EQ(state.targetscore, 5000);  // one round leaves the target alone

    out.clear();
    engine.settourney({true, "3"});
    EXPECT_TRUE(state.botswatch);
    EXPECT_TRUE(state.playtotarget);
    EXPECT_EQ(state.targetscore, 3000);
    EXPECT_TRUE(state.players[3].watching && state.players[4].watching);
    EXPECT_THAT(out.take(1), ElementsAre("CMD_nobots+3+", "CMD_justwatching+3+1", "CMD_justwatching+4+1"));

    engine.settourney({false, "0"});
    EXPECT_FALSE(state.botswatch);
    EXPECT_TRUE(out.take(1).empty());
}

TEST_F(EngineTest, BotsWatchTurnOrderIsOneTwoOneTwo) {
    connect(1, "Ann");
    connect(2, "Bob");
    engine.startgame({"Ann", "f"});
    engine.settourney({true, "0"});
    out.clear();
    std::vector<int> order{state.turnseat};
    for (int turn = 0; turn < 4; ++turn) {
        const int seat = state.turnseat;
        engine.drawing({seat, 1});
        engine.discard({seat, 0});
        order.push_back(state.turnseat);
    }
    EXPECT_THAT(order, ElementsAre(1, 2, 1, 2, 1));
    const auto nexts = withPrefix(out.take(1), "CMD_nextplayer");
    ASSERT_EQ(nexts.size(), 4u);
    EXPECT_EQ(nexts[0], "CMD_nextplayer+1+12+2");
}

TEST_F(EngineTest, GoingOutAddsTwoHundredThenFourPenaltyLines) {
    startWithPeople("f");
    giveTurn(1);
    for (int seat : {1, 3}) state.players[seat].usefoot = true;
    setHand(1, {13, 26, 39});
    setFoot(1, {});
    setHand(3, {});
    setFoot(3, {});
    setHand(2, {3, 54});  // -150
    setFoot(2, {});
    setHand(4, {});
    setFoot(4, {10, 11});  // foot never taken up still costs: -30
    state.players[1].score = 1000;
    state.players[3].score = 1000;

    engine.createbook({1, {0, 1, 2}});
    const auto all = out.take(5);
    // book, three card scores, then the round end: +200 rides on seat 1's penalty line.
    EXPECT_THAT(
        all,
        ElementsAre("CMD_newbook+1+1+1+13+1", "CMD_postscores+1020+20+1+3", "CMD_postscores+1040+20+1+3",
                    "CMD_postscores+1060+20+1+3", "CMD_postscores+1260+0+1+3", "CMD_postscores+-150+-150+2+4",
                    "CMD_postscores+1260+0+3+1", "CMD_postscores+-180+-30+4+2", "CMD_winner+1+Ann and Cid"));
    EXPECT_FALSE(state.gamestarted);
    EXPECT_EQ(state.turnseat, 0);
    EXPECT_EQ(state.players[1].score, state.players[3].score);
    EXPECT_EQ(state.players[2].score, state.players[4].score);
}

TEST_F(EngineTest, InATwoPlayerGameASeatGoesOutAloneAndTheWatchingSeatsPayNothing) {
    startWithPeople("f");
    engine.settourney({true, "0"});
    giveTurn(1);
    state.players[1].usefoot = true;
    setHand(1, {kKingC, kKingD, kKingS});
    setFoot(1, {});
    setHand(2, {kThreeC});
    setFoot(2, {});
    // Seats 3 and 4 keep the hands and feet they were dealt, and never took up a foot.
    out.clear();
    engine.createbook({1, {0, 1, 2}});
    const auto all = out.take(5);
    EXPECT_THAT(
        withPrefix(all, "CMD_postscores"),
        ElementsAre("CMD_postscores+20+20+1+3", "CMD_postscores+40+20+1+3", "CMD_postscores+60+20+1+3",
                    "CMD_postscores+260+0+1+3", "CMD_postscores+-100+-100+2+4", "CMD_postscores+260+0+3+1",
                    "CMD_postscores+-100+0+4+2"));
    EXPECT_EQ(all.back(), "CMD_winner+1+Ann and Cid");
}

TEST_F(EngineTest, EmptyShoeEndsTheRoundForTheDrawingSeatsTeam) {
    startWithPeople("h");
    engine.drawing({1, 1});
    engine.discard({1, 0});
    ASSERT_EQ(state.turnseat, 2);
    fillShoeWith(0);
    out.clear();
    engine.drawing({2, 1});
    const auto all = out.take(5);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(withPrefix(all, "CMD_postscores").size(), 4u);
    EXPECT_EQ(all.back(), "CMD_rwinner+2+");
    EXPECT_TRUE(state.roundover);
    EXPECT_TRUE(state.gamestarted);
    EXPECT_EQ(state.pacing.tag, PacingTag::NewRoundPending);
    EXPECT_TRUE(state.pacing.enabled);
    // No second draw, no new card: the round is over.
    EXPECT_TRUE(withPrefix(out.take(2), "CMD_newcard").empty());
    const int before = state.players[1].score;

    // The pause: plays are ignored, the new round comes on the tenth tick.
    engine.discard({2, 0});
    engine.drawing({2, 1});
    EXPECT_TRUE(out.take(5).empty());
    for (int tick = 1; tick < 10; ++tick) engine.pacingTick();
    EXPECT_TRUE(state.roundover);
    engine.pacingTick();
    EXPECT_FALSE(state.roundover);
    const auto next = out.take(5);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.front(), "CMD_startround+");
    // The round after one ended by seat 2 begins with seat 3.
    EXPECT_EQ(state.turnseat, 3);
    EXPECT_EQ(state.players[1].score, before);
    EXPECT_EQ(withPrefix(out.take(3), "CMD_newcard").size(), 11u);
}

TEST_F(EngineTest, PlayToTargetEndsWhenAScoreReachesItAndTiesGoToNoOne) {
    startWithPeople("h");
    for (int seat = 1; seat <= 4; ++seat) {
        setHand(seat, {});
        setFoot(seat, {});
    }
    state.players[1].score = state.players[3].score = 4999;
    state.players[2].score = state.players[4].score = 100;
    engine.postwinner(1);
    EXPECT_TRUE(state.gamestarted);
    EXPECT_EQ(out.take(5).back(), "CMD_rwinner+1+");

    // Exactly at the target ends the game; equal scores: no winner.
    state.roundover = false;
    state.players[1].score = state.players[3].score = 5000;
    state.players[2].score = state.players[4].score = 5000;
    engine.postwinner(2);
    EXPECT_FALSE(state.gamestarted);
    EXPECT_EQ(out.take(5).back(), "CMD_winner+0+No One");
    EXPECT_EQ(state.pacing.tag, PacingTag::Idle);
    EXPECT_FALSE(state.pacing.enabled);
}

TEST_F(EngineTest, WinnerNamesAreTheSeatsCurrentNames) {
    connect(1, "Ann");
    state.botdelay = 500;
    engine.startgame({"Ann", "f"});
    for (int seat = 1; seat <= 4; ++seat) {
        setHand(seat, {});
        setFoot(seat, {});
    }
    state.players[2].score = state.players[4].score = 10;
    out.clear();
    engine.postwinner(1);
    EXPECT_EQ(out.take(1).back(), "CMD_winner+2+Klot and Kling");
}

TEST_F(EngineTest, StartGameOverARunningGameDropsWhatWasPending) {
    startWithPeople("h");
    fillShoeWith(0);
    engine.drawing({1, 1});  // round ends, new round pending on the timer
    ASSERT_EQ(state.pacing.tag, PacingTag::NewRoundPending);
    ASSERT_TRUE(state.pacing.enabled);
    engine.startgame({"Ann", "f"});
    EXPECT_EQ(state.turnseat, 1);
    EXPECT_FALSE(state.roundover);
    EXPECT_EQ(state.pacing.tag, PacingTag::ComputerTurnPending);
    EXPECT_FALSE(state.pacing.enabled);  // seat 1 is a person
    for (int tick = 0; tick < 20; ++tick) engine.pacingTick();
    EXPECT_EQ(state.turnseat, 1);
    EXPECT_EQ(withPrefix(out.take(1), "CMD_nextplayer").back(), "CMD_nextplayer+0+0+1");
    EXPECT_EQ(withPrefix(out.take(5), "CMD_startround").size(), 0u);
}

TEST_F(EngineTest, TimerDoesNothingBeforeABotDelayIsSet) {
    connect(1, "Ann");
    engine.startgame({"Ann", "h"});
    fillShoeWith(0);
    engine.drawing({1, 1});
    ASSERT_EQ(state.pacing.tag, PacingTag::NewRoundPending);
    for (int tick = 0; tick < 30; ++tick) engine.pacingTick();
    EXPECT_TRUE(state.roundover);
    EXPECT_EQ(state.botticks, 0);
}

TEST_F(EngineTest, JustWatchOnOwnTurnStartsTheComputerTimer) {
    startWithPeople("f");
    out.clear();
    engine.justwatch({1, 1});
    EXPECT_TRUE(state.players[1].watching);
    EXPECT_TRUE(state.pacing.enabled);
    EXPECT_EQ(out.take(5).back(), "CMD_justwatching+1+1");
    engine.justwatch({1, 2});
    EXPECT_FALSE(state.players[1].watching);
    // Unconnected seats and seats 3/4 of a bots-watch game are left alone.
    state.players[4].connected = false;
    engine.justwatch({4, 1});
    EXPECT_FALSE(state.players[4].watching);
    engine.settourney({true, "0"});
    engine.justwatch({3, 2});
    EXPECT_TRUE(state.players[3].watching);
}

}  // namespace
}  // namespace quintrel::test
