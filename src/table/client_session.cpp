// The table's connection: login, roster, and routing of the host's messages.

#include "table/client_session.h"

#include <algorithm>

#include "net/dispatch.h"
#include "net/framing.h"
#include "version.h"

namespace quintrel {

namespace {

constexpr const char* kHostClosed = "The host has closed the table.";

std::string spectatorEntry(int slot, std::string_view name) {
    return std::to_string(slot) + ": " + std::string(name);
}

}  // namespace

ClientSession::ClientSession(ClientEvents& events, GameView& game)
    : events_(events), game_(game), inbox_(std::make_unique<TableInbox>()) {
    for (int seat = 1; seat <= kSeats; ++seat) {
        SeatLabel& label = this->seat(seat);
        // Seat 1's computer player shows up only when a host without a table lets it play.
        if (seat != 1) label.hint = kComputerNames[seat];
        label.colour = teamOf(seat) == 1 ? kColourGreen : kColourNavy;
    }
}

ClientSession::~ClientSession() = default;

void ClientSession::setPlayerName(std::string_view playername) {
    loginname_ = std::string(playername) + '\xFF';
}

const SeatLabel& ClientSession::seat(int seat) const { return seats_.at(static_cast<std::size_t>(seat - 1)); }
SeatLabel& ClientSession::seat(int seat) { return seats_.at(static_cast<std::size_t>(seat - 1)); }

std::size_t ClientSession::queuedLines() const { return inbox_->size(); }

void ClientSession::receive(std::string_view bytes) {
    if (streamBroken_) return;
    if (inbox_->receive(bytes)) return;
    // The host flooded the table (a line without end, or more lines than it can ever
    // show): nothing it sends can be trusted any more, so the table ends as when the
    // connection is lost, after saying why.
    streamBroken_ = true;
    inbox_->clear();
    events_.messageBox("The host sent too much data.");
    events_.closeTable();
}

void ClientSession::connectionInfo(std::string_view text) {
    if (ending_) return;
    if (text == "Socket Closed") {
        endTable(kHostClosed);
    } else if (text.starts_with("Error #")) {
        if (loggedin_) {
            ending_ = true;
            events_.showError(text);
            events_.closeTable();
        } else {
            // The join never got a seat: say why, and leave the window to the player.
            events_.showError(text);
        }
    }
}

// The box first: a window that simply vanished would leave the player guessing.
void ClientSession::endTable(std::string_view why) {
    ending_ = true;
    events_.messageBox(why);
    events_.closeTable();
}

bool ClientSession::processsocktimer() {
    if (inbox_->empty()) return false;
    const std::string line = inbox_->take();
    dispatch(line);
    return true;
}

void ClientSession::sendloginfo(std::string_view rest) {
    const auto slot = wire::parse::sendlogininfo(rest);
    // Slot 10 only ever hears "CMD_full+"; a second assignment would re-seat a logged-in table.
    if (!slot || !isSlot(*slot) || loggedin_) return;
    myseat_ = *slot;
    loggedin_ = true;
    events_.sendToHost(wire::tohost::logininfo(myseat_, kVersionLabel, loginname_));
}

void ClientSession::newplayerinfo(std::string_view rest, bool announced) {
    const auto info = wire::parse::slotName(rest);
    if (!info || !isSlot(info->slot)) return;
    const bool own = info->slot == myseat_;
    if (own) {
        events_.addlinetochat("You are Connected.", kColourBlue);
        events_.loggedIn();
    } else {
        events_.addlinetochat(info->name + " is Connected.", kColourBlue);
    }
    events_.playsounds("entered");
    if (isSeat(info->slot)) {
        SeatLabel& label = seat(info->slot);
        label.caption = info->name;
        label.person = announced || info->name != label.hint;
        if (info->slot == 1) game_.hostingSeatEmpty(false);
    } else {
        // One entry per slot: a table that connects while another spectator logs in hears
        // that one announced and then introduced again.
        const std::string prefix = std::to_string(info->slot) + ": ";
        std::erase_if(spectators_, [&](const std::string& entry) { return entry.starts_with(prefix); });
        spectators_.push_back(spectatorEntry(info->slot, info->name));
        events_.addlinetochat(own ? std::string("You are spying.") : info->name + " is spying.", kColourBlue);
    }
    events_.rosterChanged();
}

void ClientSession::playerdisconnected(std::string_view rest) {
    const auto info = wire::parse::slotName(rest);
    if (!info || !isSlot(info->slot)) return;
    if (isSeat(info->slot)) {
        SeatLabel& label = seat(info->slot);
        events_.addlinetochat(label.caption + " disconnected.", kColourBlue);
        // Only a host without a table of its own outlives its hosting player: its computer
        // player takes seat 1, and the people left may start the next game.
        if (info->slot == 1) {
            label.hint = kComputerNames[1];
            game_.hostingSeatEmpty(true);
        }
        label.caption = label.hint;
        label.person = false;
        if (label.eyesTag == 0) label.eyesShown = false;
    }
    const auto entry =
        std::find(spectators_.begin(), spectators_.end(), spectatorEntry(info->slot, info->name));
    if (entry != spectators_.end()) {
        events_.addlinetochat(info->name + " has left.", kColourNavy);
        spectators_.erase(entry);
    }
    events_.rosterChanged();
}

void ClientSession::dispatch(std::string_view line) {
    const auto routed = routeClientLine(line);
    if (!routed) return;
    const std::string_view rest = routed->rest;
    namespace p = wire::parse;
    // Calls the view only when the fields parse; a bad line is dropped whole.
    auto with = [](const auto& parsed, auto&& handler) {
        if (parsed) handler(*parsed);
    };
    switch (routed->command) {
        case ClientCommand::CMD_sendlogininfo: sendloginfo(rest); break;
        case ClientCommand::CMD_chat:
            events_.chatrecieved(rest);
            if (seat(2).caption == "Klot") events_.botTalk(rest);
            break;
        case ClientCommand::CMD_action: events_.chatrecieved(rest); break;
        case ClientCommand::CMD_newplayerinfo: newplayerinfo(rest, true); break;
        case ClientCommand::CMD_existingplayers: newplayerinfo(rest, false); break;
        case ClientCommand::CMD_havewrongversion:
            events_.addlinetochat(std::string(rest) + " has a different version of the game then you.",
                                  kColourBlue);
            break;
        case ClientCommand::CMD_wrongversion:
            events_.addlinetochat("You have a differnt version of the game then the host.", kColourBlue);
            break;
        case ClientCommand::CMD_playerdisconnected: playerdisconnected(rest); break;
        case ClientCommand::CMD_full: endTable("Game is full"); break;
        case ClientCommand::CMD_startgame:
            with(p::startgame(rest), [&](auto& v) { game_.startthegame(v); });
            break;
        case ClientCommand::CMD_nextplayer:
            with(p::nextplayer(rest), [&](auto& v) { game_.getnextplayer(v); });
            break;
        case ClientCommand::CMD_winner: with(p::winner(rest), [&](auto& v) { game_.winner(v); }); break;
        case ClientCommand::CMD_newcard: with(p::newcard(rest), [&](auto& v) { game_.newcard(v); }); break;
        case ClientCommand::CMD_nobook: game_.nobook(); break;
        case ClientCommand::CMD_nothree: game_.nothree(); break;
        case ClientCommand::CMD_notwo: game_.notwo(); break;
        case ClientCommand::CMD_nobookmatch:
            with(p::nobookmatch(rest), [&](int v) { game_.nobookmatch(v); });
            break;
        case ClientCommand::CMD_newbook: with(p::newbook(rest), [&](auto& v) { game_.newbook(v); }); break;
        case ClientCommand::CMD_addtobook:
            with(p::addtobook(rest), [&](auto& v) { game_.addtobook(v); });
            break;
        case ClientCommand::CMD_postscores:
            with(p::postscores(rest), [&](auto& v) { game_.postscores(v); });
            break;
        case ClientCommand::CMD_complete:
            with(p::complete(rest), [&](auto& v) { game_.completed(v); });
            break;
        case ClientCommand::CMD_invaliddiscard: game_.invaliddiscard(); break;
        case ClientCommand::CMD_discard: with(p::discard(rest), [&](int v) { game_.discard(v); }); break;
        case ClientCommand::CMD_usefoot: with(p::usefoot(rest), [&](int v) { game_.usefoot(v); }); break;
        case ClientCommand::CMD_addtocomp:
            with(p::addtocomp(rest), [&](auto& v) { game_.addtocomp(v); });
            break;
        case ClientCommand::CMD_toomany: game_.toomany(); break;
        case ClientCommand::CMD_freecard: with(p::freecard(rest), [&](int v) { game_.freecard(v); }); break;
        case ClientCommand::CMD_justwatching:
            with(p::justwatching(rest), [&](auto& v) { game_.justwatching(v); });
            break;
        case ClientCommand::CMD_loadbooks:
            with(p::loadbooks(rest), [&](auto& v) { game_.loadbooks(v); });
            break;
        case ClientCommand::CMD_loadcomp: with(p::loadcomp(rest), [&](auto& v) { game_.loadcomp(v); }); break;
        case ClientCommand::CMD_startround: game_.startround(); break;
        case ClientCommand::CMD_rwinner: with(p::rwinner(rest), [&](int v) { game_.rwinner(v); }); break;
        case ClientCommand::CMD_nobots: with(p::nobots(rest), [&](auto& v) { game_.notbots(v); }); break;
    }
}

}  // namespace quintrel
