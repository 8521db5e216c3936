#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

using Sent = std::vector<std::string>;

TEST(SeatPopup, TheHostsTableEnablesAllThreeItemsButRemovalFromAnEmptySeat) {
    Table t(1, true);
    t.label(2).caption = "Ann";
    t.state.openSeatMenu(2);
    EXPECT_EQ(t.state.seatMenu().tag, 2);
    EXPECT_TRUE(t.state.seatMenu().removeEnabled);
    EXPECT_TRUE(t.state.seatMenu().setWatchEnabled);
    EXPECT_TRUE(t.state.seatMenu().unsetWatchEnabled);

    // Seat 3 still waits for somebody: the watch items stay, removal does not.
    t.state.openSeatMenu(3);
    EXPECT_EQ(t.state.seatMenu().tag, 3);
    EXPECT_FALSE(t.state.seatMenu().removeEnabled);
    EXPECT_TRUE(t.state.seatMenu().setWatchEnabled);
    EXPECT_TRUE(t.state.seatMenu().unsetWatchEnabled);

    // A seat played by the computer again after its person left shows a name, not "<Waiting>".
    t.label(3).caption = "Klick";
    t.state.openSeatMenu(3);
    EXPECT_TRUE(t.state.seatMenu().removeEnabled);
}

TEST(SeatPopup, AJoinedTableDisablesEveryItem) {
    Table t(2, false);
    t.label(1).caption = "Host";
    t.state.openSeatMenu(1);
    EXPECT_EQ(t.state.seatMenu().tag, 1);
    EXPECT_FALSE(t.state.seatMenu().removeEnabled);
    EXPECT_FALSE(t.state.seatMenu().setWatchEnabled);
    EXPECT_FALSE(t.state.seatMenu().unsetWatchEnabled);

    // The same table given the hosting player's powers enables them on the next opening.
    t.state.setIshost(true);
    t.state.openSeatMenu(1);
    EXPECT_TRUE(t.state.seatMenu().removeEnabled);
}

TEST(SeatPopup, AnOpeningOnNoSeatLeavesThePopupAsItWas) {
    Table t(1, true);
    t.label(4).caption = "Dee";
    t.state.openSeatMenu(4);
    for (int bad : {0, 5, -1, 99}) {
        t.state.openSeatMenu(bad);
        EXPECT_EQ(t.state.seatMenu().tag, 4);
        EXPECT_TRUE(t.state.seatMenu().removeEnabled);
    }
}

TEST(SeatPopup, WatchItemsAskTheHostForTheLabelsSeat) {
    Table t(1, true);
    t.state.setSeatWatching(3);
    t.state.unsetSeatWatching(4);
    t.state.setSeatWatching(0);
    t.state.setSeatWatching(5);  // spectators hold no seat to watch
    t.state.unsetSeatWatching(7);
    EXPECT_EQ(t.events.sent, (Sent{"CMD_justwatch+3+1", "CMD_justwatch+4+2"}));
    // Only the host's answer marks the seat.
    EXPECT_FALSE(t.label(3).eyesShown);

    Table offline(0, true);
    offline.state.setSeatWatching(2);
    offline.state.unsetSeatWatching(2);
    EXPECT_TRUE(offline.events.sent.empty());
}

TEST(SeatPopup, RemovalIsSentOnlyFromTheLoggedInHostsTableForARealSlot) {
    Table host(1, true);
    host.state.kicking(3);
    host.state.kicking(7);  // a spectator from the spy list
    host.state.kicking(0);
    host.state.kicking(10);
    host.state.kicking(-2);
    EXPECT_EQ(host.events.sent, (Sent{"CMD_kickhim+1+3+", "CMD_kickhim+1+7+"}));

    Table joined(2, false);
    joined.state.kicking(3);
    EXPECT_TRUE(joined.events.sent.empty());

    Table offline(0, true);
    offline.state.kicking(3);
    EXPECT_TRUE(offline.events.sent.empty());
}

}  // namespace
}  // namespace quintrel::table
