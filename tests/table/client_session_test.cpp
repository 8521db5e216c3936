#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "table.h"

namespace quintrel {
namespace {

using kit::ChatLine;
using kit::RecordingEvents;

struct RecordingGame : GameView {
    std::vector<std::string> calls;
    void newcard(const wire::parse::NewCard& c) override {
        calls.push_back("newcard " + std::to_string(c.seat) + " " + std::to_string(c.pos) + " " +
                        std::to_string(c.card));
    }
    void justwatching(const wire::parse::JustWatching& j) override {
        calls.push_back("justwatching " + std::to_string(j.seat) + " " + std::to_string(j.code));
    }
    void nobook() override { calls.push_back("nobook"); }
    void notbots(const std::string& digit) override { calls.push_back("notbots '" + digit + "'"); }
    void getnextplayer(const wire::parse::NextPlayer& n) override {
        calls.push_back("nextplayer " + std::to_string(n.previousSeat) + " " + std::to_string(n.cardsLeft) +
                        " " + std::to_string(n.nextSeat));
    }
    void loadbooks(const wire::parse::LoadBooks& b) override {
        calls.push_back("loadbooks " + std::to_string(b.team) + " x" + std::to_string(b.books.size()));
    }
};

class Table : public ::testing::Test {
protected:
    RecordingEvents events;
    RecordingGame game;
    ClientSession session{events, game};

    // Feeds whole messages (terminators added) and drains the queue tick by tick.
    void receive(std::initializer_list<std::string> lines) {
        std::string bytes;
        for (const auto& line : lines) bytes += line + '\xFF';
        session.receive(bytes);
        while (session.processsocktimer()) {}
    }
    void login(int slot, const std::string& name) {
        session.setPlayerName(name);
        receive({"CMD_sendlogininfo+" + std::to_string(slot)});
    }
};

TEST_F(Table, SlotAssignmentIsAnsweredWithVersionAndNameButSettingsWaitForTheAnnouncement) {
    login(3, "Bob");
    EXPECT_EQ(session.myseat(), 3);
    EXPECT_TRUE(session.loggedin());
    ASSERT_EQ(events.sent.size(), 1u);
    EXPECT_EQ(events.sent[0], std::string("CMD_logininfo+3+1.0.3+Bob\xFF"));
    EXPECT_EQ(events.logins, 0);

    receive({"CMD_newplayerinfo+3+Bob"});
    EXPECT_EQ(events.chat, (std::vector<ChatLine>{{"You are Connected.", kColourBlue}}));
    EXPECT_EQ(events.logins, 1);
    EXPECT_EQ(events.sounds, (std::vector<std::string>{"entered"}));
    EXPECT_EQ(session.seat(3).caption, "Bob");

    // A second assignment must not re-seat a table that is already logged in.
    receive({"CMD_sendlogininfo+4"});
    EXPECT_EQ(session.myseat(), 3);
    EXPECT_EQ(events.sent.size(), 1u);
}

TEST_F(Table, SlotOneMakesTheHostingPlayerEvenForAJoiningTable) {
    EXPECT_FALSE(session.hostingPlayer());
    login(1, "Solo");
    EXPECT_TRUE(session.hostingPlayer());
}

TEST_F(Table, AnotherSlotIsNotTheHostingPlayer) {
    login(2, "Ann");
    EXPECT_FALSE(session.hostingPlayer());
}

TEST_F(Table, AssignmentOutsideTheSpectatorSlotsIsIgnored) {
    session.setPlayerName("Bob");
    receive({"CMD_sendlogininfo+10", "CMD_sendlogininfo+0", "CMD_sendlogininfo+x"});
    EXPECT_FALSE(session.loggedin());
    EXPECT_TRUE(events.sent.empty());
}

TEST_F(Table, ExistingPlayersFillTheSeatLabelsIncludingComputerSeats) {
    login(2, "Ann");
    receive({"CMD_newplayerinfo+2+Ann", "CMD_existingplayers+1+Host+Name", "CMD_existingplayers+3+Klick",
             "CMD_existingplayers+4+Kling"});
    EXPECT_EQ(session.seat(1).caption, "Host+Name");
    EXPECT_EQ(session.seat(2).caption, "Ann");
    EXPECT_EQ(session.seat(3).caption, "Klick");
    EXPECT_EQ(session.seat(4).caption, "Kling");
    EXPECT_EQ(events.chat[1], (ChatLine{"Host+Name is Connected.", kColourBlue}));
    EXPECT_EQ(events.chat[3], (ChatLine{"Kling is Connected.", kColourBlue}));
    EXPECT_EQ(events.sounds.size(), 4u);
    EXPECT_EQ(events.logins, 1);
    EXPECT_TRUE(session.spectators().empty());
}

TEST_F(Table, SeatLabelsStartWaitingWithComputerHintsAndTeamColours) {
    EXPECT_EQ(session.seat(1).caption, "<Waiting>");
    EXPECT_EQ(session.seat(1).hint, "");
    EXPECT_EQ(session.seat(2).hint, "Klot");
    EXPECT_EQ(session.seat(3).hint, "Klick");
    EXPECT_EQ(session.seat(4).hint, "Kling");
    EXPECT_EQ(session.seat(1).colour, session.seat(3).colour);
    EXPECT_EQ(session.seat(2).colour, kColourNavy);
    EXPECT_NE(session.seat(1).colour, kColourNavy);
}

TEST_F(Table, ASpectatorIsListedAndToldItIsSpying) {
    login(6, "Eve");
    receive({"CMD_newplayerinfo+6+Eve", "CMD_existingplayers+5+Sam"});
    EXPECT_EQ(events.chat, (std::vector<ChatLine>{{"You are Connected.", kColourBlue},
                                                  {"You are spying.", kColourBlue},
                                                  {"Sam is Connected.", kColourBlue},
                                                  {"Sam is spying.", kColourBlue}}));
    EXPECT_EQ(session.spectators(), (std::vector<std::string>{"6: Eve", "5: Sam"}));
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(session.seat(seat).caption, "<Waiting>");
}

TEST_F(Table, ASeatedPlayerLeavingRevertsTheLabelToTheComputerAndKeepsWholeGameEyes) {
    login(2, "Ann");
    receive({"CMD_newplayerinfo+2+Ann", "CMD_newplayerinfo+3+Bob", "CMD_newplayerinfo+1+Host"});
    session.seat(3).eyesShown = true;
    session.seat(1).eyesShown = true;
    session.seat(1).eyesTag = 1;
    events.chat.clear();

    receive({"CMD_playerdisconnected+3+Bob", "CMD_playerdisconnected+1+Host"});
    EXPECT_EQ(events.chat, (std::vector<ChatLine>{{"Bob disconnected.", kColourBlue},
                                                  {"Host disconnected.", kColourBlue}}));
    EXPECT_EQ(session.seat(3).caption, "Klick");
    EXPECT_FALSE(session.seat(3).eyesShown);
    // Only a host without a table of its own outlives seat 1's player: its computer takes over.
    EXPECT_EQ(session.seat(1).caption, "Klack");
    EXPECT_TRUE(session.seat(1).eyesShown);
}

TEST_F(Table, ASpectatorLeavingIsAnnouncedInNavyAndLeavesTheSeatsAlone) {
    login(1, "Host");
    receive({"CMD_newplayerinfo+1+Host", "CMD_newplayerinfo+5+Sam", "CMD_newplayerinfo+6+Eve"});
    events.chat.clear();
    receive({"CMD_playerdisconnected+5+Sam", "CMD_playerdisconnected+7+Nobody"});
    EXPECT_EQ(events.chat, (std::vector<ChatLine>{{"Sam has left.", kColourNavy}}));
    EXPECT_EQ(session.spectators(), (std::vector<std::string>{"6: Eve"}));
    EXPECT_EQ(session.seat(1).caption, "Host");
}

TEST_F(Table, VersionWarningsUseTheirExactTexts) {
    receive({"CMD_havewrongversion+Old Timer", "CMD_wrongversion+"});
    EXPECT_EQ(events.chat, (std::vector<ChatLine>{
                               {"Old Timer has a different version of the game then you.", kColourBlue},
                               {"You have a differnt version of the game then the host.", kColourBlue}}));
}

// Every way the table ends tells the player why first, and only once; a join that never got
// a seat shows the socket's error and leaves the window up.
TEST_F(Table, TheTableEndsOnlyAfterABoxSayingWhy) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"CMD_full+", "Socket Closed"}, {"box:Game is full", "close"}},
        {{"login", "Socket Closed", "Socket Closed"}, {"box:The host has closed the table.", "close"}},
        {{"login", "Error #10054 (WSAECONNRESET)", "Socket Closed"},
         {"box:Error #10054 (WSAECONNRESET)", "close"}},
        {{"Error #10061 (WSAECONNREFUSED)", "Listening Started"}, {"box:Error #10061 (WSAECONNREFUSED)"}},
    };
    for (const auto& [infos, order] : cases) {
        RecordingEvents fresh;
        ClientSession s{fresh, game};
        for (const std::string& info : infos) {
            if (info == "login" || info.starts_with("CMD_"))
                s.dispatch(info == "login" ? "CMD_sendlogininfo+2" : info);
            else
                s.connectionInfo(info);
        }
        EXPECT_EQ(fresh.order, order) << infos.back();
    }
}

TEST_F(Table, OneLinePerTickAndGameMessagesReachTheViewParsed) {
    session.receive(std::string("CMD_newcard+1+4+17") + '\xFF' + "CMD_nobook+" + '\xFF');
    EXPECT_EQ(session.queuedLines(), 2u);
    EXPECT_TRUE(session.processsocktimer());
    EXPECT_EQ(game.calls, (std::vector<std::string>{"newcard 1 4 17"}));
    EXPECT_TRUE(session.processsocktimer());
    EXPECT_FALSE(session.processsocktimer());
    EXPECT_EQ(game.calls.back(), "nobook");

    // A split message is handled once complete.
    session.receive("CMD_nextplayer+1+0");
    EXPECT_FALSE(session.processsocktimer());
    session.receive(std::string("+3") + '\xFF');
    EXPECT_TRUE(session.processsocktimer());
    EXPECT_EQ(game.calls.back(), "nextplayer 1 0 3");
}

TEST_F(Table, MalformedAndUnknownLinesNeverReachTheView) {
    receive({"CMD_newcard+1+21+17", "CMD_newcard+x+1+2", "CMD_newcard+5+1+2", "CMD_bogus+1", "", "CMD_nobook",
             "CMD_justwatch+1+1", "CMD_loadbooks+3+1+5+1+3"});
    EXPECT_TRUE(game.calls.empty());
    EXPECT_TRUE(events.chat.empty());
    receive({"CMD_justwatching+3+1", "CMD_nobots+", "CMD_loadbooks+1+1+5+1+3+2+6+2+4"});
    EXPECT_EQ(game.calls, (std::vector<std::string>{"justwatching 3 1", "notbots ''", "loadbooks 1 x2"}));
}

TEST_F(Table, ChatGoesToTheChatPanelAndToComputerTalkOnlyWhileSeatTwoIsKlot) {
    receive({"CMD_chat+Ann chats: hi+there|clBlack", "CMD_action+Ann waves|clRed"});
    EXPECT_EQ(events.chats, (std::vector<std::string>{"Ann chats: hi+there|clBlack", "Ann waves|clRed"}));
    EXPECT_TRUE(events.botTalks.empty());
    receive(
        {"CMD_existingplayers+2+Klot", "CMD_chat+Ann chats: hello|clBlack", "CMD_action+Ann nods|clBlack"});
    EXPECT_EQ(events.botTalks, (std::vector<std::string>{"Ann chats: hello|clBlack"}));
}

// A line without end, or more lines than the table can ever show: the host is no longer
// read, and the table says why and ends as when the connection is lost.
TEST(TableFlood, AFloodingHostIsNamedAndTheTableEnds) {
    std::string burst;
    for (int i = 0; i < 100000; ++i) burst += std::string("CMD_chat+Ann chats: hi|0") + '\xFF';
    for (const std::string& flood : {std::string(70 * 1024, 'x'), burst}) {
        RecordingEvents events;
        GameView game;
        ClientSession session(events, game);
        session.receive(std::string("CMD_nobook+") + '\xFF');
        session.receive(flood);
        session.receive(std::string("CMD_nothree+") + '\xFF');
        EXPECT_EQ(events.order, (std::vector<std::string>{"box:The host sent too much data.", "close"}));
        EXPECT_FALSE(session.processsocktimer());
    }
}

}  // namespace
}  // namespace quintrel
