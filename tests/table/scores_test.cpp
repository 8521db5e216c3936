#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

TEST(Scores, BothPartnersChangeTogetherAndWaitingSeatsShowTheComputerPlayer) {
    Table t(1);
    t.label(1).caption = "You";
    t.state.postscores({-120, -5, 4, 2});
    EXPECT_EQ(t.state.seatRow(2).score, "-120");
    EXPECT_EQ(t.state.seatRow(4).score, "-120");
    EXPECT_EQ(t.state.seatRow(1).score, "0");
    EXPECT_EQ(t.label(2).caption, "Klot");
    EXPECT_EQ(t.label(4).caption, "Kling");
    EXPECT_EQ(t.label(1).caption, "You");
}

TEST(Scores, RoundWonByTheOwnLastDiscardCreditsThisPlayer) {
    Table t(3);
    t.myTurnDrawn(9);
    t.state.pressCard(0, MouseButton::Left);
    t.state.discardSelected();
    t.state.freecard(0);
    t.events.clear();
    t.state.rwinner(1);
    EXPECT_EQ(t.state.seatRow(3).cardsleft, "0");
    EXPECT_TRUE(t.state.roundWinner(1).visible);
    EXPECT_FALSE(t.state.roundWinner(2).visible);
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"winner"}));
    ASSERT_EQ(t.events.chat.size(), 1u);
    EXPECT_EQ(t.events.chat[0].text, "The next round will start soon..");
    EXPECT_EQ(t.events.chat[0].colour, 0xFF0000u);
}

// The pause after a round and the end of a game show no turn, and nothing can be played. A
// round can end on the own draw (the shoe ran out): the own count still shows the hand.
TEST(Scores, RoundAndGameEndClearTheTurnDisplay) {
    for (bool gameOver : {false, true}) {
        Table t(2);
        t.deal({9, 10});
        t.state.discard(9);
        t.state.getnextplayer({1, 5, 2});
        gameOver ? t.state.winner({2, "Player2 and Kling"}) : t.state.rwinner(2);
        EXPECT_EQ(t.state.turnText(), "");
        EXPECT_EQ(t.state.turnMarkerTop(), -1);
        EXPECT_FALSE(t.state.blueArrow().visible || t.state.drawButton().visible ||
                     t.state.pickupButton().visible);
        EXPECT_EQ(t.state.seatRow(2).cardsleft, "2");
        t.state.takeDiscardPile();
        t.state.pressCard(0, MouseButton::Left);
        EXPECT_TRUE(t.events.sent.empty());
        EXPECT_EQ(t.state.selectedslot(), -1);
    }
}

TEST(Scores, SpectatorHasNoOwnCardCountToSet) {
    Table t(7, false);
    t.state.startround();
    t.state.rwinner(0);
    t.state.winner({0, "No One"});
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(t.state.seatRow(seat).cardsleft, "11");
    EXPECT_FALSE(t.state.roundWinner(1).visible);
    EXPECT_FALSE(t.state.roundWinner(2).visible);
}

TEST(Scores, TieShowsNoPictureAndRecordsNothing) {
    Table t(1);
    std::vector<std::string> tally;
    t.state.onGameWon = [&](const std::string& s) { tally.push_back(s); };
    t.state.winner({0, "No One"});
    EXPECT_EQ(t.events.chat.back().text, "The Game Ended in a Tie");
    EXPECT_FALSE(t.state.gameWinner(1).visible);
    EXPECT_FALSE(t.state.gameWinner(2).visible);
    EXPECT_TRUE(tally.empty());
}

TEST(Scores, GameWinnerIsAnnouncedRecordedAndTheStartButtonReturnsOnlyForTheHost) {
    for (bool host : {true, false}) {
        Table t(1, host);
        std::vector<std::string> tally;
        t.state.onGameWon = [&](const std::string& s) { tally.push_back(s); };
        t.state.startthegame({"You", "t"});
        EXPECT_FALSE(t.state.startButton().visible);
        t.state.getnextplayer({1, 3, 2});
        t.state.winner({2, "Klot and Kling"});
        EXPECT_TRUE(t.state.gameWinner(2).visible);
        EXPECT_EQ(t.state.seatRow(2).cardsleft, "0");
        EXPECT_EQ(t.state.whoseturn(), 0);
        EXPECT_EQ(t.events.chat.back().text, "Klot and Kling have Won the Game!");
        EXPECT_EQ(tally, (std::vector<std::string>{"Klot and Kling"}));
        EXPECT_EQ(t.state.startButton().visible, host);
    }
}

TEST(Scores, ATableGivenSlotOneDuringAGameOffersTheStartButtonOnlyOnceTheGameEnds) {
    // A table that joins a headless host mid-game as slot 1 learns of the running game from
    // the catch-up's turn message; it must not offer a new game over the running one.
    Table t(1);
    t.state.setIshost(true);
    EXPECT_TRUE(t.state.startButton().visible);
    t.state.getnextplayer({1, 0, 3});
    EXPECT_FALSE(t.state.startButton().visible);
    t.state.winner({1, "Ann and Klick"});
    EXPECT_TRUE(t.state.startButton().visible);
}

}  // namespace
}  // namespace quintrel::table
