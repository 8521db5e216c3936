// Requests through the host: who may send what, chat relay, removal, speed, fairness,
// and the computer taking over a departed player's turn. Games run through the real engine.

#include <gtest/gtest.h>

#include <algorithm>

#include "host_fixture.h"

namespace quintrel::test {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

int cardsHeld(const tplayer& p) {
    return static_cast<int>(std::count_if(p.hand.begin(), p.hand.end(), [](int c) { return c != 0; }));
}

class Requests : public HostTest {
protected:
    explicit Requests(HostMode mode = HostMode::Desktop) : HostTest(mode) {}

    void startFourPlayerGame() {
        seatPeople({"Host", "Ann", "Bob", "Cid"});
        send(1, "CMD_startgame+Host+f");
        send(1, "CMD_settourney+false+0+");
        ASSERT_TRUE(s().gamestarted);
        ASSERT_EQ(s().turnseat, 1);
    }
    // A person's whole turn: draw two, discard the first card held.
    void playTurn(int seat) {
        send(seat, "CMD_drawing+" + std::to_string(seat) + "+1");
        const auto& hand = s().players[seat].hand;
        const auto pos = std::find_if(hand.begin(), hand.end(), [](int c) { return c != 0; }) - hand.begin();
        send(seat, "CMD_discard+" + std::to_string(seat) + "+" + std::to_string(pos));
    }
    void tickTimer1(int times) {
        for (int i = 0; i < times && server.pacingTimerEnabled(); ++i) server.pacingTick();
    }
};

TEST_F(Requests, ChatAndActionAreRelayedToEveryoneWithTheSendersNameAndNoControlBytes) {
    seatPeople({"Host", "Ann", "Bob", "Cid", "Sam"});
    clearRecords();
    send(2, "CMD_chat+2+hi+all|clBlack");
    send(5, "CMD_action+5+waves|$00FF0000");
    // Every byte below 0x20 but tab goes; DEL and Latin-1 letters stay.
    send(3, "CMD_chat+3+a\0b\x01\tc\r\nd\x1B\x1F\x7F\xE9|clRed"s);
    send(3, "CMD_action+3+\x07rings|clRed");
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(outbox.to(slot),
                  (Lines{"CMD_chat+Ann chats: hi+all|clBlack", "CMD_action+Sam waves|$00FF0000",
                         "CMD_chat+Bob chats: ab\tcd\x7F\xE9|clRed", "CMD_action+Bob rings|clRed"}));
}

// What a peer sent just before it went still counts, in order, and its departure follows.
TEST_F(Requests, LinesSentJustBeforeACloseAreDispatchedThenTheDeparture) {
    seatPeople({"Host", "Ann", "Bob"});
    clearRecords();
    server.receive(2,
                   "CMD_chat+2+bye|clBlack\xFF"
                   "CMD_action+2+waves|clBlack\xFF"
                   "CMD_chat+2+half");
    server.connectionClosed(2);
    EXPECT_EQ(connect(), 4) << "the seat is not free before its lines are dispatched";
    pump();
    EXPECT_EQ(outbox.to(1), (Lines{"CMD_chat+Ann chats: bye|clBlack", "CMD_action+Ann waves|clBlack",
                                   "CMD_playerdisconnected+2+Ann"}));
    EXPECT_FALSE(s().players[2].connected);
    server.connectionClosed(2);  // the transport's second report
    EXPECT_EQ(outbox.to(1).size(), 3u);
    EXPECT_EQ(connect(), 2);
}

TEST_F(Requests, EverySpoofedRequestIsDroppedAndLoggedOnce) {
    startFourPlayerGame();
    s().players[3].watching = false;
    const int botdelay = s().botdelay;
    const int seat1Cards = cardsHeld(s().players[1]);
    clearRecords();

    // Slot 2 pretends to be somebody else, once per kind of request.
    const Lines spoofs = {
        "CMD_logininfo+1+1.0.3+Boss",
        "CMD_kickhim+1+3+",
        "CMD_kickhim+2+3+",
        "CMD_botspeed+1+5+",
        "CMD_chat+1+I am the host|clBlack",
        "CMD_action+3+quits|clBlack",
        "CMD_startgame+Ann+t",
        "CMD_settourney+true+5+",
        "CMD_justwatch+3+1",
        "CMD_createbook+1+0+1+2",
        "CMD_addtobook+1+0+1",
        "CMD_discard+1+0",
        "CMD_addtocomp+1+0+1",
        "CMD_drawing+1+1",
    };
    for (const auto& line : spoofs) {
        const std::size_t before = log.size();
        send(2, line);
        EXPECT_EQ(log.size(), before + 1) << line;
    }
    EXPECT_TRUE(outbox.sent.empty());
    EXPECT_TRUE(outbox.closed.empty());
    EXPECT_EQ(s().botdelay, botdelay);
    EXPECT_EQ(s().turnseat, 1);
    EXPECT_EQ(cardsHeld(s().players[1]), seat1Cards);
    EXPECT_FALSE(s().botswatch);
    EXPECT_FALSE(s().playtotarget);
    EXPECT_FALSE(s().players[3].watching);
    EXPECT_EQ(s().players[1].name, "Host");
    for (int slot = 1; slot <= 4; ++slot) EXPECT_TRUE(s().players[slot].connected);
}

TEST_F(Requests, RequestsNamingTheSendersOwnSeatStillWork) {
    startFourPlayerGame();
    clearRecords();
    send(2, "CMD_drawing+2+1");  // honest, but not seat 2's turn: ignored, and logged
    EXPECT_EQ(cardsHeld(s().players[2]), 11);
    EXPECT_EQ(log.size(), 1u);
    send(1, "CMD_drawing+1+1");
    EXPECT_EQ(cardsHeld(s().players[1]), 13);
    // The hosting player may set another seat to just watch; a seat may set itself.
    send(1, "CMD_justwatch+3+1");
    EXPECT_TRUE(s().players[3].watching);
    send(3, "CMD_justwatch+3+2");
    EXPECT_FALSE(s().players[3].watching);
}

TEST_F(Requests, OnlyTheHostingPlayerRemovesOthersAndNeverItself) {
    seatPeople({"Host", "Ann", "Bob", "Sam", "Eve"});
    clearRecords();
    send(1, "CMD_kickhim+1+1+");
    EXPECT_TRUE(outbox.closed.empty());
    EXPECT_EQ(log.size(), 1u);

    send(1, "CMD_kickhim+1+5+");
    EXPECT_EQ(outbox.closed, std::vector<int>{5});
    EXPECT_FALSE(s().players[5].connected);
    EXPECT_EQ(outbox.to(2), Lines{"CMD_playerdisconnected+5+Eve"});
    // The transport's own report of the close changes nothing more.
    server.connectionClosed(5);
    EXPECT_EQ(outbox.to(2).size(), 1u);

    send(1, "CMD_kickhim+1+7+");  // nobody there
    EXPECT_EQ(outbox.closed.size(), 1u);
}

TEST_F(Requests, BotSpeedOnlyFromTheHostingPlayerAndWithinLimits) {
    seatPeople({"Host", "Ann"});
    EXPECT_EQ(s().botdelay, 750);
    // Each row from the hosting player unless it names slot 2; 1 ms and a minute are the bounds.
    const std::vector<std::pair<const char*, int>> rows = {
        {"CMD_botspeed+1+0+", 750},  {"CMD_botspeed+1+-5+", 750},  {"CMD_botspeed+1+60001+", 750},
        {"CMD_botspeed+1+500", 750}, {"CMD_botspeed+2+500+", 750}, {"CMD_botspeed+1+60000+", 60000},
        {"CMD_botspeed+1+1+", 1},    {"CMD_botspeed+1+500+", 500},
    };
    for (const auto& [line, delay] : rows) {
        send(line[13] == '2' ? 2 : 1, line);
        EXPECT_EQ(s().botdelay, delay) << line;
    }
}

TEST_F(Requests, MeldsAndTheDiscardBeforeTheDrawAreDroppedAndLogged) {
    startFourPlayerGame();
    send(1, "CMD_justwatch+1+2");  // a table whose draw button is hidden for another reason
    clearRecords();
    for (const std::string line :
         {"CMD_createbook+1+0+1+2", "CMD_addtobook+1+0+1", "CMD_addtocomp+1+0+1", "CMD_discard+1+4"}) {
        send(1, line);
        EXPECT_EQ(log.back(), "dropped from slot 1: before the draw: " + line);
    }
    EXPECT_TRUE(outbox.sent.empty());
    EXPECT_EQ(cardsHeld(s().players[1]), 11);
    EXPECT_EQ(s().turnseat, 1);
    send(1, "CMD_drawing+1+1");
    send(1, "CMD_discard+1+4");
    EXPECT_EQ(cardsHeld(s().players[1]), 12);
    EXPECT_EQ(s().turnseat, 2);
}

TEST_F(Requests, ASilentConnectionIsClosedAfterFifteenSecondsAndNeverHoldsTheGame) {
    startFourPlayerGame();
    server.connectionClosed(3);
    EXPECT_FALSE(server.awaitingLogin());
    EXPECT_EQ(connect(), 3);  // and never says a word
    EXPECT_TRUE(server.awaitingLogin());
    playTurn(1);
    playTurn(2);
    ASSERT_EQ(s().turnseat, 3);
    EXPECT_TRUE(server.pacingTimerEnabled()) << "nobody who could play holds seat 3";
    tickTimer1(2);
    EXPECT_EQ(s().turnseat, 4);

    server.clockTick(700);  // the clock's first tick after the accept starts the count
    server.clockTick(14999);
    EXPECT_TRUE(s().players[3].connected);
    clearRecords();
    server.clockTick(1);
    EXPECT_EQ(outbox.closed, std::vector<int>{3});
    EXPECT_FALSE(s().players[3].connected);
    EXPECT_FALSE(server.awaitingLogin());
    EXPECT_EQ(log, (Lines{"slot 3 did not log in in time; closing it", "slot 3 left"}));
    EXPECT_TRUE(outbox.sent.empty()) << "nobody was told of it, so nobody is told it left";
}

TEST_F(Requests, ConnectionsAreServedInTurnAndAFloodIsCutOff) {
    seatPeople({"Host", "Ann", "Bob"});
    clearRecords();
    std::string burst;
    for (int i = 0; i < 5; ++i) burst += "CMD_chat+2+spam " + std::to_string(i) + "|clBlack\xFF";
    server.receive(2, burst);
    server.receive(3, "CMD_chat+3+me too|clBlack\xFF");
    server.drainTick();
    server.drainTick();
    EXPECT_EQ(outbox.to(1),
              (Lines{"CMD_chat+Ann chats: spam 0|clBlack", "CMD_chat+Bob chats: me too|clBlack"}));
    pump();
    clearRecords();

    std::string flood;
    for (int i = 0; i < 2000; ++i) flood += "CMD_chat+3+x|clBlack\xFF";
    server.receive(3, flood);
    EXPECT_EQ(outbox.closed, std::vector<int>{3});
    EXPECT_FALSE(s().players[3].connected);
    EXPECT_EQ(server.queuedLines(), 0u);
    EXPECT_EQ(outbox.to(1), Lines{"CMD_playerdisconnected+3+Bob"});
}

TEST_F(Requests, ADepartureDuringTheOwnTurnLetsTheComputerPlayIt) {
    startFourPlayerGame();
    playTurn(1);
    playTurn(2);
    ASSERT_EQ(s().turnseat, 3);
    EXPECT_FALSE(server.pacingTimerEnabled());

    server.connectionClosed(3);
    EXPECT_TRUE(server.pacingTimerEnabled());
    EXPECT_EQ(server.pacingInterval(), 750);
    clearRecords();
    tickTimer1(2);
    EXPECT_EQ(s().turnseat, 4);
    const Lines seen = outbox.to(4);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const std::string& line) {
        return line.rfind("CMD_nextplayer+3+", 0) == 0 && line.ends_with("+4");
    }));
}

TEST_F(Requests, ANewcomerWhoLeavesTheSeatBeforePlayingItsTurnHandsItBackToTheComputer) {
    startFourPlayerGame();
    playTurn(1);
    playTurn(2);
    server.connectionClosed(3);
    EXPECT_EQ(connect(), 3);  // takes the seat before the computer acts
    login(3, "Dan");
    tickTimer1(2);
    ASSERT_EQ(s().turnseat, 3);
    EXPECT_FALSE(server.pacingTimerEnabled());
    server.connectionClosed(3);  // and goes before playing
    EXPECT_TRUE(server.pacingTimerEnabled());
    tickTimer1(2);
    EXPECT_EQ(s().turnseat, 4);
}

TEST_F(Requests, ADepartureBetweenRoundsLeavesTheNextDealsTimerAlone) {
    startFourPlayerGame();
    s().roundover = true;
    s().pacing = {true, 750, PacingTag::NewRoundPending};
    s().botticks = 5;
    s().turnseat = 3;
    server.connectionClosed(3);
    EXPECT_EQ(s().pacing.tag, PacingTag::NewRoundPending);
    EXPECT_EQ(s().botticks, 5);
}

TEST_F(Requests, ADepartureOutsideTheOwnTurnLeavesTheTimerAlone) {
    startFourPlayerGame();
    server.connectionClosed(3);
    EXPECT_FALSE(server.pacingTimerEnabled());
    EXPECT_EQ(s().turnseat, 1);
}

TEST_F(Requests, OnTheDesktopHostTheHostingPlayersDepartureDoesNotStartTheComputer) {
    startFourPlayerGame();
    server.connectionClosed(1);
    EXPECT_FALSE(server.pacingTimerEnabled());
}

class HeadlessRequests : public Requests {
protected:
    HeadlessRequests() : Requests(HostMode::Headless) {}
};

TEST_F(HeadlessRequests, WhenSeatOnesPlayerLeavesInItsTurnTheComputerPlaysSeatOne) {
    startFourPlayerGame();
    server.connectionClosed(1);
    EXPECT_TRUE(server.pacingTimerEnabled());
    tickTimer1(2);
    EXPECT_EQ(s().turnseat, 2);
}

}  // namespace
}  // namespace quintrel::test
