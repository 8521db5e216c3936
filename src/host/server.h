#pragma once
// TServer: the host. Slots, login, relay, and the game engine, driven by explicit calls from
// a transport (Qt sockets, or in-memory in tests). It never touches a socket or a clock.
//
// Entry points the transport calls (this is the contract with src/host/qt):
//
//   int  accept(bool fromLoopback);      // Sock1Accept: the slot for a new connection, 1..9,
//                                        // or 10 for a refused one; marks 1..9 connected
//   void accepted(int slot);             // the transport has bound the connection to `slot`:
//                                        // sends CMD_sendlogininfo, or CMD_full+ and closes 10.
//                                        // Slot 10 is only a name for "the refused one": the
//                                        // transport detaches it on close(10) so that the
//                                        // next refused connection can use it again.
//   void receive(int slot, std::string_view bytes);  // Sock1Read: bytes received on a slot
//   void connectionClosed(int slot);     // the slot's connection is gone (orderly close or a
//                                        // network error); safe to call twice. Lines it sent
//                                        // before are still dispatched, then it departs
//   void drainTick();                    // socktimer: dispatch one queued line (every 10 ms)
//   void pacingTick();                   // Timer1: the computer players' / next round timer
//   bool pacingTimerEnabled() const; int pacingInterval() const;  // read after every call;
//                                        // the transport starts/stops its QTimer to match
//   void clockTick(int elapsedMs);       // time passed since the last call: a connection that
//                                        // has not logged in within kLoginTimeoutMs, counted
//                                        // from the first tick after its accept, is closed
//   bool awaitingLogin() const;          // read after every call: while true, call clockTick
//                                        // about once a second
//
// Messages go out through the Outbox given at construction (src/engine/outbox.h). Outbox::close
// may call connectionClosed() re-entrantly or later; either is fine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/bot_level.h"
#include "net/game_limits.h"
#include "net/host_request.h"

namespace quintrel {

class Outbox;
class Engine;
struct HostState;
class HostInbox;
class RandomSource;

enum class HostMode {
    Desktop,   // host and solo modes: slot 1 only for the own table (a loopback connection)
    Headless,  // quintrel-server: the first connection hosts; the computer may play seat 1
};

struct ServerOptions {
    HostMode mode = HostMode::Desktop;
    int botdelay = 0;                        // computer-player delay until the hosting table sets one
    std::uint32_t seed = 0;                  // the generator's seed (the caller picks clock or --seed)
    BotLevel botLevel = BotLevel::Standard;  // how the computer players play
};

constexpr int kMaxBotDelay = 60000;  // ms
// A connection that says nothing must not hold its seat (and the game) for ever.
constexpr int kLoginTimeoutMs = 15000;

// One line per event worth recording: connections, logins, games, dropped requests.
using HostLog = std::function<void(std::string_view line)>;

class TServer {
public:
    TServer(Outbox& outbox, ServerOptions options, HostLog log = {});
    ~TServer();
    TServer(const TServer&) = delete;
    TServer& operator=(const TServer&) = delete;

    // ------------------------------------------------------------ transport entry points
    int accept(bool fromLoopback);
    void accepted(int slot);
    void receive(int slot, std::string_view bytes);
    void connectionClosed(int slot);
    void drainTick();
    void pacingTick();
    bool pacingTimerEnabled() const;
    int pacingInterval() const;
    void clockTick(int elapsedMs);
    bool awaitingLogin() const;

    // How the computer players play from their next move on (the hosting program's choice).
    void setBotLevel(BotLevel level);
    BotLevel botLevel() const;

    // Lines waiting in the receive queue (the transport may skip idle ticks when 0).
    std::size_t queuedLines() const;

    // ------------------------------------------------------------ state
    HostState& state();
    const HostState& state() const;
    int connectioncount() const;
    bool loggedIn(int slot) const;  // the slot's connection has sent its one login

private:
    // One line from a slot: parsed once, its sender checked, handed to its handler.
    void dispatch(int sender, std::string_view line);
    std::optional<std::string_view> refusal(int sender, const wire::HostRequest& request) const;
    void handle(int sender, const wire::HostRequest& request);
    void receivedlogininfo(int sender, const wire::parse::LoginInfo& login);
    void kickhim(const wire::parse::KickHim& kick);
    void relay(int sender, std::string_view text, bool isAction);
    void disconnectsock(int slot);
    void departure(int slot);  // the departure cleanup
    bool mayStartGames(int sender, bool settingLength) const;
    void resetConnection(int slot);  // forget the slot's unread bytes and queued lines
    void sendCatchUp(int slot);
    void drop(int sender, std::string_view why, std::string_view line);
    void noteGameTransitions();
    void log(std::string_view line) const;

    Outbox& outbox_;
    ServerOptions options_;
    HostLog log_;
    std::unique_ptr<HostState> state_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<HostInbox> inbox_;              // per-slot line buffers and the shared queue
    std::array<bool, kRefusedSlot + 1> closing_{};  // closed with lines still queued: depart after them
    std::array<int, kRefusedSlot + 1> waitedMs_{};  // since the first tick after the accept, until the login
    int gameStarter_ = 0;                           // the slot whose request started the running game
    bool gameWasStarted_ = false;
};

}  // namespace quintrel
