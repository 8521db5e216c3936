#include "host/qt/host_events.h"
#include "host/qt/host_listener.h"
#include "net/qt/socket_texts.h"
#include "net/qt/tsock.h"
#include "qt_support.h"

#include <QElapsedTimer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quintrel::host {

using namespace quintrel::net;
namespace {

using quintrel::kit::str;
using quintrel::kit::waitUntil;

// Records what the listener reports and checks that no close is reported inside a call.
class FakeHost : public HostEvents {
public:
    explicit FakeHost(HostListener& out) : out_(out) {}

    int accept(bool fromLoopback) override {
        Scope scope(*this);
        loopbackFlags.push_back(fromLoopback);
        return nextSlots.empty() ? 10 : takeFront();
    }
    void accepted(int slot) override {
        Scope scope(*this);
        acceptedSlots.push_back(slot);
        if (slot == 10) {
            out_.send(10, "CMD_full+");
            out_.close(10);
        } else {
            out_.send(slot, "CMD_sendlogininfo+" + std::to_string(slot));
        }
    }
    void read(int slot, std::string_view bytes) override {
        Scope scope(*this);
        received[slot] += bytes;
        queued += std::count(bytes.begin(), bytes.end(), '\xFF');
        if (onRead) onRead(slot);
    }
    void closed(int slot) override {
        if (depth_ > 0) closedInsideCall = true;
        closedSlots.push_back(slot);
    }
    void drainTick() override {
        Scope scope(*this);
        ++drainTicks;
        tickTimes.push_back(clock.elapsed());
        if (queued > 0) --queued;
    }
    std::size_t queuedLines() const override { return static_cast<std::size_t>(queued); }
    void pacingTick() override {
        Scope scope(*this);
        ++pacingTicks;
    }
    bool pacingTimerEnabled() const override { return pacingOn; }
    int pacingInterval() const override { return pacingMs; }
    void clockTick(int elapsedMs) override { clockTicks.push_back(elapsedMs); }
    bool awaitingLogin() const override { return awaiting; }

    std::vector<int> nextSlots;
    std::vector<bool> loopbackFlags;
    std::vector<int> acceptedSlots;
    std::vector<int> closedSlots;
    std::map<int, std::string> received;
    std::function<void(int)> onRead;
    bool closedInsideCall = false;
    int drainTicks = 0;
    long queued = 0;  // lines the host would have waiting: one per terminator read
    QElapsedTimer clock;
    std::vector<qint64> tickTimes;
    int pacingTicks = 0;
    bool pacingOn = false;
    int pacingMs = 0;
    bool awaiting = false;
    std::vector<int> clockTicks;

private:
    struct Scope {
        explicit Scope(FakeHost& host) : host_(host) { ++host_.depth_; }
        ~Scope() { --host_.depth_; }
        FakeHost& host_;
    };
    int takeFront() {
        int slot = nextSlots.front();
        nextSlots.erase(nextSlots.begin());
        return slot;
    }
    HostListener& out_;
    int depth_ = 0;
};

// A plain client that collects everything it receives.
struct Client {
    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
    explicit Client(quint16 port) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::disconnected, [this] { closed = true; });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
};

struct HostFixture : ::testing::Test {
    HostListener listener;
    FakeHost host{listener};
    void SetUp() override {
        listener.attach(&host);
        listener.startListening(ListenScope::LoopbackOnly, 0);
    }
    void TearDown() override { listener.attach(nullptr); }
};

// The login deadline's clock runs, with the time that really passed, only while the host
// waits for a login; the host is asked again after every call.
TEST_F(HostFixture, TheLoginClockTicksOnlyWhileALoginIsAwaited) {
    host.awaiting = true;
    host.nextSlots = {1};
    Client client(listener.port());
    ASSERT_TRUE(waitUntil([&] { return !host.clockTicks.empty(); }));
    EXPECT_GE(host.clockTicks.front(), 900);
    host.awaiting = false;
    client.socket.write("CMD_logininfo+1+1.0.3+Bob\xFF");
    ASSERT_TRUE(waitUntil([&] { return !host.received[1].empty(); }));
    const std::size_t ticks = host.clockTicks.size();
    QTest::qWait(1500);
    EXPECT_EQ(host.clockTicks.size(), ticks);
}

TEST_F(HostFixture, AcceptedConnectionGetsItsSlotAndItsLinesBothWays) {
    host.nextSlots = {1};
    Client client(listener.port());
    ASSERT_TRUE(waitUntil([&] { return client.received.size() >= 20; }));
    EXPECT_EQ(str(client.received), "CMD_sendlogininfo+1\xFF");
    ASSERT_EQ(host.loopbackFlags.size(), 1u);
    EXPECT_TRUE(host.loopbackFlags[0]);

    client.socket.write("CMD_logininfo+1+1.0.3+Bob\xFF\xFF");
    ASSERT_TRUE(waitUntil([&] { return host.received[1].size() >= 27; }));
    EXPECT_EQ(host.received[1], "CMD_logininfo+1+1.0.3+Bob\xFF\xFF");

    client.socket.disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return !host.closedSlots.empty(); }));
    QTest::qWait(50);
    EXPECT_EQ(host.closedSlots, std::vector<int>{1});
    EXPECT_EQ(listener.connectionCount(), 0);
}

TEST_F(HostFixture, BroadcastReachesEveryoneAfterOneRecipientIsClosedMidway) {
    host.nextSlots = {1, 2, 3};
    Client one(listener.port()), two(listener.port()), three(listener.port());
    ASSERT_TRUE(waitUntil([&] { return host.acceptedSlots.size() == 3; }));
    ASSERT_TRUE(waitUntil([&] { return three.received.size() > 0 && two.received.size() > 0; }));
    one.received.clear();
    two.received.clear();
    three.received.clear();

    // Slot 2 asks; the handler closes slot 1 first and then sends to all three.
    host.onRead = [&](int) {
        listener.close(1);
        for (int slot : {1, 2, 3}) listener.send(slot, "CMD_playerdisconnected+1+Ann");
    };
    two.socket.write("CMD_kickhim+2+1+\xFF");
    ASSERT_TRUE(waitUntil([&] { return !host.closedSlots.empty() && three.received.size() > 0; }));
    ASSERT_TRUE(waitUntil([&] { return two.received.size() > 0 && one.closed; }));
    EXPECT_FALSE(host.closedInsideCall);
    EXPECT_EQ(host.closedSlots, std::vector<int>{1});
    EXPECT_EQ(str(two.received), "CMD_playerdisconnected+1+Ann\xFF");
    EXPECT_EQ(str(three.received), "CMD_playerdisconnected+1+Ann\xFF");
    // A send to a slot without connection is dropped quietly.
    EXPECT_NO_THROW(listener.send(1, "CMD_chat+x"));
    EXPECT_NO_THROW(listener.send(7, "CMD_chat+x"));
}

TEST_F(HostFixture, RefusedConnectionsEachGetFullThenTheClose) {
    host.nextSlots = {1};
    Client seated(listener.port());
    ASSERT_TRUE(waitUntil([&] { return host.acceptedSlots.size() == 1; }));
    Client refusedA(listener.port());
    Client refusedB(listener.port());
    ASSERT_TRUE(waitUntil([&] { return refusedA.closed && refusedB.closed; }));
    EXPECT_EQ(str(refusedA.received), "CMD_full+\xFF");
    EXPECT_EQ(str(refusedB.received), "CMD_full+\xFF");
    EXPECT_FALSE(seated.closed);
    EXPECT_EQ(listener.connectionCount(), 1);
}

TEST_F(HostFixture, AbortedPeerIsReportedClosedOnce) {
    host.nextSlots = {4};
    Client client(listener.port());
    ASSERT_TRUE(waitUntil([&] { return client.received.size() > 0; }));
    client.socket.abort();
    ASSERT_TRUE(waitUntil([&] { return !host.closedSlots.empty(); }));
    QTest::qWait(100);
    EXPECT_EQ(host.closedSlots, std::vector<int>{4});
}

TEST_F(HostFixture, SocktimerRunsOnlyWhileLinesWaitOneLinePerTenMs) {
    host.clock.start();
    host.nextSlots = {1};
    Client client(listener.port());
    ASSERT_TRUE(waitUntil([&] { return host.acceptedSlots.size() == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(host.drainTicks, 0);  // nothing queued, nothing wakes the host
    EXPECT_FALSE(listener.drainTimerActive());

    client.socket.write(
        "CMD_chat+1+a\xFF"
        "CMD_chat+1+b\xFF"
        "CMD_chat+1+c\xFF");
    ASSERT_TRUE(waitUntil([&] { return host.drainTicks == 3; }));
    for (std::size_t i = 1; i < host.tickTimes.size(); ++i)
        EXPECT_GE(host.tickTimes[i] - host.tickTimes[i - 1], 9) << "tick " << i;
    QTest::qWait(50);
    EXPECT_EQ(host.drainTicks, 3);
    EXPECT_FALSE(listener.drainTimerActive());
}

TEST_F(HostFixture, Timer1FollowsTheHost) {
    EXPECT_FALSE(listener.pacingTimerActive());
    host.nextSlots = {1};
    Client client(listener.port());
    ASSERT_TRUE(waitUntil([&] { return host.acceptedSlots.size() == 1; }));
    // Any call lets the listener pick up the host's wish; here, a read.
    auto call = [&] { client.socket.write("x"); };

    host.pacingOn = true;
    host.pacingMs = 20;
    call();
    ASSERT_TRUE(waitUntil([&] { return listener.pacingTimerActive(); }, 1000));
    EXPECT_EQ(listener.pacingInterval(), 20);
    ASSERT_TRUE(waitUntil([&] { return host.pacingTicks >= 3; }, 2000));

    // Its own ticks are calls too.
    host.pacingMs = 500;
    ASSERT_TRUE(waitUntil([&] { return listener.pacingInterval() == 500; }, 1000));

    host.pacingOn = false;
    call();
    ASSERT_TRUE(waitUntil([&] { return !listener.pacingTimerActive(); }, 1000));
    const int ticks = host.pacingTicks;
    QTest::qWait(100);
    EXPECT_EQ(host.pacingTicks, ticks);
}

TEST_F(HostFixture, PeerThatStopsReadingIsClosedLikeAnyDeparture) {
    host.nextSlots = {1, 2};
    Client reader(listener.port());
    ASSERT_TRUE(waitUntil([&] { return reader.received.size() > 0; }));
    QTcpSocket deaf;
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress::LocalHost, listener.port());
    ASSERT_TRUE(waitUntil([&] { return host.acceptedSlots.size() == 2; }));

    // Without a turn of the event loop nothing leaves: the lines wait in the sender.
    const std::string line(4000, 'x');
    for (int i = 0; i < 300 && host.closedSlots.empty(); ++i) listener.send(2, line);
    EXPECT_EQ(host.closedSlots, std::vector<int>{2});
    EXPECT_EQ(listener.connectionCount(), 1);
    EXPECT_NO_THROW(listener.send(2, line));

    reader.received.clear();
    listener.send(1, "CMD_chat+still here");
    ASSERT_TRUE(waitUntil([&] { return reader.received.size() > 0; }));
    EXPECT_EQ(str(reader.received), "CMD_chat+still here\xFF");
    EXPECT_TRUE(waitUntil([&] { return deaf.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(host.closedSlots, std::vector<int>{2});
}

TEST(HostListener, SecondListenerOnTheSamePortFails) {
    HostListener first, second;
    first.startListening(ListenScope::AllAddresses, 0);
    EXPECT_THROW(second.startListening(ListenScope::AllAddresses, first.port()), SocketError);
    EXPECT_FALSE(second.isListening());
}

}  // namespace
}  // namespace quintrel::host
