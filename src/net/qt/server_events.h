#pragma once
// The host listener's events, delivered to TServer.

#include "net/qt/host_events.h"
#include "net/server.h"

namespace quintrel::net {

class TServerEvents final : public HostEvents {
public:
    explicit TServerEvents(TServer& server) : server_(server) {}
    int accept(bool fromLoopback) override { return server_.Sock1Accept(fromLoopback); }
    void accepted(int slot) override { server_.accepted(slot); }
    void read(int slot, std::string_view bytes) override { server_.Sock1Read(slot, bytes); }
    void closed(int slot) override { server_.connectionClosed(slot); }
    void socktimer() override { server_.socktimerTimer(); }
    void timer1() override { server_.Timer1Timer(); }
    bool timer1Enabled() const override { return server_.timer1Enabled(); }
    int timer1Interval() const override { return server_.timer1Interval(); }

private:
    TServer& server_;
};

}  // namespace quintrel::net
