#include "host/qt/running_host.h"

#include "engine/thedeck.h"
#include "host/qt/host_events.h"

#include <QTime>

namespace quintrel::host {

// The listener's events, delivered to the host.
class RunningHost::Events final : public HostEvents {
public:
    explicit Events(TServer& server) : server_(server) {}
    int accept(bool fromLoopback) override { return server_.accept(fromLoopback); }
    void accepted(int slot) override { server_.accepted(slot); }
    void read(int slot, std::string_view bytes) override { server_.receive(slot, bytes); }
    void closed(int slot) override { server_.connectionClosed(slot); }
    void drainTick() override { server_.drainTick(); }
    std::size_t queuedLines() const override { return server_.queuedLines(); }
    void pacingTick() override { server_.pacingTick(); }
    bool pacingTimerEnabled() const override { return server_.pacingTimerEnabled(); }
    int pacingInterval() const override { return server_.pacingInterval(); }
    void clockTick(int elapsedMs) override { server_.clockTick(elapsedMs); }
    bool awaitingLogin() const override { return server_.awaitingLogin(); }

private:
    TServer& server_;
};

RunningHost::RunningHost(ServerOptions options, HostLog log)
    : server_(listener_, options, std::move(log)), events_(std::make_unique<Events>(server_)) {
    listener_.attach(events_.get());
}

RunningHost::~RunningHost() { shutdown(); }

void RunningHost::startListening(net::ListenScope scope, quint16 port) {
    listener_.startListening(scope, port);
}

void RunningHost::shutdown() {
    listener_.shutdown();
    listener_.attach(nullptr);
}

std::uint32_t clockSeed() {
    const QTime now = QTime::currentTime();
    return RandomSource::clockSeed(now.hour(), now.minute(), now.second(), now.msec());
}

}  // namespace quintrel::host
