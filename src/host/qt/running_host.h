#pragma once
// The host as a program runs it: TServer behind a HostListener, driven by the listener's
// sockets and timers. The desktop program, quintrel-server and the window tests each hold one.

#include "host/qt/host_listener.h"
#include "host/server.h"

#include <cstdint>
#include <memory>

namespace quintrel::host {

class RunningHost {
public:
    explicit RunningHost(ServerOptions options, HostLog log = {});
    ~RunningHost();  // closes every connection
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;

    // Throws net::SocketError with the text to show.
    void startListening(net::ListenScope scope, quint16 port);
    // Closes the listener and every connection at once (program end).
    void shutdown();

    HostListener& listener() { return listener_; }
    TServer& server() { return server_; }

private:
    class Events;
    HostListener listener_;
    TServer server_;
    std::unique_ptr<Events> events_;
};

// A generator seed from the time of day, for a host started without one.
std::uint32_t clockSeed();

}  // namespace quintrel::host
