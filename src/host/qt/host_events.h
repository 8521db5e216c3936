#pragma once
// What the host listener reports to the host and asks of it. TServerEvents forwards these to
// TServer; tests put a recorder in its place.

#include <cstddef>
#include <string_view>

namespace quintrel::host {

class HostEvents {
public:
    virtual ~HostEvents() = default;
    virtual int accept(bool fromLoopback) = 0;  // the slot for a new connection
    virtual void accepted(int slot) = 0;
    virtual void read(int slot, std::string_view bytes) = 0;
    virtual void closed(int slot) = 0;
    virtual void drainTick() = 0;  // every 10 ms while lines are queued
    virtual std::size_t queuedLines() const = 0;
    virtual void pacingTick() = 0;
    virtual bool pacingTimerEnabled() const = 0;
    virtual int pacingInterval() const = 0;
    // The login deadline's clock: time passed since the last tick, while a connection waits.
    virtual void clockTick(int /*elapsedMs*/) {}
    virtual bool awaitingLogin() const { return false; }
};

}  // namespace quintrel::host
