#pragma once
// The host and the tables of its connections in one process, over an in-memory transport
// that behaves like the Qt listener: a line sent to a slot is queued at that slot's table, and
// a close the host asks for is reported back once its call has returned (or, with
// reentrantClose, from inside the call, which the host must take as well).

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/outbox.h"
#include "host/server.h"
#include "net/game_limits.h"
#include "table.h"

namespace quintrel::kit {

class Network : public Outbox {
public:
    explicit Network(ServerOptions options, HostLog log = {});

    // A new connection: the host picks its slot; a seat or spectator slot gets a table that
    // logs in as `name` once it is drained. Returns the slot (10: refused and closed).
    int connect(bool fromLoopback, const std::string& name);
    // The peer of a slot goes away: its table is dropped and the host told.
    void disconnect(int slot);
    // Bytes from a slot's peer (the transport's read event).
    void read(int slot, std::string_view bytes);
    // Reports the closes the host asked for during its last call.
    void afterCall();
    // Every table takes its queued lines; what they send goes to the host.
    void drainTables();
    // Runs both sides until nothing moves: tables drain, their requests reach the host, the
    // host drains, closes are reported.
    void settle();

    bool live(int slot) const { return live_.at(static_cast<std::size_t>(slot)); }
    Table* table(int slot) const;  // nullptr when the slot has none

    void send(int slot, std::string_view line) override;
    void close(int slot) override;

    TServer server;
    bool reentrantClose = false;
    std::vector<std::pair<int, std::string>> sent;  // every line the host sent; tests may clear it
    std::vector<std::unique_ptr<Table>> gone;       // tables whose connection the host closed

private:
    std::array<bool, kRefusedSlot + 1> live_{};
    std::map<int, std::unique_ptr<Table>> tables_;
    std::vector<int> closeLater_;
};

}  // namespace quintrel::kit
