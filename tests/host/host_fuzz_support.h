#pragma once
// What the randomized host tests stand on: an in-memory transport that reports closes as the
// Qt listener does, the real table each peer runs, and the check that a line sent to a table
// is one it understands.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/outbox.h"
#include "table/client_session.h"
#include "net/dispatch.h"
#include "host/server.h"
#include "net/wire.h"
#include "table/table_state.h"

namespace quintrel::fuzz {

constexpr char kEnd = '\xFF';
constexpr int kRefused = 10;

// Empty when a table would accept the line; otherwise why not.
inline std::string clientLineFault(std::string_view line) {
    if (line.find(kEnd) != std::string_view::npos) return "terminator inside a line";
    const auto routed = routeClientLine(line);
    if (!routed) return "no table command";
    const std::string_view rest = routed->rest;
    namespace p = wire::parse;
    bool ok = true;
    using C = ClientCommand;
    switch (routed->command) {
        case C::CMD_sendlogininfo: ok = p::sendlogininfo(rest).has_value(); break;
        case C::CMD_chat:
        case C::CMD_action:
        case C::CMD_havewrongversion: break;
        case C::CMD_newplayerinfo:
        case C::CMD_existingplayers:
        case C::CMD_playerdisconnected: ok = p::slotName(rest).has_value(); break;
        case C::CMD_startgame: ok = p::startgame(rest).has_value(); break;
        case C::CMD_nextplayer: ok = p::nextplayer(rest).has_value(); break;
        case C::CMD_winner: ok = p::winner(rest).has_value(); break;
        case C::CMD_newcard: ok = p::newcard(rest).has_value(); break;
        case C::CMD_nobookmatch: ok = p::nobookmatch(rest).has_value(); break;
        case C::CMD_newbook: ok = p::newbook(rest).has_value(); break;
        case C::CMD_addtobook: ok = p::addtobook(rest).has_value(); break;
        case C::CMD_postscores: ok = p::postscores(rest).has_value(); break;
        case C::CMD_complete: ok = p::complete(rest).has_value(); break;
        case C::CMD_discard: ok = p::discard(rest).has_value(); break;
        case C::CMD_usefoot: ok = p::usefoot(rest).has_value(); break;
        case C::CMD_addtocomp: ok = p::addtocomp(rest).has_value(); break;
        case C::CMD_freecard: ok = p::freecard(rest).has_value(); break;
        case C::CMD_justwatching: ok = p::justwatching(rest).has_value(); break;
        case C::CMD_loadbooks: ok = p::loadbooks(rest).has_value(); break;
        case C::CMD_loadcomp: ok = p::loadcomp(rest).has_value(); break;
        case C::CMD_rwinner: ok = p::rwinner(rest).has_value(); break;
        case C::CMD_nobots: ok = p::nobots(rest).has_value(); break;
        case C::CMD_wrongversion:
        case C::CMD_full:
        case C::CMD_nobook:
        case C::CMD_nothree:
        case C::CMD_notwo:
        case C::CMD_invaliddiscard:
        case C::CMD_toomany:
        case C::CMD_startround: ok = rest.empty(); break;
    }
    return ok ? "" : "fields a table refuses";
}

// The in-memory transport. A close is reported back to the host either at once (from inside
// the host's call) or after the call, as the Qt listener does.
struct FuzzTransport : Outbox {
    TServer* server = nullptr;
    std::array<bool, 11> live{};  // a connection is bound to the slot
    std::vector<std::pair<int, std::string>> sent;
    std::vector<int> closeLater;
    bool reentrantClose = false;

    void send(int slot, std::string_view line) override { sent.emplace_back(slot, std::string(line)); }
    void close(int slot) override {
        if (slot < 1 || slot > kRefused) return;
        const bool wasLive = live[static_cast<std::size_t>(slot)];
        live[static_cast<std::size_t>(slot)] = false;
        if (slot == kRefused || !wasLive) return;
        if (reentrantClose)
            server->connectionClosed(slot);
        else
            closeLater.push_back(slot);
    }
    void afterCall() {
        auto pending = std::exchange(closeLater, {});
        for (int slot : pending)
            if (!live[static_cast<std::size_t>(slot)]) server->connectionClosed(slot);
    }
};

// What a peer's table makes of the lines it receives: the real session and table state.
struct PeerTable final : ClientEvents {
    PeerTable() : state(*this, roster), session(*this, state) {
        roster.attach(session);
        session.setPlayerName("Peer");
    }
    void addlinetochat(std::string_view, std::uint32_t) override {}
    void playsounds(std::string_view) override {}
    // Kept until the peer passes them on: an honest peer sends only what its table asks.
    void sendToHost(std::string_view line) override { outgoing.emplace_back(line); }
    void closeTable() override {}
    void messageBox(std::string_view) override {}

    void receive(std::string_view line) {
        recent.emplace_back(line.substr(0, 120));
        // While the computer players only watch, seats 3 and 4 are theirs: a late joiner there
        // is not given the hand. The next deal gives it again.
        if (line.starts_with("CMD_nobots+")) botsHand = true;
        if (line.starts_with("CMD_startgame+") || line.starts_with("CMD_startround+")) {
            botsHand = false;
            sawDeal = true;
        }
        if (recent.size() > 40) recent.erase(recent.begin());
        std::string bytes(line);
        bytes += kEnd;
        session.receive(bytes);
        while (session.processsocktimer()) {}
    }

    // The last lines received, shown when the table and the host disagree.
    std::string history() const {
        std::string out;
        for (const std::string& line : recent) out += "\n  " + line;
        return out;
    }

    std::vector<std::string> recent;
    std::vector<std::string> outgoing;
    bool botsHand = false;
    bool sawDeal = false;  // present since a deal: a late joiner is not told the discard pile
    table::SessionRoster roster;
    table::TableState state;
    ClientSession session;
};

}  // namespace quintrel::fuzz
