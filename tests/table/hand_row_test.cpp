#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

// Codes: clubs Two..King are 2..13, Ace 14; Seven of diamonds 20; joker 54.
TEST(HandRow, SortOrdersByRankWithThreesLastAndKeepsEqualRanksInOrder) {
    Table t(1);
    t.deal({2, 7, 3, 13, 14, 4});
    t.state.sortthem();
    EXPECT_EQ(t.rowCodes(), (std::vector<int>{2, 4, 7, 13, 14, 3}));
    EXPECT_EQ(t.state.card(0)->left, 6);    // never moved
    EXPECT_EQ(t.state.card(5)->left, 22);   // the Four moved to place 2
    EXPECT_EQ(t.state.card(2)->left, 102);  // the Three moved to place 6
    for (int k = 2; k <= 6; ++k)
        EXPECT_GT(t.state.card(t.state.handrow(k).slot)->z, t.state.card(t.state.handrow(k - 1).slot)->z);
    EXPECT_GT(t.state.pickupButton().z, t.state.card(2)->z);
}

TEST(HandRow, SortIsStableAndJokersGoWithTheTwos) {
    Table t(1);
    t.deal(
        {20, 54, 7, 15, 2, 33});  // 7 of diamonds, joker, 7 of clubs, 2 of diamonds, 2 of clubs, 7 of spades
    t.state.sortthem();
    EXPECT_EQ(t.rowCodes(), (std::vector<int>{54, 15, 2, 20, 7, 33}));
}

TEST(HandRow, RightClickSortsAtAnyTime) {
    Table t(0);  // not even logged in
    t.deal({13, 4});
    t.state.pressCard(0, MouseButton::Right);
    EXPECT_EQ(t.rowCodes(), (std::vector<int>{4, 13}));
}

TEST(HandRow, LeftClickSelectsOnlyOnceTheOwnDrawIsAnswered) {
    Table t(1);
    t.deal({13, 4, 9});
    t.state.pressCard(1, MouseButton::Left);  // not the player's turn
    EXPECT_EQ(t.state.selectedslot(), -1);
    t.state.getnextplayer({0, 0, 1});
    t.state.pressCard(1, MouseButton::Left);  // not drawn yet
    EXPECT_EQ(t.state.selectedslot(), -1);
    t.state.justwatching({1, 1});  // hides the draw button, but nothing was drawn
    t.state.pressCard(1, MouseButton::Left);
    t.state.discardSelected();
    t.state.justwatching({1, 2});
    t.state.drawFromShoe();
    t.state.pressCard(1, MouseButton::Left);  // the host has not answered yet
    t.state.discardSelected();
    EXPECT_EQ(t.takeSent(), std::vector<std::string>{"CMD_drawing+1+1"});  // no discard either time
    EXPECT_EQ(t.state.selectedslot(), -1);
    t.host({"CMD_newcard+1+3+10"});
    t.state.pressCard(1, MouseButton::Left);
    EXPECT_EQ(t.state.selectedslot(), 1);
    EXPECT_EQ(t.state.selectedcode(), "4");
    EXPECT_EQ(t.state.card(1)->top, kCardTopRaised);
    t.state.pressCard(1, MouseButton::Left);  // click it again: lowered
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.state.card(1)->top, kCardTopResting);
}

TEST(HandRow, ClickingAnotherCardMovesTheSelection) {
    Table t(1);
    t.deal({13, 4});
    t.myTurnDrawn(9);
    t.state.pressCard(0, MouseButton::Left);
    t.state.pressCard(2, MouseButton::Left);
    EXPECT_EQ(t.state.card(0)->top, kCardTopResting);
    EXPECT_EQ(t.state.card(2)->top, kCardTopRaised);
    EXPECT_EQ(t.state.selectedslot(), 2);
    EXPECT_EQ(t.state.selectedcode(), "9");
}

TEST(HandRow, ManualSortSwapsTwoCardsAndLeavesNothingSelected) {
    Table t(1);
    t.state.setManualSort(true);
    t.deal({13, 4});
    t.myTurnDrawn(9);
    t.state.pressCard(0, MouseButton::Left);
    t.state.pressCard(2, MouseButton::Left);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.state.card(0)->top, kCardTopResting);
    EXPECT_EQ(t.state.card(2)->top, kCardTopResting);
    EXPECT_EQ(t.state.card(2)->left, 2);
    EXPECT_EQ(t.state.card(0)->left, 42);
    EXPECT_EQ(t.state.card(1)->left, 26);
    EXPECT_GT(t.state.card(0)->z, t.state.card(1)->z);
}

TEST(HandRow, PlacingACardClosesTheGapToItsRight) {
    Table t(1);
    t.deal({13, 4, 9});
    t.myTurnDrawn(10);
    t.state.pressCard(1, MouseButton::Left);
    t.state.placeOnSquare(2);
    EXPECT_EQ(t.state.square(2).tag, 1);
    EXPECT_EQ(t.state.square(2).hint, "4");
    EXPECT_EQ(t.state.square(2).picture, 4);
    EXPECT_FALSE(t.state.card(1)->visible);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(t.state.card(2)->left, 26);
    EXPECT_EQ(t.state.card(3)->left, 46);
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.events.sounds.back(), "placeon");
    // A second click on the full square with a new selection takes the card back instead.
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(2);
    EXPECT_TRUE(t.state.square(2).empty());
    EXPECT_EQ(t.events.sounds.back(), "placeoff");
}

TEST(HandRow, TakingACardBackPutsItInTheFirstFreePlace) {
    Table t(1);
    t.deal({13, 4});
    t.myTurnDrawn(9);
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(3);
    t.state.getnextplayer({1, 3, 2});  // taking back needs neither the turn nor a selection
    t.state.placeOnSquare(3);
    EXPECT_TRUE(t.state.square(3).empty());
    EXPECT_EQ(t.state.square(3).tag, -1);
    EXPECT_EQ(t.state.square(3).picture, -1);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{1, 2, 0}));
    const CardImage* back = t.state.card(0);
    EXPECT_TRUE(back->visible);
    EXPECT_EQ(back->left, 4 + 20 * 2);
    EXPECT_EQ(back->top, kCardTopResting);
    EXPECT_GT(back->z, t.state.card(2)->z);
    t.state.placeOnSquare(1);  // empty square, no selection: nothing
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{1, 2, 0}));
}

TEST(HandRow, WarningOnlyForTheFirstCardMatchingAnOwnWorkingBook) {
    Table t(3);
    t.deal({9, 22, 35});                // three Nines and a King
    t.state.newbook({1, 1, 2, 48, 1});  // team 1 already has Nines
    t.state.newbook({2, 2, 1, 13, 1});  // the other team's Kings do not count
    t.myTurnDrawn(13);
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(1);
    EXPECT_EQ(t.events.boxes, (std::vector<std::string>{"Woops, you already have that book!"}));
    EXPECT_EQ(t.state.square(1).tag, 0);  // placed all the same
    t.state.pressCard(1, MouseButton::Left);
    t.state.placeOnSquare(2);
    t.state.pressCard(2, MouseButton::Left);
    t.state.placeOnSquare(3);
    EXPECT_EQ(t.events.boxes.size(), 1u);
    t.state.clearSquares();
    t.state.pressCard(3, MouseButton::Left);
    t.state.placeOnSquare(1);
    EXPECT_EQ(t.events.boxes.size(), 1u);
}

// The warning is modal, and the host's messages go on while it is open. Whatever they do to
// the card being placed, no square may show a card the hand does not hold.
TEST(HandRow, MessagesWhileTheWoopsBoxIsOpenLeaveNoGhostCardOnASquare) {
    for (const char* whileOpen : {"CMD_freecard+0", "CMD_nextplayer+1+3+2"}) {
        Table t(1);
        t.state.newbook({3, 1, 1, 22, 1});  // the team already has a book of Nines
        t.deal({9, 10, 11});
        t.myTurnDrawn(12);
        t.state.pressCard(0, MouseButton::Left);
        t.events.whileBoxOpen = [&] { t.host({whileOpen}); };
        t.state.placeOnSquare(1);
        ASSERT_EQ(t.events.boxes.size(), 1u) << whileOpen;
        const Square& square = t.state.square(1);
        EXPECT_EQ(square.picture >= 0, !square.empty()) << whileOpen;
        EXPECT_EQ(square.empty(), t.state.card(0) == nullptr) << whileOpen;  // placed unless freed
        EXPECT_EQ(t.rowSlots(), (std::vector<int>{1, 2, 3})) << whileOpen;
    }
}

}  // namespace
}  // namespace quintrel::table
