// The host's receiving side: bytes into queued lines, one line per tick to its handler,
// and the checks that a request comes from the connection it claims to come from.

#include <exception>
#include <optional>
#include <string>
#include <variant>

#include "engine/engine.h"
#include "engine/host_state.h"
#include "engine/outbox.h"
#include "engine/thedeck.h"
#include "net/dispatch.h"
#include "net/framing.h"
#include "net/host_request.h"
#include "host/server.h"
#include "net/wire.h"

namespace quintrel {

namespace {

// What the log says of a request whose fields do not parse.
std::string_view malformed(HostCommand command) {
    switch (command) {
        case HostCommand::CMD_logininfo: return "malformed login";
        case HostCommand::CMD_kickhim: return "malformed removal";
        case HostCommand::CMD_botspeed: return "malformed bot speed";
        case HostCommand::CMD_chat:
        case HostCommand::CMD_action: return "malformed chat";
        default: return "malformed request";
    }
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
    setBotLevel(options_.botLevel);
    // Here the computer plays seat 1 once its player has left, under a name of its own.
    if (options_.mode == HostMode::Headless)
        state_->players[1].botname = state_->players[1].name = kComputerNames[1];
}

std::size_t TServer::queuedLines() const { return inbox_->size(); }

void TServer::setBotLevel(BotLevel level) {
    for (int seat = 1; seat <= kSeats; ++seat) engine_->setBotLevel(seat, level);
}

BotLevel TServer::botLevel() const { return engine_->botLevel(1); }

void TServer::receive(int slot, std::string_view bytes) {
    if (!isSlot(slot) || !state_->players[slot].connected || closing_[slot]) return;
    if (inbox_->receive(slot, bytes)) return;
    log("slot " + std::to_string(slot) + " sent too much unread data; closing it");
    disconnectsock(slot);
}

void TServer::drainTick() {
    if (inbox_->empty()) return;
    HostLine next = inbox_->take();
    if (next.slot == 0) return;
    dispatch(next.slot, next.line);
    if (isSlot(next.slot) && closing_[next.slot] && inbox_->pending(next.slot) == 0) {
        departure(next.slot);
        noteGameTransitions();
    }
}

void TServer::pacingTick() {
    try {
        engine_->pacingTick();
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
    if (routed->command != HostCommand::CMD_logininfo && !state_->players[sender].loggedin)
        return drop(sender, "request before login", line);
    const auto request = wire::parseHostRequest(routed->command, routed->rest);
    if (!request) return drop(sender, malformed(routed->command), line);
    if (const auto why = refusal(sender, *request)) return drop(sender, *why, line);
    try {
        handle(sender, *request);
    } catch (const std::exception& error) {
        drop(sender, std::string("failed: ") + error.what(), line);
    }
    if (std::holds_alternative<wire::parse::StartGameRequest>(*request) && state_->gamestarted) {
        log("game started by slot " + std::to_string(sender));
        gameWasStarted_ = true;
        gameStarter_ = sender;
    }
    noteGameTransitions();
}

// Who may send a request: its own connection, the hosting player (slot 1), or the seat it
// names, which must have the turn for a play. Each refusal is logged, never answered.
std::optional<std::string_view> TServer::refusal(int sender, const wire::HostRequest& request) const {
    namespace p = wire::parse;
    const HostState& s = *state_;
    using Why = std::optional<std::string_view>;
    const auto starter = [&](bool settingLength) -> Why {
        if (!mayStartGames(sender, settingLength)) return "only the hosting player may do this";
        return std::nullopt;
    };
    const auto seatItself = [&](int seat) -> Why {
        if (seat != sender) return "request names another seat";
        // The engine ignores these too; noting them here keeps the log complete.
        if (!s.gamestarted || s.turnseat != sender) return "not this seat's turn";
        return std::nullopt;
    };
    const auto afterDraw = [&](int seat) -> Why {
        if (const auto why = seatItself(seat)) return why;
        if (!s.drawn) return "before the draw";
        return std::nullopt;
    };
    return std::visit(wire::Overloaded{
                          [&](const p::LoginInfo& login) -> Why {
                              if (login.slot != sender) return "login names another slot";
                              if (s.players[sender].loggedin) return "repeated login";
                              return std::nullopt;
                          },
                          [&](const p::KickHim& kick) -> Why {
                              if (sender != 1 || kick.sender != sender)
                                  return "removal not from the hosting player";
                              // The hosting player removing itself would end every table.
                              if (kick.target == sender) return "removal of the hosting player";
                              return std::nullopt;
                          },
                          [&](const p::BotSpeed& speed) -> Why {
                              if (sender != 1 || speed.sender != sender)
                                  return "bot speed not from the hosting player";
                              // 0 would spin the timer; a negative delay would stop the computer players.
                              if (speed.ms < 1 || speed.ms > kMaxBotDelay) return "bot speed out of range";
                              return std::nullopt;
                          },
                          [&](const p::ChatRequest& chat) -> Why {
                              if (chat.slot != sender) return "chat names another slot";
                              return std::nullopt;
                          },
                          [&](const p::StartGameRequest&) { return starter(false); },
                          [&](const p::SetTourney&) { return starter(true); },
                          [&](const p::JustWatch& watch) -> Why {
                              if (sender != 1 && watch.seat != sender) return "request names another seat";
                              return std::nullopt;
                          },
                          [&](const p::CreateBook& play) { return afterDraw(play.seat); },
                          [&](const p::AddToBookRequest& play) { return afterDraw(play.seat); },
                          [&](const p::DiscardRequest& play) { return afterDraw(play.seat); },
                          [&](const p::AddToCompRequest& play) { return afterDraw(play.seat); },
                          [&](const p::Drawing& play) { return seatItself(play.seat); },
                      },
                      request);
}

// Games are started by the hosting player. A host without a table of its own outlives that
// player: while nobody holds slot 1, any seated person may start the next game, and set the
// length of the game it started.
bool TServer::mayStartGames(int sender, bool settingLength) const {
    if (sender == 1) return true;
    const HostState& s = *state_;
    const tplayer& hosting = s.players[1];
    if (options_.mode != HostMode::Headless || !isSeat(sender) || (hosting.connected && hosting.loggedin))
        return false;
    return !s.gamestarted || (settingLength && sender == gameStarter_);
}

void TServer::handle(int sender, const wire::HostRequest& request) {
    namespace p = wire::parse;
    std::visit(wire::Overloaded{
                   [&](const p::LoginInfo& login) { receivedlogininfo(sender, login); },
                   [&](const p::KickHim& kick) { kickhim(kick); },
                   [&](const p::BotSpeed& speed) { state_->botdelay = speed.ms; },
                   [&](const p::ChatRequest& chat) { relay(sender, chat.text, false); },
                   [&](const wire::ActionRequest& action) { relay(sender, action.text, true); },
                   [&](const p::StartGameRequest& start) { engine_->startgame(start); },
                   [&](const p::SetTourney& tourney) { engine_->settourney(tourney); },
                   [&](const p::JustWatch& watch) { engine_->justwatch(watch); },
                   [&](const p::CreateBook& play) { engine_->createbook(play); },
                   [&](const p::AddToBookRequest& play) { engine_->addtobook(play); },
                   [&](const p::DiscardRequest& play) { engine_->discard(play); },
                   [&](const p::AddToCompRequest& play) { engine_->addtocomp(play); },
                   [&](const p::Drawing& play) { engine_->drawing(play); },
               },
               request);
}

void TServer::noteGameTransitions() {
    if (gameWasStarted_ == state_->gamestarted) return;
    gameWasStarted_ = state_->gamestarted;
    log(gameWasStarted_ ? "game started" : "game ended");
}

}  // namespace quintrel
