// The host's connections: slot choice, login, catch-up of a late joiner, departures.
// Request dispatch and the sender checks are in server_dispatch.cpp.

#include "host/server.h"

#include <algorithm>
#include <string>

#include "engine/engine.h"
#include "engine/host_state.h"
#include "engine/outbox.h"
#include "net/framing.h"
#include "net/wire.h"
#include "version.h"

namespace quintrel {

namespace {

constexpr std::size_t kMaxNameLength = 64;

// Control bytes would break chat lines and labels on every table; a name is one short line.
std::string cleanName(std::string_view raw) {
    std::string name;
    for (char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) continue;
        name.push_back(c);
        if (name.size() == kMaxNameLength) break;
    }
    return name;
}

// Chat and action text for every table: control bytes (but tab) would break lines and
// labels there, or hide what was said.
std::string withoutControlBytes(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (char c : raw)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') text.push_back(c);
    return text;
}

// A peer's text as it may appear in the log: one short, printable line.
std::string printable(std::string_view raw, std::size_t limit) {
    std::string text;
    for (char c : raw.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte < 0x20 || byte == 0x7F || byte == 0xFF ? '?' : c);
    }
    return text;
}

}  // namespace

TServer::~TServer() = default;

int TServer::connectioncount() const { return state_->connectioncount; }
HostState& TServer::state() { return *state_; }
const HostState& TServer::state() const { return *state_; }
bool TServer::loggedIn(int slot) const { return isSlot(slot) && state_->players[slot].loggedin; }
bool TServer::pacingTimerEnabled() const { return state_->pacing.enabled && state_->pacing.interval > 0; }
int TServer::pacingInterval() const { return state_->pacing.interval; }

void TServer::log(std::string_view line) const {
    if (log_) log_(line);
}

int TServer::accept(bool fromLoopback) {
    HostState& s = *state_;
    // Whoever holds slot 1 may start games and remove players: on a desktop host that is the
    // own table, which always connects over loopback.
    const bool slot1Allowed = options_.mode == HostMode::Headless || fromLoopback;
    int slot = 0;
    for (int k = 1; k <= s.connectioncount && k <= kLastSlot; ++k) {
        if (k == 1 && !slot1Allowed) continue;
        if (!s.players[k].connected) {
            slot = k;
            break;
        }
    }
    if (slot == 0) {
        if (s.connectioncount == 0 && !slot1Allowed) s.connectioncount = 1;
        if (s.connectioncount >= kLastSlot) {
            log("connection refused: the table is full");
            return kRefusedSlot;
        }
        slot = ++s.connectioncount;
    }
    s.players[slot].connected = true;
    s.players[slot].loggedin = false;
    closing_[slot] = false;
    waitedMs_[slot] = -1;  // counted from the next tick: the time before it is not known
    resetConnection(slot);
    return slot;
}

void TServer::accepted(int slot) {
    if (slot == kRefusedSlot) {
        outbox_.send(kRefusedSlot, wire::toclient::full());
        outbox_.close(kRefusedSlot);
        return;
    }
    if (!isSlot(slot) || !state_->players[slot].connected) return;
    log("connection accepted in slot " + std::to_string(slot));
    outbox_.send(slot, wire::toclient::sendlogininfo(slot));
}

void TServer::connectionClosed(int slot) {
    if (!isSlot(slot) || !state_->players[slot].connected) return;
    // What a peer sent before it went still counts: its lines go first, its departure after.
    if (inbox_->pending(slot) > 0) {
        closing_[slot] = true;
        return;
    }
    departure(slot);
}

void TServer::clockTick(int elapsedMs) {
    if (elapsedMs <= 0) return;
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        const tplayer& p = state_->players[slot];
        if (!p.connected || p.loggedin || closing_[slot]) continue;
        if (waitedMs_[slot] < 0) {
            waitedMs_[slot] = 0;
            continue;
        }
        waitedMs_[slot] = std::min(kLoginTimeoutMs, waitedMs_[slot] + std::min(elapsedMs, kLoginTimeoutMs));
        if (waitedMs_[slot] < kLoginTimeoutMs) continue;
        log("slot " + std::to_string(slot) + " did not log in in time; closing it");
        disconnectsock(slot);
    }
}

bool TServer::awaitingLogin() const {
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        const tplayer& p = state_->players[slot];
        if (p.connected && !p.loggedin && !closing_[slot]) return true;
    }
    return false;
}

void TServer::disconnectsock(int slot) {
    if (!isSlot(slot) || !state_->players[slot].connected) return;
    outbox_.close(slot);
    departure(slot);
}

void TServer::departure(int k) {
    HostState& s = *state_;
    tplayer& p = s.players[k];
    if (!p.connected) return;
    const bool wasLoggedIn = p.loggedin;
    // A connection that never logged in was never announced, so its departure is not either.
    if (wasLoggedIn) {
        const std::string line = wire::toclient::playerdisconnected(k, p.name);
        for (int j = 1; j <= s.connectioncount && j <= kLastSlot; ++j)
            if (j != k && s.players[j].connected) outbox_.send(j, line);
    }
    log("slot " + std::to_string(k) + " left" + (wasLoggedIn ? " (" + p.name + ")" : ""));
    p.connected = false;
    p.name = p.botname;
    p.loggedin = false;
    closing_[k] = false;
    resetConnection(k);
    if (!(s.botswatch && (k == 3 || k == 4))) p.watching = false;

    // The departed seat's turn is pending on a person: let the computer take it over.
    const bool computerMayPlay = k != 1 || options_.mode == HostMode::Headless;
    // The tag may already be 0 when the timer found a newcomer in the seat who then left
    // before playing; between rounds the timer is busy with the next deal and is left alone.
    if (s.gamestarted && !s.roundover && k == s.turnseat && computerMayPlay) {
        engine_->computerTakesTurn();
    }
}

void TServer::resetConnection(int slot) { inbox_->disconnect(slot); }

void TServer::receivedlogininfo(int sender, const wire::parse::LoginInfo& login) {
    HostState& s = *state_;
    if (!s.players[sender].connected) return;

    tplayer& newcomer = s.players[sender];
    newcomer.name = cleanName(login.name);
    newcomer.loggedin = true;
    log("slot " + std::to_string(sender) + " logged in as " + newcomer.name);

    const std::string announce = wire::toclient::newplayerinfo(sender, newcomer.name);
    for (int j = 1; j <= s.connectioncount && j <= kLastSlot; ++j)
        if (s.players[j].connected) outbox_.send(j, announce);

    for (int j = 1; j <= s.connectioncount && j <= kLastSlot; ++j) {
        if (j == sender) continue;
        // An empty spectator slot would show up as " is spying." and an empty spy-list entry.
        if (isSpectator(j) && !s.players[j].loggedin) continue;
        outbox_.send(sender, wire::toclient::existingplayers(j, s.players[j].name));
    }

    if (login.version != kVersionLabel) {
        log("slot " + std::to_string(sender) + " has version " + printable(login.version, 40));
        if (s.players[1].connected) outbox_.send(1, wire::toclient::havewrongversion(newcomer.name));
        outbox_.send(sender, wire::toclient::wrongversion());
    }

    if (s.gamestarted) sendCatchUp(sender);
}

void TServer::sendCatchUp(int slot) {
    const HostState& s = *state_;
    namespace out = wire::toclient;
    if (isSeat(slot) && (!s.botswatch || slot < 3)) {
        const tplayer& p = s.players[slot];
        for (int pos = 0; pos < kHandSlots; ++pos)
            if (p.hand[pos] != 0) outbox_.send(slot, out::newcard(slot, pos, p.hand[pos]));
    }
    for (int team = 1; team <= kTeams; ++team) {
        std::vector<out::WorkingBookGroup> working;
        for (int entry = 1; entry <= kBookSlots; ++entry) {
            const BookEntry& b = s.books[team][entry];
            if (b.count > 0) working.push_back({entry, b.card, kindCode(b.kind), b.count});
        }
        if (!working.empty()) outbox_.send(slot, out::loadbooks(team, working));
        std::vector<out::CompletedBookGroup> completed;
        const int done = std::clamp(s.completedcount[team], 0, kBookSlots);
        for (int entry = 1; entry <= done; ++entry) {
            const BookEntry& b = s.completedbooks[team][entry];
            completed.push_back({entry, b.card, kindCode(b.kind)});
        }
        if (!completed.empty()) outbox_.send(slot, out::loadcomp(team, completed));
    }
    for (int seat = 1; seat <= kSeats; ++seat)
        if (s.players[seat].usefoot) outbox_.send(slot, out::usefoot(seat));
    // Before the turn, so that a joiner whose turn it is is offered the pile; a table takes a
    // discard before its first turn as a picture of the pile, not as a play.
    if (s.discardtop != kNoCard) outbox_.send(slot, out::discard(s.discardtop));
    outbox_.send(slot, out::nextplayer(1, 0, s.turnseat));
    for (int seat = 1; seat <= 2; ++seat)
        outbox_.send(slot, out::postscores(s.players[seat].score, 0, seat, s.players[seat].partner));
    for (int seat = 1; seat <= kSeats; ++seat)
        if (s.players[seat].watching) outbox_.send(slot, out::justwatching(seat, 1));
    if (s.botswatch) outbox_.send(slot, out::nobots(""));
}

void TServer::kickhim(const wire::parse::KickHim& kick) {
    log("slot " + std::to_string(kick.target) + " removed by the hosting player");
    disconnectsock(kick.target);
}

void TServer::relay(int sender, std::string_view text, bool isAction) {
    const HostState& s = *state_;
    const std::string& name = s.players[sender].name;
    const std::string said = withoutControlBytes(text);
    const std::string line =
        isAction ? wire::toclient::action(name + " " + said) : wire::toclient::chat(name + " chats: " + said);
    for (int j = 1; j <= s.connectioncount && j <= kLastSlot; ++j)
        if (s.players[j].connected) outbox_.send(j, line);
}

void TServer::drop(int sender, std::string_view why, std::string_view line) {
    log("dropped from slot " + std::to_string(sender) + ": " + std::string(why) + ": " + printable(line, 80));
}

}  // namespace quintrel
