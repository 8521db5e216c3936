// Host and tables together over an in-memory network: what every player's table shows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/host_state.h"
#include "network.h"
#include "table/game_start_form.h"

namespace quintrel::test {
namespace {

using ::testing::Contains;
using ::testing::Not;

class Tables : public ::testing::Test {
protected:
    explicit Tables(HostMode mode = HostMode::Desktop) : net{ServerOptions{mode, 750, 99}} {}
    kit::Network net;

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

TEST_F(Tables, ALateJoinerSeesTheTopOfThePileQuietlyAndMayTakeIt) {
    join("Host");
    hostSends({"CMD_startgame+Host+f", "CMD_settourney+false+0+"});
    const int top = net.server.state().players[1].hand[0];
    hostSends({"CMD_drawing+1+1", "CMD_discard+1+0"});
    join("Ann");  // into seat 2, whose turn it is, before its computer player acts
    const kit::Table& ann = table(2);
    EXPECT_EQ(ann.state.discardPicture(), top);
    EXPECT_TRUE(ann.state.pickupButton().visible);
    EXPECT_THAT(ann.events.sounds, Not(Contains("discard")));
    EXPECT_EQ(ann.state.cards().size(), 11u);
    table(2).state.takeDiscardPile();
    net.settle();
    ASSERT_NE(ann.state.card(11), nullptr);
    EXPECT_EQ(ann.state.card(11)->code, top);
}

TEST_F(Tables, ASpectatorsTableFollowsTheTurnsAndIsNeverOfferedOne) {
    for (const char* name : {"Host", "Ann", "Bob", "Cid", "Sam"}) join(name);
    hostSends({"CMD_startgame+Host+f", "CMD_settourney+false+0+"});
    const kit::Table& sam = table(5);
    EXPECT_EQ(sam.state.turnText(), "Host's turn.");
    hostSends({"CMD_drawing+1+1", "CMD_discard+1+0"});
    EXPECT_EQ(sam.state.turnText(), "Ann's turn.");
    EXPECT_EQ(sam.state.turnMarkerTop(), table(2).state.turnMarkerTop());
    EXPECT_EQ(sam.state.seatRow(1).cardsleft, "12");
    EXPECT_FALSE(sam.state.drawButton().visible || sam.state.pickupButton().visible);
}

class HeadlessTables : public Tables {
protected:
    HeadlessTables() : Tables(HostMode::Headless) {}
};

TEST_F(HeadlessTables, AfterTheHostingPlayerLeavesSeatOneHasANameAndAPlayerLeftStartsTheNextGame) {
    for (const char* name : {"Host", "Ann", "Bob"}) join(name);
    leave(1);
    for (int slot : {2, 3}) {
        EXPECT_EQ(table(slot).label(1).caption, "Klack") << slot;
        EXPECT_TRUE(table(slot).state.mayStartGames()) << slot;
        EXPECT_TRUE(table(slot).state.startButton().visible) << slot;
    }
    table::GameStartForm form(false);
    table(2).state.startgame(form);
    net.settle();
    ASSERT_TRUE(net.server.state().gamestarted);
    EXPECT_EQ(table(3).state.turnText(), "Klack's turn.");
    EXPECT_FALSE(table(3).state.startButton().visible) << "not while a game runs";
    // Nobody restarts a game under the others' feet; the one who started it may set its length.
    table(3).events.sendToHost("CMD_startgame+Bob+t");
    table(2).events.sendToHost("CMD_settourney+true+3+");
    net.settle();
    EXPECT_EQ(net.server.state().targetscore, 3000);  // Bob's full game would be 10000
    EXPECT_TRUE(net.server.state().botswatch);
    for (int tick = 0; tick < 2; ++tick) net.server.pacingTick();  // Klack plays seat 1
    net.settle();
    EXPECT_EQ(table(2).state.turnText(), "Your Turn.");
    // The computer plays the game out; the winners' line names seat 1 as Klack.
    table(2).state.toggleJustWatch();
    net.settle();
    for (int tick = 0; tick < 100000 && net.server.state().gamestarted; ++tick) {
        net.server.pacingTick();
        net.settle();
    }
    std::string won;
    for (const auto& line : table(3).events.chat)
        if (line.text.ends_with("have Won the Game!")) won = line.text;
    EXPECT_EQ(won, "Klack and Bob have Won the Game!");
    EXPECT_TRUE(table(2).state.startButton().visible) << "the next game is theirs to start";

    // Somebody new takes seat 1, and with it the start.
    join("Dan");
    EXPECT_FALSE(table(2).state.mayStartGames());
}

}  // namespace
}  // namespace quintrel::test
