#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

TEST(TableMessages, NewCardForAnotherSeatChangesNothing) {
    Table t(1);
    t.state.newcard({2, 0, 13});
    EXPECT_TRUE(t.state.cards().empty());
    EXPECT_TRUE(t.state.handrow(1).free);
    EXPECT_TRUE(t.events.sounds.empty());
}

TEST(TableMessages, NewCardTakesTheFirstFreePlaceAndCoversItsLeftNeighbour) {
    Table t(1);
    t.deal({13, 20});
    ASSERT_EQ(t.state.cards().size(), 2u);
    const CardImage* first = t.state.card(0);
    const CardImage* second = t.state.card(1);
    EXPECT_EQ(first->name(), "card0");
    EXPECT_EQ(first->hint(), "13");
    EXPECT_EQ(first->left, 6);
    EXPECT_EQ(second->left, 26);
    EXPECT_EQ(second->top, kCardTopResting);
    EXPECT_GT(second->z, first->z);
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"getcard", "getcard"}));
}

TEST(TableMessages, RepeatedNewCardForAShownSlotReplacesTheCard) {
    Table t(1);
    t.deal({13, 20, 30});
    t.state.newcard({1, 1, 44});
    EXPECT_EQ(t.state.cards().size(), 3u);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(t.state.card(1)->code, 44);
    EXPECT_TRUE(t.state.handrow(4).free);
}

TEST(TableMessages, FullRowIgnoresAFurtherCard) {
    Table t(1);
    t.deal(std::vector<int>(20, 9));
    t.events.clear();
    t.state.newcard({1, 20, 10});
    EXPECT_EQ(t.state.card(20), nullptr);
    EXPECT_EQ(t.state.cards().size(), 20u);
    EXPECT_TRUE(t.events.sounds.empty());
}

TEST(TableMessages, OutOfRangeNumbersChangeNothing) {
    Table t(1);
    t.state.newcard({1, 21, 9});
    t.state.newcard({1, -1, 9});
    t.state.newcard({1, 0, 55});
    t.state.freecard(-3);
    t.state.discard(55);
    t.state.usefoot(5);
    t.state.newbook({1, 3, 1, 9, 1});
    t.state.newbook({1, 1, 14, 9, 1});
    t.state.newbook({1, 1, 1, 9, 3});
    t.state.completed({1, 1, 1, 0, 9, 1});
    t.state.getnextplayer({0, 0, 5});
    t.state.getnextplayer({7, 3, 2});
    t.state.postscores({100, 5, 0, 3});
    EXPECT_TRUE(t.state.cards().empty());
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    EXPECT_TRUE(t.state.completedBooks(1).empty());
    EXPECT_EQ(t.state.discardPicture(), -1);
    EXPECT_EQ(t.state.whoseturn(), 0);
    EXPECT_EQ(t.state.seatRow(1).score, "0");
    EXPECT_TRUE(t.events.sounds.empty());
}

TEST(TableMessages, FreeCardClosesTheGap) {
    Table t(1);
    t.deal({13, 20, 30, 40});
    t.state.freecard(1);
    EXPECT_EQ(t.state.card(1), nullptr);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(t.state.card(2)->left, 26);
    EXPECT_EQ(t.state.card(3)->left, 46);
    t.state.freecard(17);  // no such card: nothing happens
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2, 3}));
}

TEST(TableMessages, FreeCardOfACardOnASquareLeavesTheRowAndEmptiesTheSquare) {
    Table t(1);
    t.deal({13, 20});
    t.myTurnDrawn(30);
    t.state.pressCard(1, MouseButton::Left);
    t.state.placeOnSquare(1);
    t.state.freecard(1);
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2}));
    EXPECT_EQ(t.state.card(1), nullptr);
    EXPECT_TRUE(t.state.square(1).empty());
    t.state.clearSquares();  // nothing left to take back
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{0, 2}));
}

TEST(TableMessages, DiscardOfZeroShowsTheBackAndOffersThePickUp) {
    Table t(1);
    t.state.getnextplayer({1, 9, 2});
    t.state.discard(0);
    EXPECT_EQ(t.state.discardPicture(), 0);
    EXPECT_EQ(t.state.discardTag(), 1);
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"discard"}));
    t.state.getnextplayer({4, 9, 1});
    EXPECT_TRUE(t.state.pickupButton().visible);
    EXPECT_TRUE(t.state.drawButton().visible);
}

TEST(TableMessages, UseFootHidesThatSeatsFoot) {
    Table t(1);
    t.state.startround();
    t.state.usefoot(3);
    EXPECT_FALSE(t.state.seatRow(3).footVisible);
    EXPECT_TRUE(t.state.seatRow(1).footVisible);
    EXPECT_EQ(t.events.sounds.back(), "getfoot");
}

// A table that joins a game in progress never sees the game start: the host's catch-up
// only names the seats that have taken up their foot, so the others must already show one.
TEST(TableMessages, AJoiningTableShowsTheFeetOfSeatsThatHaveNotTakenThemUp) {
    Table t(3);
    t.state.usefoot(2);
    EXPECT_TRUE(t.state.seatRow(1).footVisible);
    EXPECT_FALSE(t.state.seatRow(2).footVisible);
    EXPECT_TRUE(t.state.seatRow(3).footVisible);
    EXPECT_TRUE(t.state.seatRow(4).footVisible);
}

TEST(TableMessages, NewBookIsDrawnWithThreeCardsAndAnnounced) {
    Table t(1);
    t.label(2).caption = "Klot";
    t.state.newbook({2, 2, 4, 13, 2});
    const WorkingBook& b = t.state.workingBooks(2).at(4);
    EXPECT_EQ(b.name(), "book24");
    EXPECT_EQ(b.hint(), "13");
    EXPECT_EQ(b.width, 46);
    EXPECT_EQ(b.left, 13);
    EXPECT_EQ(b.top, 51 * 4 - 11);
    ASSERT_EQ(b.layers.size(), 3u);
    EXPECT_EQ(b.layers[2], (PictureLayer{PictureList::WildTop, 0, 10, 0}));
    EXPECT_EQ(t.state.statusText(), "Klot created a Wild Kings book.");
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"createbook"}));
}

TEST(TableMessages, NewBookWhileOwnCardsLieOnTheSquaresReturnsThemToTheRow) {
    Table t(1);
    t.deal({13, 20, 30});
    t.myTurnDrawn(40);
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(1);
    t.state.pressCard(2, MouseButton::Left);
    t.state.placeOnSquare(2);
    ASSERT_EQ(t.rowSlots(), (std::vector<int>{1, 3}));
    t.state.newbook({1, 1, 1, 9, 1});  // the computer made a book for this seat from other cards
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(t.state.square(n).empty());
    EXPECT_EQ(t.rowSlots(), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_TRUE(t.state.card(0)->visible);
    EXPECT_EQ(t.state.card(2)->left, 4 + 20 * 3);
}

TEST(TableMessages, OwnBookFromTheSquaresLeavesNothingBehindInEitherOrder) {
    for (bool freeFirst : {true, false}) {
        Table t(1);
        t.deal({9, 22, 35});
        t.myTurnDrawn(40);
        for (int slot = 0; slot < 3; ++slot) {
            t.state.pressCard(slot, MouseButton::Left);
            t.state.placeOnSquare(slot + 1);
        }
        if (!freeFirst) t.state.newbook({1, 1, 1, 9, 1});
        for (int slot = 0; slot < 3; ++slot) t.state.freecard(slot);
        if (freeFirst) t.state.newbook({1, 1, 1, 9, 1});
        EXPECT_EQ(t.rowSlots(), (std::vector<int>{3})) << freeFirst;
        EXPECT_EQ(t.state.card(3)->left, 6) << freeFirst;
        for (int n = 1; n <= 3; ++n) EXPECT_TRUE(t.state.square(n).empty());
    }
}

TEST(TableMessages, AddToBookKeepsTheRankAndTurnsWildWhenTheHostSaysSo) {
    Table t(1);
    t.label(3).caption = "Klick";
    t.state.newbook({3, 1, 2, 20, 1});
    t.state.addtobook({3, 1, 5, 2, 4, 54, 2});
    const WorkingBook& b = t.state.workingBooks(1).at(2);
    EXPECT_EQ(b.count, 4);
    EXPECT_EQ(b.width, 51);
    EXPECT_EQ(b.hint(), "20");
    EXPECT_EQ(b.layers.back(), (PictureLayer{PictureList::WildTop, 7, 15, 0}));
    EXPECT_EQ(t.state.statusText(), "Klick added to the Sevens book.");
    EXPECT_EQ(t.events.sounds.back(), "placebook");
}

TEST(TableMessages, AddToAMissingBookOnlyPlaysItsCue) {
    Table t(1);
    t.state.addtobook({3, 1, 5, 2, 4, 54, 2});
    EXPECT_EQ(t.state.statusText(), "Welcome to Quintrel!");
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"placebook"}));
    EXPECT_TRUE(t.state.workingBooks(1).empty());
}

TEST(TableMessages, CompletedBookReplacesTheWorkingBook) {
    Table t(1);
    t.label(1).caption = "You";
    t.state.newbook({1, 1, 3, 11, 1});
    t.state.completed({1, 1, 3, 9, 11, 2});
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    const CompletedBook& c = t.state.completedBooks(1).at(9);
    EXPECT_EQ(c.name(), "comp19");
    EXPECT_EQ(c.left, 13 + 44);
    EXPECT_EQ(c.top, 42);
    EXPECT_EQ(c.face, (PictureLayer{PictureList::WildTop, 11, 0, 0}));
    EXPECT_EQ(t.state.statusText(), "You completed a Wild Jacks book.");
    // A missing working book is no obstacle.
    t.state.completed({1, 1, 5, 10, 12, 1});
    EXPECT_EQ(t.state.completedBooks(1).size(), 2u);
}

TEST(TableMessages, AddToCompletedAndNoBookMatch) {
    Table t(1);
    t.label(4).caption = "Kling";
    t.state.addtocomp({4, 1, 12});
    EXPECT_EQ(t.state.statusText(), "Kling added to the Normal Queens completed book.");
    EXPECT_EQ(t.events.sounds.back(), "placecomplete");

    t.deal({13});
    t.myTurnDrawn(20);
    t.state.pressCard(1, MouseButton::Left);
    t.state.playOnBook(1, 1);  // no such book: nothing
    t.state.newbook({1, 1, 1, 9, 1});
    t.state.playOnBook(1, 1);
    EXPECT_EQ(t.state.card(1)->top, kCardTopRaised);  // until the host answers
    t.state.nobookmatch(1);
    EXPECT_EQ(t.state.card(1)->top, kCardTopResting);
    EXPECT_EQ(t.state.statusText(), "That card does not match the book");
}

TEST(TableMessages, LoadBooksAndLoadCompRebuildBoardsSilently) {
    Table t(2);
    t.state.loadbooks({1, {}});
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    t.state.loadbooks({2, {{1, 9, 1, 5}, {3, 13, 2, 3}, {14, 13, 2, 3}}});
    t.state.loadcomp({1, {{1, 11, 1}, {9, 12, 2}}});
    ASSERT_EQ(t.state.workingBooks(2).size(), 2u);
    EXPECT_EQ(t.state.workingBooks(2).at(1).width, 56);
    EXPECT_EQ(t.state.workingBooks(2).at(3).layers.back().list, PictureList::WildTop);
    ASSERT_EQ(t.state.completedBooks(1).size(), 2u);
    EXPECT_EQ(t.state.completedBooks(1).at(9).left, 57);
    EXPECT_TRUE(t.events.sounds.empty());
    EXPECT_EQ(t.state.statusText(), "Welcome to Quintrel!");
    EXPECT_TRUE(t.state.checkforbook(9, 2));
    EXPECT_FALSE(t.state.checkforbook(11, 1));  // completed books do not count
}

TEST(TableMessages, NextPlayerForAnotherSeat) {
    Table t(1);
    t.label(2).caption = "Klot";
    t.state.getnextplayer({3, 12, 2});
    EXPECT_EQ(t.state.whoseturn(), 2);
    EXPECT_EQ(t.state.turnText(), "Klot's turn.");
    EXPECT_EQ(t.state.seatRow(3).cardsleft, "12");
    EXPECT_EQ(t.state.turnMarkerTop(), 35);
    EXPECT_FALSE(t.state.drawButton().visible);
    EXPECT_FALSE(t.state.greenArrow().visible);
    EXPECT_TRUE(t.events.sounds.empty());
}

// The host tells a seat's count when its turn ends; the own count follows the hand meanwhile.
TEST(TableMessages, OwnCardCountFollowsTheHand) {
    Table t(1);
    t.deal({9, 22, 35, 13, 4});
    t.myTurnDrawn(40);
    EXPECT_EQ(t.state.seatRow(1).cardsleft, "6");
    t.host({"CMD_newcard+1+6+6", "CMD_newcard+1+7+7", "CMD_newcard+2+8+8"});
    EXPECT_EQ(t.state.seatRow(1).cardsleft, "8");
    t.state.pressCard(0, MouseButton::Left);
    t.state.placeOnSquare(1);  // still in the hand
    t.host({"CMD_freecard+0", "CMD_freecard+1"});
    EXPECT_EQ(t.state.seatRow(1).cardsleft, "6");
}

TEST(TableMessages, OwnTurnIsRecognisedBySeatNotByName) {
    Table t(2);
    t.state.setPlayername("Klot");
    t.label(1).caption = "Klot";   // another player with the same name
    t.label(2).caption = "Klot_";  // this player's name as the host cleaned it
    t.state.getnextplayer({4, 10, 1});
    EXPECT_EQ(t.state.turnText(), "Klot's turn.");
    EXPECT_FALSE(t.state.drawButton().visible);
    t.state.getnextplayer({1, 10, 2});
    EXPECT_EQ(t.state.turnText(), "Your Turn.");
    EXPECT_TRUE(t.state.blueArrow().visible);
    EXPECT_FALSE(t.state.greenArrow().visible);
    EXPECT_TRUE(t.state.drawButton().visible);
    EXPECT_FALSE(t.state.pickupButton().visible);  // nothing on the pile yet
    EXPECT_GT(t.state.pickupButton().z, t.state.drawButton().z);
    EXPECT_EQ(t.events.sounds, (std::vector<std::string>{"turn"}));
}

TEST(TableMessages, NextPlayerCardCounts) {
    Table t(3);
    t.state.startround();
    t.deal({4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    t.state.getnextplayer({0, 0, 1});  // previous seat 0 leaves every count
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(t.state.seatRow(seat).cardsleft, "11");
    t.state.getnextplayer({1, 0, 3});  // the catch-up form
    EXPECT_EQ(t.state.seatRow(1).cardsleft, "0");
    EXPECT_EQ(t.state.turnText(), "Your Turn.");
    EXPECT_TRUE(t.state.greenArrow().visible);
}

TEST(TableMessages, NextPlayerClearsSelectionTogether) {
    Table t(1);
    t.deal({13});
    t.myTurnDrawn(20);
    t.state.pressCard(1, MouseButton::Left);
    ASSERT_EQ(t.state.selectedcode(), "20");
    t.state.getnextplayer({4, 5, 1});
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.selectedcode(), "");
    EXPECT_EQ(t.state.card(1)->top, kCardTopResting);
    // With the buttons still up nothing can be placed, and no request can carry position -1.
    t.state.drawFromShoe();
    t.events.sent.clear();
    t.state.discardSelected();
    t.state.placeOnSquare(1);
    EXPECT_TRUE(t.events.sent.empty());
    EXPECT_TRUE(t.state.square(1).empty());
}

TEST(TableMessages, StartRoundClearsTheTableButKeepsScoresNamesAndLength) {
    Table t(1);
    t.state.startthegame({"You", "h"});
    t.label(2).caption = "Anna";
    t.state.postscores({350, 10, 2, 4});
    t.deal({13, 20});
    t.state.discard(7);
    t.state.newbook({2, 2, 1, 9, 1});
    t.state.completed({2, 2, 1, 1, 9, 1});
    t.state.newbook({1, 1, 2, 10, 1});
    t.state.usefoot(2);
    t.state.rwinner(2);
    t.state.startround();
    EXPECT_TRUE(t.state.cards().empty());
    EXPECT_TRUE(t.state.handrow(1).free);
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    EXPECT_TRUE(t.state.completedBooks(2).empty());
    EXPECT_EQ(t.state.discardPicture(), -1);
    EXPECT_EQ(t.state.discardTag(), 0);
    EXPECT_FALSE(t.state.roundWinner(2).visible);
    EXPECT_TRUE(t.state.seatRow(2).footVisible);
    EXPECT_EQ(t.state.seatRow(2).cardsleft, "11");
    EXPECT_EQ(t.state.seatRow(4).score, "350");
    EXPECT_EQ(t.label(2).caption, "Anna");
    EXPECT_EQ(t.state.lengthText(), "Play Half Game");
}

TEST(TableMessages, StartGameResetsScoresAndSeatsTheComputerPlayers) {
    Table t(2, false);
    t.label(1).caption = "Host";
    t.state.postscores({500, 10, 1, 3});
    t.label(3).eyesShown = true;
    t.label(4).eyesTag = 1;
    t.state.startthegame({"Host", "x"});
    EXPECT_EQ(t.state.lengthText(), "Play One Round");
    EXPECT_EQ(t.state.seatRow(1).score, "0");
    EXPECT_EQ(t.state.seatRow(3).cardsleft, "11");
    EXPECT_EQ(t.label(1).caption, "Host");
    EXPECT_EQ(t.label(2).caption, "Klot");
    EXPECT_EQ(t.label(3).caption, "Klick");
    EXPECT_EQ(t.label(4).caption, "Kling");
    EXPECT_FALSE(t.label(3).eyesShown);
    EXPECT_EQ(t.label(4).eyesTag, 0);
    EXPECT_TRUE(t.state.blueBar().visible);
    EXPECT_FALSE(t.state.greenBar().visible);
    EXPECT_FALSE(t.state.startButton().visible);
    ASSERT_EQ(t.events.chat.size(), 1u);
    EXPECT_EQ(t.events.chat[0].text, "Host has started a game.");
    EXPECT_EQ(t.events.chat[0].colour, 0xFF0000u);
    EXPECT_EQ(t.events.rosterChanges, 1);
    t.state.startthegame({"Host", "t"});
    EXPECT_EQ(t.state.lengthText(), "Play Full Game");
    t.state.startthegame({"You", "h"});  // a solo game's own name reads as English
    EXPECT_EQ(t.events.chat.back().text, "You have started a game.");
}

TEST(TableMessages, RefusalsShowTheirTextsAndARefusedDiscardHandsTheTurnBack) {
    Table t(1);
    t.state.nobook();
    EXPECT_EQ(t.state.statusText(), "This is not a valid book");
    t.state.nothree();
    EXPECT_EQ(t.state.statusText(), "You can not make a book using THREES");
    t.state.notwo();
    EXPECT_EQ(t.state.statusText(), "You can not make a book using WILDS");
    t.state.toomany();
    EXPECT_EQ(t.state.statusText(), "You can only have 9 working books at one time.");

    t.deal({13, 20});
    t.myTurnDrawn(30);
    t.state.pressCard(2, MouseButton::Left);
    t.state.discardSelected();
    EXPECT_EQ(t.state.whoseturn(), 0);
    t.state.invaliddiscard();
    EXPECT_EQ(t.state.statusText(), "That is not a valid discard");
    EXPECT_EQ(t.state.whoseturn(), 1);
    EXPECT_EQ(t.state.card(2)->top, kCardTopRaised);  // raised, but no longer selected
    t.state.pressCard(2, MouseButton::Left);          // lowers it
    t.state.pressCard(1, MouseButton::Left);
    t.events.sent.clear();
    t.state.discardSelected();
    EXPECT_EQ(t.events.sent, (std::vector<std::string>{"CMD_discard+1+1"}));
}

TEST(TableMessages, JustWatchingAndBotsWatching) {
    Table t(1);
    t.label(1).caption = "You";
    t.state.getnextplayer({0, 0, 1});
    t.state.justwatching({1, 1});
    EXPECT_TRUE(t.state.justWatchChecked());
    EXPECT_FALSE(t.state.drawButton().visible);
    EXPECT_TRUE(t.label(1).eyesShown);
    EXPECT_EQ(t.events.chat.back().text, "You are just watching");
    t.state.getnextplayer({4, 5, 1});
    EXPECT_FALSE(t.state.drawButton().visible);
    t.state.justwatching({1, 2});
    EXPECT_FALSE(t.state.justWatchChecked());
    EXPECT_FALSE(t.label(1).eyesShown);
    EXPECT_EQ(t.events.chat.back().text, "You are now playing again");

    t.state.notbots("3");
    EXPECT_EQ(t.state.lengthText(), "Play to 3000");
    EXPECT_EQ(t.events.chat.back().text, "The Bots are just watching");
    EXPECT_FALSE(t.state.seatRow(3).scoreVisible);
    EXPECT_EQ(t.label(4).eyesTag, 1);
    EXPECT_TRUE(t.label(3).eyesShown);
    t.state.notbots("");
    EXPECT_EQ(t.state.lengthText(), "Play to 3000");
}

}  // namespace
}  // namespace quintrel::table
