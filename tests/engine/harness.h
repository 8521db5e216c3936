#pragma once
// Test harness for the engine: an in-memory transport that records every line per slot,
// and ways to lay out seats, hands and the shoe.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "engine/host_state.h"
#include "engine/outbox.h"

namespace quintrel::test {

class RecordingOutbox : public Outbox {
public:
    void send(int slot, std::string_view line) override { lines[slot].emplace_back(line); }
    void close(int slot) override { closed.push_back(slot); }
    // Lines a slot received since the last take.
    std::vector<std::string> take(int slot) {
        std::vector<std::string> out;
        out.swap(lines[slot]);
        return out;
    }
    void clear() { lines.clear(); }
    std::map<int, std::vector<std::string>> lines;
    std::vector<int> closed;
};

// The text after "CMD_x+" of a request line, as a handler receives it.
inline std::string restOf(const std::string& line) { return line.substr(line.find('+') + 1); }

inline std::vector<std::string> withPrefix(const std::vector<std::string>& lines, std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& l : lines) {
        if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
}

class EngineTest : public ::testing::Test {
protected:
    HostState state;
    RecordingOutbox out;
    RandomSource random{20261208u};
    Engine engine{state, out, random};

    // A person in a slot (seat 1..4 or spectator 5..9).
    void connect(int slot, const std::string& name) {
        state.players[slot].connected = true;
        state.players[slot].name = name;
        state.connectioncount = std::max(state.connectioncount, slot);
    }
    // Four persons and one spectator, game started with the given length letter.
    void startWithPeople(const std::string& letter = "f") {
        connect(1, "Ann");
        connect(2, "Bob");
        connect(3, "Cid");
        connect(4, "Dee");
        connect(5, "Spy");
        state.botdelay = 500;
        engine.startgame({"Ann", letter});
        out.clear();
    }
    void setHand(int seat, std::initializer_list<int> cards) {
        auto& hand = state.players[seat].hand;
        hand.fill(0);
        int slot = 0;
        for (int c : cards) hand[slot++] = c;
    }
    void setFoot(int seat, std::initializer_list<int> cards) {
        auto& foot = state.players[seat].foot;
        foot.fill(0);
        int slot = 0;
        for (int c : cards) foot[slot++] = c;
    }
    // Every slot of the shoe holds this card (0 = an empty shoe).
    void fillShoeWith(int card) {
        thedeck::Slots slots;
        slots.fill(card);
        engine.deck().setShoe(slots);
    }
    void giveTurn(int seat) { state.turnseat = seat; }
};

}  // namespace quintrel::test
