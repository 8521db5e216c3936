#pragma once
// How the host reaches its connections. The host's core never touches a socket: it hands
// each message line (without terminator) to an Outbox, and the transport (Qt sockets, or an
// in-memory recorder in tests and the simulator) frames and delivers it.

#include <string_view>

namespace quintrel {

class Outbox {
public:
    virtual ~Outbox() = default;
    // Queue one line for the connection of a slot (1..10). Never throws; a closed slot drops it.
    virtual void send(int slot, std::string_view line) = 0;
    // Close the connection of a slot after flushing what was queued for it.
    virtual void close(int slot) = 0;
};

}  // namespace quintrel
