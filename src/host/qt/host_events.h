#pragma once
// What the host listener reports to the host and asks of it. TServerEvents forwards these to
// TServer; tests put a recorder in its place.

#include <string_view>

namespace quintrel::host {

class HostEvents {
public:
    virtual ~HostEvents() = default;
    virtual int accept(bool fromLoopback) = 0;  // the slot for a new connection
    virtual void accepted(int slot) = 0;
    virtual void read(int slot, std::string_view bytes) = 0;
    virtual void closed(int slot) = 0;
    virtual void socktimer() = 0;  // every 10 ms
    virtual void timer1() = 0;
    virtual bool timer1Enabled() const = 0;
    virtual int timer1Interval() const = 0;
};

}  // namespace quintrel::host
