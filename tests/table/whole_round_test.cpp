// A whole round as seat 1 sees it: the host's lines go through the real session and its
// dispatcher into the table, and the table's clicks come back as requests.

#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

TEST(WholeRound, SeatOnePlaysARoundAgainstTheComputer) {
    kit::Table t(0, true, "You");  // seat 1's own table, before its login
    t.host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+You"});
    ASSERT_TRUE(t.state.loggedin());
    ASSERT_EQ(t.state.myseat(), 1);
    t.takeSent();

    // Start and deal: three Nines, a King, a Three and six others.
    t.host({"CMD_startgame+You+f", "CMD_newcard+1+0+9", "CMD_newcard+1+1+22", "CMD_newcard+1+2+13",
            "CMD_newcard+1+3+3", "CMD_newcard+1+4+5", "CMD_newcard+1+5+6", "CMD_newcard+1+6+7",
            "CMD_newcard+1+7+8", "CMD_newcard+1+8+10", "CMD_newcard+1+9+11", "CMD_newcard+1+10+12",
            "CMD_nextplayer+0+0+1"});
    EXPECT_EQ(t.state.lengthText(), "Play One Round");
    EXPECT_EQ(t.state.seatLabel(2).caption, "Klot");
    EXPECT_EQ(t.state.cards().size(), 11u);
    EXPECT_EQ(t.state.turnText(), "Your Turn.");
    EXPECT_TRUE(t.state.drawButton().visible);
    EXPECT_FALSE(t.state.pickupButton().visible);

    // Draw two, lay the three Nines out and create the book.
    t.state.drawFromShoe();
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_drawing+1+1"}));
    t.host({"CMD_newcard+1+11+35", "CMD_newcard+1+12+40"});
    t.state.pressCard(0, MouseButton::Right);  // sort first
    for (int slot : {0, 1, 11}) {
        t.state.pressCard(slot, MouseButton::Left);
        t.state.placeOnSquare(slot == 0 ? 1 : slot == 1 ? 2 : 3);
    }
    EXPECT_EQ(t.state.cards().size(), 13u);
    EXPECT_EQ(t.rowSlots().size(), 10u);
    t.state.createFromSquares();
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_createbook+1+0+1+11"}));
    t.host({"CMD_postscores+5+5+1+3", "CMD_postscores+10+5+1+3", "CMD_postscores+15+5+1+3",
            "CMD_newbook+1+1+1+9+1", "CMD_freecard+0", "CMD_freecard+1", "CMD_freecard+11"});
    EXPECT_EQ(t.state.statusText(), "You created a Normal Nines book.");
    EXPECT_EQ(t.state.workingBooks(1).at(1).name(), "book11");
    EXPECT_EQ(t.state.cards().size(), 10u);
    EXPECT_EQ(t.rowSlots().size(), 10u);
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(t.state.square(n).empty());
    EXPECT_EQ(t.state.seatRow(3).score, "15");

    // Discard the Three (hand slot 3).
    t.state.pressCard(3, MouseButton::Left);
    t.state.discardSelected();
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_discard+1+3"}));
    t.host({"CMD_freecard+3", "CMD_discard+3", "CMD_nextplayer+1+9+2"});
    EXPECT_EQ(t.state.seatRow(1).cardsleft, "9");
    EXPECT_EQ(t.state.turnText(), "Klot's turn.");
    EXPECT_EQ(t.state.discardPicture(), 3);

    // The computer players' turns.
    t.host({"CMD_discard+0", "CMD_newbook+2+2+1+13+2", "CMD_postscores+30+30+2+4",
            "CMD_addtobook+2+2+4+1+4+54+2", "CMD_postscores+80+50+2+4", "CMD_discard+33",
            "CMD_nextplayer+2+8+3", "CMD_addtobook+3+1+2+1+4+48+1", "CMD_usefoot+3", "CMD_discard+46",
            "CMD_nextplayer+3+11+4", "CMD_addtobook+4+2+6+1+5+26+2", "CMD_addtobook+4+2+7+1+6+39+2",
            "CMD_addtobook+4+2+8+1+7+52+2", "CMD_complete+4+2+1+1+13+2", "CMD_postscores+380+300+4+2",
            "CMD_discard+4", "CMD_nextplayer+4+3+1"});
    EXPECT_EQ(t.state.workingBooks(1).at(1).count, 4);
    EXPECT_TRUE(t.state.workingBooks(2).empty());
    EXPECT_EQ(t.state.completedBooks(2).at(1).name(), "comp21");
    EXPECT_EQ(t.state.statusText(), "Kling completed a Wild Kings book.");
    EXPECT_FALSE(t.state.seatRow(3).footVisible);
    EXPECT_EQ(t.state.seatRow(2).score, "380");
    EXPECT_EQ(t.state.seatRow(4).cardsleft, "3");
    EXPECT_EQ(t.state.turnText(), "Your Turn.");
    EXPECT_TRUE(t.state.pickupButton().visible);

    // Take the pile, add the Nine from it to the book, discard, and go out.
    t.state.takeDiscardPile();
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_drawing+1+2"}));
    t.host({"CMD_newcard+1+0+48", "CMD_discard+46"});
    t.state.pressCard(0, MouseButton::Left);
    t.state.playOnBook(1, 1);
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_addtobook+1+0+1"}));
    t.host({"CMD_addtobook+1+1+0+1+5+48+1", "CMD_postscores+20+5+1+3", "CMD_freecard+0"});
    EXPECT_EQ(t.state.workingBooks(1).at(1).width, 56);
    EXPECT_EQ(t.state.statusText(), "You added to the Nines book.");
    t.state.pressCard(12, MouseButton::Left);
    t.state.discardSelected();
    EXPECT_EQ(t.takeSent(), (std::vector<std::string>{"CMD_discard+1+12"}));
    t.host({"CMD_freecard+12", "CMD_discard+40", "CMD_postscores+420+400+1+3", "CMD_postscores+300+-80+2+4",
            "CMD_rwinner+1+"});
    // This short script ends the round with cards still in hand: the own count shows them.
    EXPECT_EQ(t.state.seatRow(1).cardsleft, std::to_string(t.state.cards().size()));
    EXPECT_TRUE(t.state.roundWinner(1).visible);
    EXPECT_EQ(t.state.whoseturn(), 0);

    t.host({"CMD_winner+1+You and Klick"});
    EXPECT_TRUE(t.state.gameWinner(1).visible);
    EXPECT_TRUE(t.state.startButton().visible);
    EXPECT_EQ(t.events.chat.back().text, "You and Klick have Won the Game!");
    EXPECT_EQ(t.state.seatRow(1).score, "420");
    EXPECT_EQ(t.state.seatRow(3).score, "420");

    // The next game clears the table.
    t.host({"CMD_startgame+You+t", "CMD_startround+"});
    EXPECT_TRUE(t.state.cards().empty());
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    EXPECT_TRUE(t.state.completedBooks(2).empty());
    EXPECT_FALSE(t.state.gameWinner(1).visible);
    EXPECT_EQ(t.state.seatRow(1).score, "0");
}

TEST(WholeRound, BadLinesFromTheHostAreDropped) {
    kit::Table t(0, true, "You");  // seat 1's own table, before its login
    t.host({"CMD_sendlogininfo+1", "CMD_newcard+1+99+9", "CMD_newcard+1+0+x", "CMD_newbook+1+1+99+9+1",
            "CMD_nextplayer+0+0+12", "CMD_discard+-1", "CMD_loadbooks+1+1+9+1"});
    EXPECT_TRUE(t.state.cards().empty());
    EXPECT_TRUE(t.state.workingBooks(1).empty());
    EXPECT_EQ(t.state.whoseturn(), 0);
    EXPECT_EQ(t.state.discardPicture(), -1);
}

}  // namespace
}  // namespace quintrel::table
