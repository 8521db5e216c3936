// Host and tables together over an in-memory network: what every player's table shows.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/host_state.h"
#include "engine/outbox.h"
#include "table/client_session.h"
#include "host/server.h"

namespace quintrel {
namespace {

struct TableEnd : ClientEvents, GameView {
    std::vector<std::pair<std::string, std::uint32_t>> chat;
    std::vector<std::string> toHost;
    int cardsDealt = 0;
    bool closed = false;
    ClientSession session{*this, *this};

    void addlinetochat(std::string_view text, std::uint32_t colour) override {
        chat.emplace_back(text, colour);
    }
    void playsounds(std::string_view) override {}
    void sendToHost(std::string_view line) override { toHost.emplace_back(line); }
    void closeTable() override { closed = true; }
    void messageBox(std::string_view) override {}
    void newcard(const wire::parse::NewCard&) override { ++cardsDealt; }

    bool saw(const std::string& text, std::uint32_t colour) const {
        for (const auto& line : chat)
            if (line.first == text && line.second == colour) return true;
        return false;
    }
};

class Network : public Outbox, public ::testing::Test {
protected:
    TServer server{*this, ServerOptions{HostMode::Desktop, 750, 99}};
    std::map<int, std::unique_ptr<TableEnd>> tables;

    void send(int slot, std::string_view line) override {
        if (auto it = tables.find(slot); it != tables.end())
            it->second->session.receive(std::string(line) + '\xFF');
    }
    void close(int slot) override { pendingClose.push_back(slot); }
    std::vector<int> pendingClose;
    std::vector<std::unique_ptr<TableEnd>> gone;  // tables whose connection the host closed

    int join(const std::string& name) {
        auto table = std::make_unique<TableEnd>();
        table->session.setPlayerName(name);
        const int slot = server.accept(tables.empty());
        TableEnd& end = *table;
        tables[slot] = std::move(table);
        server.accepted(slot);
        settle();
        EXPECT_EQ(end.session.myseat(), slot);
        return slot;
    }
    void leave(int slot) {
        tables.erase(slot);
        server.connectionClosed(slot);
        settle();
    }
    // Runs both sides until nothing moves: tables drain, their requests reach the host.
    void settle() {
        for (bool moved = true; moved;) {
            moved = false;
            for (auto& [slot, table] : tables) {
                while (table->session.processsocktimer()) moved = true;
                for (const auto& line : table->toHost) server.receive(slot, line + '\xFF');
                moved = moved || !table->toHost.empty();
                table->toHost.clear();
            }
            while (server.queuedLines() > 0) {
                server.drainTick();
                moved = true;
            }
            for (int slot : pendingClose) {
                if (auto it = tables.find(slot); it != tables.end()) {
                    it->second->session.connectionInfo("Socket Closed");
                    gone.push_back(std::move(it->second));
                    tables.erase(it);
                }
                server.connectionClosed(slot);
                moved = true;
            }
            pendingClose.clear();
        }
    }
    TableEnd& table(int slot) { return *tables.at(slot); }
};

TEST_F(Network, EveryTableSeesSeatsSpectatorsAndDepartures) {
    for (const char* name : {"Host", "Ann", "Bob", "Cid", "Sam"}) join(name);
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(table(slot).session.seat(3).caption, "Bob") << slot;
        EXPECT_EQ(table(slot).session.spectators(), std::vector<std::string>{"5: Sam"}) << slot;
    }
    EXPECT_TRUE(table(5).saw("You are spying.", kColourBlue));

    leave(3);
    for (int slot : {1, 2, 4, 5}) {
        EXPECT_TRUE(table(slot).saw("Bob disconnected.", kColourBlue)) << slot;
        EXPECT_EQ(table(slot).session.seat(3).caption, "Klick") << slot;
    }
    leave(5);
    for (int slot : {1, 2, 4}) {
        EXPECT_TRUE(table(slot).saw("Sam has left.", kColourNavy)) << slot;
        EXPECT_TRUE(table(slot).session.spectators().empty()) << slot;
    }

    // The next newcomer takes the freed seat, and sees it under its own name.
    EXPECT_EQ(join("Dan"), 3);
    EXPECT_EQ(table(1).session.seat(3).caption, "Dan");
    EXPECT_EQ(table(3).session.seat(4).caption, "Cid");
}

TEST_F(Network, ARemovedPlayersTableClosesAndALateJoinerGetsItsHand) {
    for (const char* name : {"Host", "Ann", "Bob"}) join(name);
    table(1).sendToHost("CMD_startgame+Host+f");
    table(1).sendToHost("CMD_settourney+false+0+");
    settle();
    EXPECT_EQ(table(2).cardsDealt, 11);

    table(1).sendToHost("CMD_kickhim+1+3+");
    settle();
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_TRUE(gone[0]->closed);
    EXPECT_TRUE(table(2).saw("Bob disconnected.", kColourBlue));

    EXPECT_EQ(join("Eve"), 3);
    EXPECT_EQ(table(3).cardsDealt, 11);
    EXPECT_EQ(table(3).session.seat(1).caption, "Host");
}

}  // namespace
}  // namespace quintrel
