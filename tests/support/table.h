#pragma once
// A player's table without a window: the real session and table state, with every effect
// recorded. Host lines go in as the dispatcher would take them, clicks through the state.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table/client_session.h"
#include "table/table_roster.h"
#include "table/table_state.h"

namespace quintrel::kit {

struct ChatLine {
    std::string text;
    std::uint32_t colour;
    bool operator==(const ChatLine&) const = default;
};

class RecordingEvents final : public ClientEvents {
public:
    void addlinetochat(std::string_view text, std::uint32_t colour) override {
        chat.push_back({std::string(text), colour});
        order.push_back("chat:" + std::string(text));
    }
    void playsounds(std::string_view name) override { sounds.emplace_back(name); }
    void sendToHost(std::string_view line) override { sent.emplace_back(line); }
    void closeTable() override {
        ++closed;
        order.push_back("close");
    }
    void messageBox(std::string_view text) override {
        boxes.emplace_back(text);
        order.push_back("box:" + std::string(text));
        // A modal box runs the receive queue while it is open.
        if (whileBoxOpen) std::exchange(whileBoxOpen, {})();
    }
    bool confirm(std::string_view question) override {
        order.push_back("confirm:" + std::string(question));
        return answer;
    }
    void rosterChanged() override { ++rosterChanges; }
    void loggedIn() override {
        ++logins;
        order.push_back("settings");
    }
    void chatrecieved(std::string_view rest) override { chats.emplace_back(rest); }
    void botTalk(std::string_view rest) override { botTalks.emplace_back(rest); }

    bool saw(std::string_view text, std::uint32_t colour) const {
        for (const ChatLine& line : chat)
            if (line.text == text && line.colour == colour) return true;
        return false;
    }
    void clear() {
        chat.clear();
        sounds.clear();
        sent.clear();
        boxes.clear();
        order.clear();
    }

    std::vector<ChatLine> chat;
    std::vector<std::string> sounds, sent, boxes, chats, botTalks;
    std::vector<std::string> order;      // chat lines, boxes, questions, closes and logins in order
    bool answer = true;                  // to every confirm()
    std::function<void()> whileBoxOpen;  // runs once, inside the next messageBox()
    int closed = 0, logins = 0, rosterChanges = 0;
};

class Table {
public:
    // seat 1..9: logged in at that slot (its login request is not kept); 0: not logged in.
    explicit Table(int seat = 1, bool host = true, std::string name = "");
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Host lines, each dispatched as the drain timer would.
    void host(std::initializer_list<std::string_view> lines);
    // Bytes from the host's socket, then every queued line dispatched.
    void receive(std::string_view line);
    // What the table sent since the last take.
    std::vector<std::string> takeSent();

    SeatLabel& label(int seat) { return session.seat(seat); }
    // The hand slots of the row from place 1 up to the first free place, and their codes.
    std::vector<int> rowSlots() const;
    std::vector<int> rowCodes() const;
    // Cards dealt to this seat in hand slots 0, 1, ...
    void deal(const std::vector<int>& codes);
    // Start of this player's own turn, the draw, and the host's answer: the card `drawn` in
    // the lowest free hand slot.
    void myTurnDrawn(int drawn);

    RecordingEvents events;
    table::SessionRoster roster;
    table::TableState state;
    ClientSession session;
};

}  // namespace quintrel::kit
