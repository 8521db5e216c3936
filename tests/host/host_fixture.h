#pragma once
// An in-memory transport for the host: connections are slot numbers, sends are recorded.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/host_state.h"
#include "host/server.h"
#include "outbox.h"

namespace quintrel::test {

using kit::RecordingOutbox;

class HostTest : public ::testing::Test {
protected:
    explicit HostTest(HostMode mode = HostMode::Desktop)
        : server(outbox, ServerOptions{mode, 750, 12345},
                 [this](std::string_view line) { log.emplace_back(line); }) {}

    RecordingOutbox outbox;
    std::vector<std::string> log;
    TServer server;

    int connect(bool loopback = false) {
        const int slot = server.accept(loopback);
        server.accepted(slot);
        return slot;
    }
    // Bytes of whole messages, terminators added, then every queued line dispatched.
    void send(int slot, const std::string& line) {
        server.receive(slot, line + '\xFF');
        pump();
    }
    void pump() {
        while (server.queuedLines() > 0) server.drainTick();
    }
    void login(int slot, const std::string& name, const std::string& version = "1.0.3") {
        send(slot, "CMD_logininfo+" + std::to_string(slot) + "+" + version + "+" + name + '\xFF');
    }
    // The first connection over loopback (the own table), then remote ones, each logged in.
    void seatPeople(const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int slot = connect(i == 0);
            login(slot, names[i]);
        }
    }
    void clearRecords() {
        outbox.clear();
        log.clear();
    }
    HostState& s() { return server.state(); }
};

}  // namespace quintrel::test
