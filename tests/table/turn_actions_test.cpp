#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

TEST(TurnActions, DrawTwiceSendsOneRequestAndHidesBothButtons) {
    Table t(2);
    t.state.discard(9);
    t.state.getnextplayer({1, 11, 2});
    ASSERT_TRUE(t.state.pickupButton().visible);
    t.state.drawFromShoe();
    t.state.drawFromShoe();
    t.state.takeDiscardPile();
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_drawing+2+1"}));
    EXPECT_FALSE(t.state.drawButton().visible);
    EXPECT_FALSE(t.state.pickupButton().visible);
}

TEST(TurnActions, PickUpSendsSourceTwo) {
    Table t(4);
    t.state.discard(9);
    t.state.getnextplayer({3, 11, 4});
    t.state.takeDiscardPile();
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_drawing+4+2"}));
    EXPECT_FALSE(t.state.drawButton().visible);
}

TEST(TurnActions, ACardOrThePileClickedBeforeTheDrawSaysDrawFirst) {
    Table t(1);
    t.deal({9, 10});
    t.state.getnextplayer({2, 3, 1});
    t.state.pressCard(1, MouseButton::Left);
    EXPECT_EQ(t.state.statusText(), "Draw first.");
    t.state.nobook();
    t.state.discardSelected();
    EXPECT_EQ(t.state.statusText(), "Draw first.");
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_TRUE(t.events.sent.empty());
}

TEST(TurnActions, NothingIsSentOutOfTurnOrBeforeLogin) {
    Table t(1);
    t.state.getnextplayer({0, 0, 2});
    t.state.drawFromShoe();
    EXPECT_TRUE(t.events.sent.empty());

    Table fresh(0);
    fresh.state.createFromSquares();  // whoseturn 0 is not seat 0's turn
    fresh.state.discardSelected();
    fresh.state.toggleJustWatch();
    EXPECT_TRUE(fresh.events.sent.empty());
    EXPECT_EQ(fresh.state.statusText(), "Welcome to Quintrel!");
}

TEST(TurnActions, CreateNeedsThreeSquares) {
    Table t(1);
    t.deal({9, 22, 35});
    t.myTurnDrawn(13);
    t.events.clear();
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(1);
    t.state.pressCard(2, MouseButton::Left);
    t.state.placeOnSquare(3);
    t.state.createFromSquares();
    EXPECT_EQ(t.state.statusText(), "Not a complete book");
    EXPECT_TRUE(t.events.sent.empty());
    t.state.pressCard(1, MouseButton::Left);
    t.state.placeOnSquare(2);
    t.state.createFromSquares();
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_createbook+1+0+1+2"}));
    // The squares keep their cards until the host answers.
    EXPECT_EQ(t.state.square(3).tag, 2);
}

TEST(TurnActions, ClearBookReturnsEverySquaresCard) {
    Table t(1);
    t.deal({9, 22, 35});
    t.myTurnDrawn(13);
    for (int slot = 0; slot < 3; ++slot) {
        t.state.pressCard(slot, MouseButton::Left);
        t.state.placeOnSquare(3 - slot);
    }
    t.events.clear();
    t.state.clearSquares();
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"clearbook", "clearbook", "clearbook"}));
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{3, 2, 1, 0}));  // square 1 first
    EXPECT_EQ(t.state.card(0)->left, 4 + 20 * 3);
}

TEST(TurnActions, DiscardReturnsSquareCardsFirstThenSendsAndEndsTheTurn) {
    Table t(3);
    t.deal({9, 22, 35});
    t.myTurnDrawn(13);
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(1);
    t.state.pressCard(1, MouseButton::Left);
    t.state.placeOnSquare(3);
    t.state.pressCard(3, MouseButton::Left);
    t.events.clear();
    t.state.discardSelected();
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"clearbook", "clearbook"}));
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_discard+3+3"}));
    EXPECT_TRUE(t.state.square(1).empty());
    EXPECT_TRUE(t.state.square(3).empty());
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(t.state.whoseturn(), 0);
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.state.card(3)->top, kCardTopRaised);  // until the host frees it
    t.state.discardSelected();                        // nothing more this turn
    EXPECT_EQ(t.events.sent.size(), 1u);
}

TEST(TurnActions, DiscardWithoutASelectionDoesNothing) {
    Table t(1);
    t.myTurnDrawn(9);
    t.events.clear();
    t.state.discardSelected();
    EXPECT_TRUE(t.events.sent.empty());
    EXPECT_EQ(t.state.whoseturn(), 1);
}

TEST(TurnActions, BookClicksSendTheClickedSlotAndClearTheSelection) {
    Table t(1);
    t.deal({9});
    t.state.newbook({2, 2, 5, 9, 1});
    t.state.newbook({2, 2, 6, 10, 1});
    t.state.completed({2, 2, 6, 3, 10, 1});
    t.myTurnDrawn(22);
    t.events.clear();
    t.state.playOnBook(2, 5);  // nothing selected
    EXPECT_TRUE(t.events.sent.empty());
    t.state.pressCard(1, MouseButton::Left);
    t.state.playOnBook(2, 5);  // the other team's board: the host resolves the slot
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_addtobook+1+1+5"}));
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.state.card(1)->top, kCardTopRaised);
    t.state.pressCard(0, MouseButton::Left);
    t.state.playOnCompletedBook(2, 3);
    EXPECT_EQ(t.events.sent.back(), "CMD_addtocomp+1+0+3");
    EXPECT_EQ(t.state.selectedcode(), "");
}

TEST(TurnActions, JustWatchAsksTheHostAndWaitsForItsAnswer) {
    Table t(2);
    t.state.toggleJustWatch();
    EXPECT_EQ(t.events.sent.back(), "CMD_justwatch+2+1");
    EXPECT_FALSE(t.state.justWatchChecked());
    t.state.justwatching({2, 1});
    t.state.toggleJustWatch();
    EXPECT_EQ(t.events.sent.back(), "CMD_justwatch+2+2");

    Table spectator(6);
    spectator.state.toggleJustWatch();
    EXPECT_TRUE(spectator.events.sent.empty());
}

// The host hands a turn to the computer only while the seat still watches when its delay is
// up; a player who takes the seat back before that must be able to draw.
TEST(TurnActions, TakingTheSeatBackBeforeTheComputerDrewOffersTheDrawAgain) {
    Table t(1);
    t.state.discard(20);
    t.state.getnextplayer({4, 9, 1});
    t.state.justwatching({1, 1});
    EXPECT_FALSE(t.state.drawButton().visible);
    t.state.justwatching({1, 2});
    EXPECT_TRUE(t.state.drawButton().visible);
    EXPECT_TRUE(t.state.pickupButton().visible);
    t.state.drawFromShoe();
    EXPECT_EQ(t.events.sent.back(), "CMD_drawing+1+1");

    // Watching from the start of the turn: the buttons were never offered.
    t.state.getnextplayer({1, 12, 2});
    t.state.justwatching({1, 1});
    t.state.getnextplayer({4, 9, 1});
    EXPECT_FALSE(t.state.drawButton().visible);
    t.state.justwatching({1, 2});
    EXPECT_TRUE(t.state.drawButton().visible);
}

TEST(TurnActions, TakingTheSeatBackAfterDrawingOrAfterTheTurnOffersNoDraw) {
    Table t(1);
    t.deal({13});
    t.myTurnDrawn(20);
    t.state.justwatching({1, 1});
    t.state.justwatching({1, 2});
    EXPECT_FALSE(t.state.drawButton().visible);
    t.state.pressCard(0, MouseButton::Left);
    EXPECT_EQ(t.state.selectedslot(), 0);  // still in the drawn phase of this turn

    // The computer played the whole turn before the seat was taken back.
    t.state.getnextplayer({1, 12, 2});
    t.state.justwatching({1, 1});
    t.state.getnextplayer({4, 9, 1});
    t.state.getnextplayer({1, 10, 2});
    t.state.justwatching({1, 2});
    EXPECT_FALSE(t.state.drawButton().visible);
    EXPECT_FALSE(t.state.pickupButton().visible);
}

}  // namespace
}  // namespace quintrel::table
