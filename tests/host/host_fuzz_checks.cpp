#include "host_fuzz_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "net/dispatch.h"
#include "net/wire.h"

namespace quintrel::test {

void PeerNotes::heard(std::string_view line) {
    recent.emplace_back(line.substr(0, 120));
    if (recent.size() > 40) recent.erase(recent.begin());
    // While the computer players only watch, seats 3 and 4 are theirs: a late joiner there is
    // not given the hand. The next deal gives it again.
    if (line.starts_with("CMD_nobots+")) botsHand = true;
    if (line.starts_with("CMD_startgame+") || line.starts_with("CMD_startround+")) {
        botsHand = false;
        sawDeal = true;
    }
}

std::string PeerNotes::history() const {
    std::string out;
    for (const std::string& line : recent) out += "\n  " + line;
    return out;
}

std::string clientLineFault(std::string_view line) {
    if (line.find(wire::kTerminator) != std::string_view::npos) return "terminator inside a line";
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

void checkHostRecords(const kit::Network& net) {
    const HostState& st = net.server.state();
    ASSERT_GE(st.connectioncount, 0);
    ASSERT_LE(st.connectioncount, kLastSlot);
    for (int slot = 1; slot <= kRefusedSlot; ++slot) {
        const bool bound = isSlot(slot) && net.live(slot);
        // One person per slot: the host counts a slot connected while a connection is bound to
        // it, and after its close only until the lines it sent before are dispatched.
        const bool connected = st.players[static_cast<std::size_t>(slot)].connected;
        ASSERT_FALSE(bound && !connected) << "slot " << slot;
        ASSERT_FALSE(connected && !bound && net.server.queuedLines() == 0) << "slot " << slot;
    }
    ASSERT_EQ(st.players[1].score, st.players[3].score);
    ASSERT_EQ(st.players[2].score, st.players[4].score);
    for (int seat = 1; seat <= kSeats; ++seat) {
        for (const auto* cards : {&st.players[seat].hand, &st.players[seat].foot}) {
            for (int code : *cards) {
                ASSERT_GE(code, 0);
                ASSERT_LE(code, kMaxCard);
                ASSERT_NE(code, 1) << "seat " << seat;
                ASSERT_NE(code, 53) << "seat " << seat;
            }
        }
    }
    ASSERT_GE(st.turnseat, 0);
    ASSERT_LE(st.turnseat, kSeats);
    for (int team = 1; team <= kTeams; ++team) {
        ASSERT_GE(st.completedcount[team], 0);
        ASSERT_LE(st.completedcount[team], kBookSlots);
        for (int e = 1; e <= kBookSlots; ++e) {
            ASSERT_GE(st.books[team][e].count, 0);
            ASSERT_LT(st.books[team][e].count, kBookComplete);
        }
    }
    ASSERT_GE(st.botdelay, 1);
    ASSERT_LE(st.botdelay, kMaxBotDelay);
}

void checkMirror(int slot, const kit::Network& net, const PeerNotes& notes, long& compared) {
    const kit::Table* peer = net.table(slot);
    const TServer& server = net.server;
    const HostState& st = server.state();
    if (peer == nullptr || !server.loggedIn(slot)) return;
    const table::TableState& view = peer->state;
    ASSERT_EQ(view.myseat(), slot);
    SCOPED_TRACE("the table of slot " + std::to_string(slot) + ", which last received:" + notes.history());
    // The roster: every person logged in, by name, and each spectator listed once.
    std::vector<std::string> spectators;
    for (int k = 1; k <= kLastSlot; ++k) {
        if (!server.loggedIn(k)) continue;
        const std::string& name = st.players[static_cast<std::size_t>(k)].name;
        if (isSeat(k)) {
            ASSERT_EQ(peer->session.seat(k).caption, name) << "seat " << k;
        } else {
            spectators.push_back(std::to_string(k) + ": " + name);
        }
    }
    std::vector<std::string> listed = peer->session.spectators();
    std::sort(listed.begin(), listed.end());
    ASSERT_EQ(listed, spectators);
    if (!st.gamestarted) return;
    ++compared;
    if (slot <= kSeats && !(slot >= 3 && (st.botswatch || notes.botsHand))) {
        std::map<int, int> held, shown;
        for (int pos = 0; pos < kHandSlots; ++pos)
            if (const int code =
                    st.players[static_cast<std::size_t>(slot)].hand[static_cast<std::size_t>(pos)])
                held[pos] = code;
        for (const auto& [pos, image] : view.cards()) shown[pos] = image.code;
        ASSERT_EQ(shown, held);
    }
    for (int team = 1; team <= kTeams; ++team) {
        std::map<int, int> working, shownWorking;
        for (int e = 1; e <= kBookSlots; ++e)
            if (st.books[team][e].count > 0) working[e] = st.books[team][e].count;
        for (const auto& [entry, book] : view.workingBooks(team)) shownWorking[entry] = book.count;
        ASSERT_EQ(shownWorking, working) << "working books of team " << team;
        ASSERT_EQ(view.completedBooks(team).size(), static_cast<std::size_t>(st.completedcount[team]));
    }
    for (int seat = 1; seat <= kSeats; ++seat)
        ASSERT_EQ(view.seatRow(seat).footVisible, !st.players[static_cast<std::size_t>(seat)].usefoot)
            << "seat " << seat;
    if (notes.sawDeal) {
        ASSERT_EQ(std::max(view.discardPicture(), 0), st.discardtop) << "the discard pile";
    }
    for (int seat = 1; seat <= kSeats; ++seat)
        ASSERT_EQ(view.seatRow(seat).score, std::to_string(st.players[static_cast<std::size_t>(seat)].score))
            << "seat " << seat;
    // After its own discard a table shows no turn until the host has answered.
    const bool discardPending = view.whoseturn() == 0 && server.queuedLines() > 0;
    if (slot <= kSeats && !st.roundover && !discardPending) {
        ASSERT_EQ(view.whoseturn(), st.turnseat);
    }
}

}  // namespace quintrel::test
