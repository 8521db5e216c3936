#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

TEST(KeyboardPlay, KeysAreRefusedWhereTheClicksWouldBe) {
    Table t(1);
    t.deal({9, 22, 35});
    t.state.getnextplayer({2, 3, 1});  // own turn, not drawn yet
    t.state.moveSelection(+1);
    EXPECT_EQ(t.state.selectedslot(), -1);
    EXPECT_EQ(t.state.statusText(), "Draw first.");

    Table other(1);
    other.deal({9, 22, 35});
    other.state.getnextplayer({1, 11, 2});  // seat 2's turn
    other.state.moveSelection(+1);
    other.state.layOnNextSquare();
    EXPECT_EQ(other.state.selectedslot(), -1);
    EXPECT_TRUE(other.state.square(1).empty());
    EXPECT_TRUE(other.events.sent.empty());
}

TEST(KeyboardPlay, UpFillsTheSquaresInOrderAndNeverTakesACardBack) {
    Table t(1);
    t.deal({9, 22, 35, 48});
    t.myTurnDrawn(10);
    for (int n = 1; n <= 4; ++n) {
        t.state.moveSelection(+1);
        t.state.layOnNextSquare();
    }
    EXPECT_EQ(t.state.square(1).hint, "9");
    EXPECT_EQ(t.state.square(2).hint, "22");
    EXPECT_EQ(t.state.square(3).hint, "35");
    // The fourth card found no empty square: it stays selected in the row.
    EXPECT_EQ(t.state.selectedcode(), "48");
    EXPECT_EQ(t.rowCodes(), (std::vector<int>{48, 10}));
}

}  // namespace
}  // namespace quintrel::table
