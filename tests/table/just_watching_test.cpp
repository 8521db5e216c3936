// Just watching, as every table of an in-memory network sees it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/host_state.h"
#include "network.h"
#include "table/game_start_form.h"

namespace quintrel::table {
namespace {

class JustWatching : public ::testing::Test {
protected:
    kit::Network net{ServerOptions{HostMode::Desktop, 750, 7}};

    // The first table is the hosting player's own, over loopback.
    void seat(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            net.connect(net.table(1) == nullptr, name);
            net.settle();
        }
    }
    kit::Table& table(int slot) { return *net.table(slot); }
    std::vector<int> slots() const {
        std::vector<int> live;
        for (int slot = 1; slot <= kLastSlot; ++slot)
            if (net.table(slot) != nullptr) live.push_back(slot);
        return live;
    }
    void start(bool botsWatch = false) {
        GameStartForm form(true);
        if (botsWatch) form.click(GameStartForm::Box::Bots);
        table(1).state.startgame(form);
        net.settle();
    }
    // Runs the host's computer-player timer until it stops or the turn passes.
    void runComputer(int seat) {
        for (int i = 0; i < 50 && net.server.pacingTimerEnabled() && net.server.state().turnseat == seat;
             ++i) {
            net.server.pacingTick();
            net.settle();
        }
    }
    int newcardsTo(int slot) const {
        return static_cast<int>(std::count_if(net.sent.begin(), net.sent.end(), [&](const auto& sent) {
            return sent.first == slot && sent.second.starts_with("CMD_newcard+");
        }));
    }
};

TEST_F(JustWatching, JustWatchOnTheOwnTurnHandsItToTheComputerAndTheTableAsksForNothing) {
    seat({"Host", "Ann", "Bob", "Cid", "Sam"});
    start();
    kit::Table& me = table(1);
    ASSERT_EQ(me.state.whoseturn(), 1);
    ASSERT_TRUE(me.state.drawButton().visible);

    me.state.toggleJustWatch();
    net.settle();
    EXPECT_TRUE(me.state.justWatchChecked());
    EXPECT_FALSE(me.state.drawButton().visible);
    for (int slot : slots()) {
        EXPECT_TRUE(table(slot).state.seatLabel(1).eyesShown) << slot;
        EXPECT_TRUE(table(slot).events.saw("Host is just watching", kColourBlue)) << slot;
    }
    // The buttons are gone, and no other way to play reaches the host either.
    const int held = static_cast<int>(me.state.cards().size());
    me.state.drawFromShoe();
    me.state.takeDiscardPile();
    me.state.pressCard(me.rowSlots().front(), MouseButton::Left);
    me.state.discardSelected();
    me.state.createFromSquares();
    EXPECT_TRUE(me.takeSent().empty());

    // The computer plays the turn: one draw of two cards, then the turn passes.
    const int before = newcardsTo(1);
    runComputer(1);
    EXPECT_NE(net.server.state().turnseat, 1);
    EXPECT_EQ(newcardsTo(1) - before, 2);
    EXPECT_LT(static_cast<int>(me.state.cards().size()), held + 2) << "the computer melded or discarded";
}

TEST_F(JustWatching, AComputerTakingOverADrawnTurnDoesNotDrawAgain) {
    seat({"Host", "Ann"});
    start();
    kit::Table& me = table(1);
    me.state.drawFromShoe();
    net.settle();
    const int drawn = newcardsTo(1);
    me.state.toggleJustWatch();
    net.settle();
    runComputer(1);
    EXPECT_NE(net.server.state().turnseat, 1);
    EXPECT_EQ(newcardsTo(1), drawn) << "a second draw for the same turn";
}

TEST_F(JustWatching, WithTheBotsWatchingSeatThreeCannotPlayAgainAndANewGameClearsEveryWatch) {
    seat({"Host", "Ann", "Bob"});
    start(true);
    for (int slot : slots()) {
        EXPECT_TRUE(table(slot).events.saw("The Bots are just watching", kColourBlue)) << slot;
        EXPECT_FALSE(table(slot).state.seatRow(3).scoreVisible) << slot;
        EXPECT_EQ(table(slot).state.seatLabel(3).eyesTag, 1) << slot;
    }
    EXPECT_TRUE(table(3).state.justWatchChecked());

    // "Unset Just Watch" on seat 3, from the host's popup and from Bob himself: nothing moves.
    net.sent.clear();
    table(1).state.unsetSeatWatching(3);
    table(3).state.toggleJustWatch();
    net.settle();
    EXPECT_TRUE(net.sent.empty());
    EXPECT_TRUE(table(3).state.justWatchChecked());
    for (int slot : slots()) EXPECT_TRUE(table(slot).state.seatLabel(3).eyesShown) << slot;

    // Ann watches as well; the next game, without the bots watching, clears it all.
    table(2).state.toggleJustWatch();
    net.settle();
    ASSERT_TRUE(table(2).state.justWatchChecked());
    start();
    for (int slot : slots()) {
        for (int s = 1; s <= kSeats; ++s) {
            EXPECT_FALSE(table(slot).state.seatLabel(s).eyesShown) << slot << " seat " << s;
            EXPECT_EQ(table(slot).state.seatLabel(s).eyesTag, 0) << slot << " seat " << s;
        }
        EXPECT_TRUE(table(slot).state.seatRow(3).scoreVisible) << slot;
        EXPECT_FALSE(table(slot).state.justWatchChecked()) << slot;
    }
}

}  // namespace
}  // namespace quintrel::table
