// Slots, login, the table introduction, departures and the catch-up of a late joiner.

#include <gtest/gtest.h>

#include "host_fixture.h"

namespace quintrel::test {
namespace {

using Lines = std::vector<std::string>;

class Slots : public HostTest {};

TEST_F(Slots, FirstFourAreSeatsNextFiveSpectatorsTheTenthIsRefusedWithFull) {
    for (int expected = 1; expected <= 9; ++expected) EXPECT_EQ(connect(expected == 1), expected);
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(outbox.to(slot), Lines{"CMD_sendlogininfo+" + std::to_string(slot)});
    clearRecords();

    EXPECT_EQ(connect(), 10);
    EXPECT_EQ(outbox.sent, (std::vector<std::pair<int, std::string>>{{10, "CMD_full+"}}));
    EXPECT_EQ(outbox.closed, std::vector<int>{10});
    EXPECT_EQ(server.connectioncount(), 9);
    EXPECT_FALSE(s().players[10].connected);
    // Nothing the refused one does reaches the table.
    server.receive(10, "CMD_chat+10+hi|clBlack\xFF");
    server.connectionClosed(10);
    EXPECT_EQ(server.queuedLines(), 0u);
    EXPECT_EQ(outbox.sent.size(), 1u);
}

TEST_F(Slots, AFreedSeatGoesToTheNextNewcomerEvenWithSpectatorsAbove) {
    seatPeople({"Host", "Ann", "Bob", "Cid", "Sam", "Eve"});
    server.connectionClosed(3);
    EXPECT_EQ(connect(), 3);
    EXPECT_EQ(connect(), 7);
    EXPECT_EQ(server.connectioncount(), 7);
}

TEST_F(Slots, OnADesktopHostSlotOneIsKeptForTheOwnLoopbackTable) {
    EXPECT_EQ(connect(false), 2);
    EXPECT_EQ(connect(false), 3);
    EXPECT_EQ(connect(true), 1);
    EXPECT_EQ(connect(true), 4);
    server.connectionClosed(1);
    EXPECT_EQ(connect(false), 5);
}

class HeadlessSlots : public HostTest {
protected:
    HeadlessSlots() : HostTest(HostMode::Headless) {}
};

TEST_F(HeadlessSlots, TheFirstConnectionFromAnywhereHostsTheTable) {
    EXPECT_EQ(connect(false), 1);
    EXPECT_EQ(connect(false), 2);
}

class Login : public HostTest {};

TEST_F(Login, AnnouncesToEveryoneAndIntroducesTheTableToTheNewcomer) {
    seatPeople({"Host", "Ann"});
    clearRecords();
    const int bob = connect();
    login(bob, "Bob+Jr");
    const std::string announce = "CMD_newplayerinfo+3+Bob+Jr";
    EXPECT_EQ(outbox.to(1), Lines{announce});
    EXPECT_EQ(outbox.to(2), Lines{announce});
    // Seat 4 was never handed out, so it is not introduced.
    EXPECT_EQ(outbox.to(3), (Lines{"CMD_sendlogininfo+3", announce, "CMD_existingplayers+1+Host",
                                   "CMD_existingplayers+2+Ann"}));
    EXPECT_EQ(s().players[3].name, "Bob+Jr");
    EXPECT_TRUE(server.loggedIn(3));
}

TEST_F(Login, IntroducesComputerSeatsButNotEmptySpectatorSlots) {
    seatPeople({"Host", "Ann", "Bob", "Cid", "Sam", "Eve", "Zed"});
    server.connectionClosed(3);
    server.connectionClosed(5);
    server.connectionClosed(6);
    clearRecords();
    EXPECT_EQ(connect(), 3);
    login(3, "Dan");
    EXPECT_EQ(outbox.to(3),
              (Lines{"CMD_sendlogininfo+3", "CMD_newplayerinfo+3+Dan", "CMD_existingplayers+1+Host",
                     "CMD_existingplayers+2+Ann", "CMD_existingplayers+4+Cid", "CMD_existingplayers+7+Zed"}));
}

TEST_F(Login, AComputerSeatIsIntroducedUnderItsComputerName) {
    seatPeople({"Host", "Ann", "Bob"});
    server.connectionClosed(2);
    clearRecords();
    const int sam = 2;
    EXPECT_EQ(connect(), sam);
    server.connectionClosed(3);
    clearRecords();
    login(sam, "Sam");
    EXPECT_EQ(outbox.to(sam), (Lines{"CMD_newplayerinfo+2+Sam", "CMD_existingplayers+1+Host",
                                     "CMD_existingplayers+3+Klick"}));
}

TEST_F(Login, AnotherVersionWarnsTheHostingPlayerAndTheNewcomerWhoStaysSeated) {
    seatPeople({"Host"});
    clearRecords();
    connect();
    login(2, "Ann", "1.0.2");
    EXPECT_EQ(outbox.to(1), (Lines{"CMD_newplayerinfo+2+Ann", "CMD_havewrongversion+Ann"}));
    EXPECT_EQ(outbox.to(2).back(), "CMD_wrongversion+");
    EXPECT_TRUE(s().players[2].connected);
}

TEST_F(Login, ForgedRepeatedAndDirtyLoginsNeverTakeASlotTwice) {
    seatPeople({"Host", "Ann"});
    connect();
    clearRecords();
    login(3, "Bob");
    const std::size_t afterFirst = outbox.sent.size();
    const std::size_t logged = log.size();

    send(3, "CMD_logininfo+3+1.0.3+Bob again");  // repeated
    send(3, "CMD_logininfo+1+1.0.3+Boss");       // names the host's slot
    send(3, "CMD_logininfo+x+1.0.3+Boss");       // malformed
    EXPECT_EQ(outbox.sent.size(), afterFirst);
    EXPECT_EQ(log.size(), logged + 3);
    EXPECT_EQ(s().players[1].name, "Host");
    EXPECT_EQ(s().players[3].name, "Bob");

    // A name with control bytes is cleaned before anyone sees it.
    connect();
    login(4, std::string("Ev\x01il\r\nName\x7F", 13));
    EXPECT_EQ(s().players[4].name, "EvilName");
    EXPECT_EQ(outbox.to(1).back(), "CMD_newplayerinfo+4+EvilName");
}

TEST_F(Login, NothingButALoginIsObeyedBeforeTheLogin) {
    seatPeople({"Host"});
    connect();
    clearRecords();
    send(2, "CMD_chat+2+hello|clBlack");
    EXPECT_TRUE(outbox.sent.empty());
    EXPECT_EQ(log.size(), 1u);
}

class Departure : public HostTest {};

TEST_F(Departure, ASeatLeavingIsAnnouncedToTheOthersOnceAndRevertsToTheComputer) {
    seatPeople({"Host", "Ann", "Bob", "Cid", "Sam"});
    clearRecords();
    server.connectionClosed(3);
    const std::string gone = "CMD_playerdisconnected+3+Bob";
    for (int slot : {1, 2, 4, 5}) EXPECT_EQ(outbox.to(slot), Lines{gone}) << slot;
    EXPECT_TRUE(outbox.to(3).empty());
    EXPECT_FALSE(s().players[3].connected);
    EXPECT_EQ(s().players[3].name, "Klick");

    server.connectionClosed(3);  // the second report of the same close
    EXPECT_EQ(outbox.sent.size(), 4u);

    server.connectionClosed(5);
    EXPECT_EQ(outbox.to(1).back(), "CMD_playerdisconnected+5+Sam");
    EXPECT_EQ(s().players[5].name, "");
}

TEST_F(Departure, AConnectionThatNeverLoggedInLeavesQuietlyAndItsLinesAreForgotten) {
    seatPeople({"Host"});
    connect();
    server.receive(2, "CMD_logininfo+2+1.0.3+Ghost");  // no terminator yet
    clearRecords();
    server.connectionClosed(2);
    EXPECT_TRUE(outbox.sent.empty());
    // The next occupant of slot 2 does not inherit the half line.
    EXPECT_EQ(connect(), 2);
    login(2, "Ann");
    EXPECT_EQ(s().players[2].name, "Ann");
}

TEST_F(Departure, WatchingIsClearedExceptForSeatsThreeAndFourWhenTheBotsWatch) {
    seatPeople({"Host", "Ann", "Bob", "Cid"});
    s().players[2].watching = true;
    s().players[3].watching = true;
    s().botswatch = true;
    server.connectionClosed(2);
    server.connectionClosed(3);
    EXPECT_FALSE(s().players[2].watching);
    EXPECT_TRUE(s().players[3].watching);
}

class CatchUp : public HostTest {
protected:
    // A game in progress, laid out by hand so every message of the catch-up is predictable.
    void layOutGame() {
        HostState& st = s();
        st.gamestarted = true;
        st.turnseat = 2;
        st.players[3].hand = {};
        st.players[3].hand[0] = 17;
        st.players[3].hand[4] = 2;
        st.players[3].hand[20] = 54;
        st.players[3].foot[0] = 9;  // never sent
        st.books[1][2] = {4, 10, BookKind::Normal};
        st.books[1][5] = {3, 12, BookKind::Wild};
        st.completedbooks[2][1] = {7, 6, BookKind::Normal};
        st.completedcount[2] = 1;
        st.players[1].usefoot = true;
        st.players[3].usefoot = true;
        for (int seat = 1; seat <= 4; ++seat) st.players[seat].score = seat % 2 ? 340 : -75;
        st.players[4].watching = true;
    }
};

TEST_F(CatchUp, ALateJoinerIntoAFreeSeatGetsExactlyTheGameInOrder) {
    seatPeople({"Host", "Ann"});
    layOutGame();
    clearRecords();
    EXPECT_EQ(connect(), 3);
    login(3, "Bob");
    EXPECT_EQ(outbox.to(3), (Lines{
                                "CMD_sendlogininfo+3",
                                "CMD_newplayerinfo+3+Bob",
                                "CMD_existingplayers+1+Host",
                                "CMD_existingplayers+2+Ann",
                                "CMD_newcard+3+0+17",
                                "CMD_newcard+3+4+2",
                                "CMD_newcard+3+20+54",
                                "CMD_loadbooks+1+2+10+1+4+5+12+2+3",
                                "CMD_loadcomp+2+1+6+1",
                                "CMD_usefoot+1",
                                "CMD_usefoot+3",
                                "CMD_nextplayer+1+0+2",
                                "CMD_postscores+340+0+1+3",
                                "CMD_postscores+-75+0+2+4",
                                "CMD_justwatching+4+1",
                            }));
    // The others only hear the arrival.
    EXPECT_EQ(outbox.to(1), Lines{"CMD_newplayerinfo+3+Bob"});
}

TEST_F(CatchUp, WithTheBotsWatchingSeatThreeGetsNoCardsAndTheNoBotsNotice) {
    seatPeople({"Host", "Ann"});
    layOutGame();
    s().botswatch = true;
    s().players[3].watching = true;
    clearRecords();
    connect();
    login(3, "Bob");
    const Lines got = outbox.to(3);
    for (const auto& line : got) EXPECT_NE(line.rfind("CMD_newcard", 0), 0u) << line;
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[got.size() - 3], "CMD_justwatching+3+1");
    EXPECT_EQ(got[got.size() - 2], "CMD_justwatching+4+1");
    EXPECT_EQ(got.back(), "CMD_nobots+");
}

TEST_F(CatchUp, ASpectatorGetsTheTableButNoCards) {
    seatPeople({"Host", "Ann", "Bob", "Cid"});
    layOutGame();
    clearRecords();
    EXPECT_EQ(connect(), 5);
    login(5, "Sam");
    const Lines got = outbox.to(5);
    for (const auto& line : got) EXPECT_NE(line.rfind("CMD_newcard", 0), 0u) << line;
    EXPECT_NE(std::find(got.begin(), got.end(), "CMD_nextplayer+1+0+2"), got.end());
}

TEST_F(CatchUp, NoCatchUpWithoutAGame) {
    seatPeople({"Host"});
    clearRecords();
    connect();
    login(2, "Ann");
    EXPECT_EQ(outbox.to(2),
              (Lines{"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Ann", "CMD_existingplayers+1+Host"}));
}

}  // namespace
}  // namespace quintrel::test
