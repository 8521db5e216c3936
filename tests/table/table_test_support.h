#pragma once
// A table driven without a window: a roster that the test sets, and events that are recorded.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "table/table_state.h"

namespace quintrel::table::testing {

class FakeRoster final : public TableRoster {
public:
    FakeRoster() {
        const char* hints[] = {"", "Klot", "Klick", "Kling"};
        for (int seat = 1; seat <= kSeats; ++seat) {
            seatLabel(seat).hint = hints[seat - 1];
            seatLabel(seat).colour = teamOf(seat) == 1 ? kColourGreen : kColourNavy;
        }
    }
    int myseat() const override { return seat; }
    bool loggedin() const override { return logged; }
    SeatLabel& seatLabel(int n) override { return labels.at(static_cast<std::size_t>(n - 1)); }

    int seat = 0;
    bool logged = false;
    std::array<SeatLabel, 4> labels{};
};

struct ChatLine {
    std::string text;
    std::uint32_t colour;
};

class RecordingEvents final : public ClientEvents {
public:
    void addlinetochat(std::string_view text, std::uint32_t colour) override {
        chat.push_back({std::string(text), colour});
    }
    void playsounds(std::string_view name) override { sounds.emplace_back(name); }
    void sendToHost(std::string_view line) override { sent.emplace_back(line); }
    void closeTable() override { closed = true; }
    void messageBox(std::string_view text) override { boxes.emplace_back(text); }
    void rosterChanged() override { ++rosterRefreshes; }

    void clear() {
        chat.clear();
        sounds.clear();
        sent.clear();
        boxes.clear();
    }

    std::vector<ChatLine> chat;
    std::vector<std::string> sounds;
    std::vector<std::string> sent;
    std::vector<std::string> boxes;
    bool closed = false;
    int rosterRefreshes = 0;
};

// A logged-in table at `seat`, hosted or not.
struct Table {
    explicit Table(int seat = 1, bool host = true) : state(events, roster) {
        roster.seat = seat;
        roster.logged = true;
        state.setPlayername(seat == 1 ? "You" : "Player" + std::to_string(seat));
        state.setIshost(host);
    }

    // The slots of the hand row from place 1 up to the first free place.
    std::vector<int> rowSlots() const {
        std::vector<int> out;
        for (int k = 1; k <= kHandPlaces && !state.handrow(k).free; ++k) out.push_back(state.handrow(k).slot);
        return out;
    }
    std::vector<int> rowCodes() const {
        std::vector<int> out;
        for (int slot : rowSlots()) out.push_back(state.card(slot)->code);
        return out;
    }
    void deal(const std::vector<int>& codes) {
        for (std::size_t i = 0; i < codes.size(); ++i)
            state.newcard({roster.seat, static_cast<int>(i), codes[i]});
    }
    // Start of this player's own turn, then draw (the host's two cards are not sent here).
    void myTurnDrawn() {
        state.getnextplayer({0, 0, roster.seat});
        state.drawFromShoe();
    }

    FakeRoster roster;
    RecordingEvents events;
    TableState state;
};

}  // namespace quintrel::table::testing
