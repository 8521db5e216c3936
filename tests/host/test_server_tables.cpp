// Host and tables together over an in-memory network: what every player's table shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "network.h"

namespace quintrel::test {
namespace {

class Tables : public ::testing::Test {
protected:
    kit::Network net{ServerOptions{HostMode::Desktop, 750, 99}};

    // The first table is the host's own, over loopback.
    int join(const std::string& name) {
        const int slot = net.connect(net.table(1) == nullptr, name);
        net.settle();
        EXPECT_EQ(table(slot).session.myseat(), slot);
        return slot;
    }
    void leave(int slot) {
        net.disconnect(slot);
        net.settle();
    }
    kit::Table& table(int slot) { return *net.table(slot); }
    void hostSends(std::initializer_list<std::string> lines) {
        for (const std::string& line : lines) table(1).events.sendToHost(line);
        net.settle();
    }
};

TEST_F(Tables, EveryTableSeesSeatsSpectatorsAndDepartures) {
    for (const char* name : {"Host", "Ann", "Bob", "Cid", "Sam"}) join(name);
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(table(slot).label(3).caption, "Bob") << slot;
        EXPECT_EQ(table(slot).session.spectators(), std::vector<std::string>{"5: Sam"}) << slot;
    }
    EXPECT_TRUE(table(5).events.saw("You are spying.", kColourBlue));

    leave(3);
    for (int slot : {1, 2, 4, 5}) {
        EXPECT_TRUE(table(slot).events.saw("Bob disconnected.", kColourBlue)) << slot;
        EXPECT_EQ(table(slot).label(3).caption, "Klick") << slot;
    }
    leave(5);
    for (int slot : {1, 2, 4}) {
        EXPECT_TRUE(table(slot).events.saw("Sam has left.", kColourNavy)) << slot;
        EXPECT_TRUE(table(slot).session.spectators().empty()) << slot;
    }

    // The next newcomer takes the freed seat, and sees it under its own name.
    EXPECT_EQ(join("Dan"), 3);
    EXPECT_EQ(table(1).label(3).caption, "Dan");
    EXPECT_EQ(table(3).label(4).caption, "Cid");
}

TEST_F(Tables, ARemovedPlayersTableClosesAndALateJoinerGetsItsHand) {
    for (const char* name : {"Host", "Ann", "Bob"}) join(name);
    hostSends({"CMD_startgame+Host+f", "CMD_settourney+false+0+"});
    EXPECT_EQ(table(2).state.cards().size(), 11u);

    hostSends({"CMD_kickhim+1+3+"});
    ASSERT_EQ(net.gone.size(), 1u);
    EXPECT_EQ(net.gone[0]->events.closed, 1);
    EXPECT_TRUE(table(2).events.saw("Bob disconnected.", kColourBlue));

    EXPECT_EQ(join("Eve"), 3);
    EXPECT_EQ(table(3).state.cards().size(), 11u);
    EXPECT_EQ(table(3).label(1).caption, "Host");
}

}  // namespace
}  // namespace quintrel::test
