// The host's receiving side: bytes into queued lines, one line per tick to its handler,
// and the checks that a request comes from the connection it claims to come from.

#include <charconv>
#include <exception>
#include <optional>
#include <string>

#include "engine/engine.h"
#include "engine/host_state.h"
#include "engine/outbox.h"
#include "engine/thedeck.h"
#include "net/dispatch.h"
#include "net/framing.h"
#include "host/server.h"
#include "net/wire.h"

namespace quintrel {

namespace {

// The leading decimal field of a request (the sender's seat or slot), if it is one.
std::optional<int> leadingNumber(std::string_view rest) {
    const std::string_view field = rest.substr(0, rest.find('+'));
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
    return value;
}

enum class Rule { Own, HostOnly, SeatItself, SeatOrHost };

// Who may send a request, and whether its fields are in range, before any handler sees it.
struct Check {
    Rule rule;
    bool wellFormed;
};

Check checkFor(HostCommand command, std::string_view rest) {
    namespace p = wire::parse;
    switch (command) {
        case HostCommand::CMD_logininfo:
        case HostCommand::CMD_kickhim:
        case HostCommand::CMD_botspeed:
        case HostCommand::CMD_chat:
        case HostCommand::CMD_action: return {Rule::Own, true};
        case HostCommand::CMD_startgame: return {Rule::HostOnly, p::startgameRequest(rest).has_value()};
        case HostCommand::CMD_settourney: return {Rule::HostOnly, p::settourney(rest).has_value()};
        case HostCommand::CMD_justwatch: return {Rule::SeatOrHost, p::justwatch(rest).has_value()};
        case HostCommand::CMD_createbook: return {Rule::SeatItself, p::createbook(rest).has_value()};
        case HostCommand::CMD_addtobook: return {Rule::SeatItself, p::addtobookRequest(rest).has_value()};
        case HostCommand::CMD_discard: return {Rule::SeatItself, p::discardRequest(rest).has_value()};
        case HostCommand::CMD_addtocomp: return {Rule::SeatItself, p::addtocompRequest(rest).has_value()};
        case HostCommand::CMD_drawing: return {Rule::SeatItself, p::drawing(rest).has_value()};
    }
    return {Rule::Own, false};
}

}  // namespace

TServer::TServer(Outbox& outbox, ServerOptions options, HostLog log)
    : outbox_(outbox),
      options_(options),
      log_(std::move(log)),
      state_(std::make_unique<HostState>()),
      random_(std::make_unique<RandomSource>(options.seed)),
      engine_(std::make_unique<Engine>(*state_, outbox_, *random_)),
      inbox_(std::make_unique<HostInbox>()) {
    if (options_.botdelay >= 1 && options_.botdelay <= kMaxBotDelay) state_->botdelay = options_.botdelay;
}

Engine& TServer::engine() { return *engine_; }
std::size_t TServer::queuedLines() const { return inbox_->size(); }

void TServer::Sock1Read(int slot, std::string_view bytes) {
    if (!isSlot(slot) || !state_->players[slot].connected) return;
    if (inbox_->receive(slot, bytes)) return;
    log("slot " + std::to_string(slot) + " sent too much unread data; closing it");
    disconnectsock(slot);
}

void TServer::socktimerTimer() {
    if (inbox_->empty()) return;
    HostLine next = inbox_->take();
    if (next.slot == 0) return;
    dispatch(next.slot, next.line);
}

void TServer::Timer1Timer() {
    try {
        engine_->Timer1Timer();
    } catch (const std::exception& error) {
        log(std::string("computer turn failed: ") + error.what());
    }
    noteGameTransitions();
}

void TServer::dispatch(int sender, std::string_view line) {
    if (!isSlot(sender) || !state_->players[sender].connected) return;
    const auto routed = routeHostLine(line);
    if (!routed) {
        // Empty lines and bare words carry nothing (a login is followed by an empty one).
        if (!splitCommand(line).command.empty()) drop(sender, "unknown command", line);
        return;
    }
    const HostCommand command = routed->command;
    const std::string_view rest = routed->rest;
    if (command != HostCommand::CMD_logininfo && !loggedIn_[sender])
        return drop(sender, "request before login", line);
    const Check check = checkFor(command, rest);
    if (!check.wellFormed) return drop(sender, "malformed request", line);
    switch (check.rule) {
        case Rule::Own: break;
        case Rule::HostOnly:
            if (sender != 1) return drop(sender, "only the hosting player may do this", line);
            break;
        case Rule::SeatItself:
            if (leadingNumber(rest) != sender) return drop(sender, "request names another seat", line);
            // The engine ignores these too; noting them here keeps the log complete.
            if (!state_->gamestarted || state_->turnseat != sender)
                return drop(sender, "not this seat's turn", line);
            break;
        case Rule::SeatOrHost:
            if (sender != 1 && leadingNumber(rest) != sender)
                return drop(sender, "request names another seat", line);
            break;
    }
    try {
        switch (command) {
            case HostCommand::CMD_logininfo: receivedlogininfo(sender, rest); break;
            case HostCommand::CMD_kickhim: kickhim(sender, rest); break;
            case HostCommand::CMD_botspeed: botspeed(sender, rest); break;
            case HostCommand::CMD_chat: chat(sender, rest); break;
            case HostCommand::CMD_action: action(sender, rest); break;
            case HostCommand::CMD_startgame: engine_->startgame(rest); break;
            case HostCommand::CMD_justwatch: engine_->justwatch(rest); break;
            case HostCommand::CMD_createbook: engine_->createbook(rest); break;
            case HostCommand::CMD_addtobook: engine_->addtobook(rest); break;
            case HostCommand::CMD_discard: engine_->discard(rest); break;
            case HostCommand::CMD_addtocomp: engine_->addtocomp(rest); break;
            case HostCommand::CMD_drawing: engine_->drawing(rest); break;
            case HostCommand::CMD_settourney: engine_->settourney(rest); break;
        }
    } catch (const std::exception& error) {
        drop(sender, std::string("failed: ") + error.what(), line);
    }
    if (command == HostCommand::CMD_startgame && state_->gamestarted) {
        log("game started by slot " + std::to_string(sender));
        gameWasStarted_ = true;
    }
    noteGameTransitions();
}

void TServer::noteGameTransitions() {
    if (gameWasStarted_ == state_->gamestarted) return;
    gameWasStarted_ = state_->gamestarted;
    log(gameWasStarted_ ? "game started" : "game ended");
}

}  // namespace quintrel
