#pragma once
// The engine on its own: its state, a recording outbox and a seeded generator, with ways to
// seat people and lay out hands, feet and the shoe.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/engine.h"
#include "engine/host_state.h"
#include "outbox.h"

namespace quintrel::kit {

struct EngineRig {
    explicit EngineRig(std::uint32_t seed = 20261208u) : random(seed) {}

    HostState state;
    RecordingOutbox out;
    RandomSource random;
    Engine engine{state, out, random};

    // A person in a slot (seat 1..4 or spectator 5..9).
    void connect(int slot, const std::string& name) {
        state.players[slot].connected = true;
        state.players[slot].loggedin = true;
        state.players[slot].name = name;
        state.connectioncount = std::max(state.connectioncount, slot);
    }
    // Four persons and one spectator, game started with the given length letter.
    void startWithPeople(const std::string& letter = "f") {
        int slot = 1;
        for (const char* name : {"Ann", "Bob", "Cid", "Dee", "Spy"}) connect(slot++, name);
        state.botdelay = 500;
        engine.startgame({"Ann", letter});
        out.clear();
    }
    void setHand(int seat, std::initializer_list<int> cards) { lay(state.players[seat].hand, cards); }
    void setFoot(int seat, std::initializer_list<int> cards) { lay(state.players[seat].foot, cards); }
    // Every slot of the shoe holds this card (0 = an empty shoe).
    void fillShoeWith(int card) {
        thedeck::Slots slots;
        slots.fill(card);
        engine.deck().setShoe(slots);
    }
    // The seat has the turn and has drawn: its melds and discard may follow.
    void giveTurn(int seat) {
        state.turnseat = seat;
        state.drawn = true;
    }

private:
    static void lay(std::array<int, kHandSlots>& cards, std::initializer_list<int> codes) {
        cards.fill(0);
        std::copy(codes.begin(), codes.end(), cards.begin());
    }
};

class EngineTest : public ::testing::Test, public EngineRig {};

// Seat 2 is a computer player with the turn in a one-round game of Ann (seat 1); the
// spectator in slot 5 sees what everybody sees. The shoe holds only Nines.
class ComputerTurnTest : public EngineTest {
protected:
    void SetUp() override {
        connect(1, "Ann");
        connect(5, "Spy");
        state.botdelay = 500;
        engine.startgame({"Ann", "f"});
        giveTurn(2);
        fillShoeWith(9);
        for (int seat = 1; seat <= kSeats; ++seat) setFoot(seat, {4, 17, 30, 7, 8, 10, 11, 12, 13, 14, 22});
        out.clear();
    }
};

}  // namespace quintrel::kit
