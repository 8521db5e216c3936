#include <gtest/gtest.h>

#include "table.h"

namespace quintrel::table {
namespace {

using kit::Table;

using Sent = std::vector<std::string>;

// Seat 1 is this table's own; the others as the host announced or introduced them.
TEST(SeatPopup, ItemsAreEnabledOnTheHostsTableForSeatsAPersonHolds) {
    struct Row {
        bool host;
        int seat;
        bool remove, watch;  // "Remove From Game"; "Set to Just Watch" and "Unset Just Watch"
    };
    const Row rows[] = {
        {true, 2, true, true},     // Ann logged in
        {true, 3, false, false},   // "<Waiting>": nobody there
        {true, 4, false, false},   // introduced under its computer player's name
        {true, 1, false, true},    // oneself: watching yes, removal would end every table
        {false, 2, false, false},  // a joined table offers nothing
        {false, 1, false, false},
    };
    for (const Row& row : rows) {
        Table t(1, row.host);
        t.host({"CMD_newplayerinfo+1+You", "CMD_newplayerinfo+2+Ann", "CMD_existingplayers+4+Kling"});
        t.state.openSeatMenu(row.seat);
        EXPECT_EQ(t.state.seatMenu().tag, row.seat);
        EXPECT_EQ(t.state.seatMenu().removeEnabled, row.remove) << row.host << " seat " << row.seat;
        EXPECT_EQ(t.state.seatMenu().setWatchEnabled, row.watch) << row.host << " seat " << row.seat;
        EXPECT_EQ(t.state.seatMenu().unsetWatchEnabled, row.watch) << row.host << " seat " << row.seat;
    }

    // A person who logged in under a computer player's name is still a person; once gone, the
    // seat is the computer's again.
    Table t(1, true);
    t.host({"CMD_newplayerinfo+3+Klick"});
    t.state.openSeatMenu(3);
    EXPECT_TRUE(t.state.seatMenu().removeEnabled);
    t.host({"CMD_playerdisconnected+3+Klick"});
    t.state.openSeatMenu(3);
    EXPECT_FALSE(t.state.seatMenu().removeEnabled);
}

TEST(SeatPopup, AnOpeningOnNoSeatLeavesThePopupAsItWas) {
    Table t(1, true);
    t.host({"CMD_newplayerinfo+4+Dee"});
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
