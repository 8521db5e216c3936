#include "net/qt/socket_texts.h"
#include "net/qt/tsock.h"
#include "qt_support.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace quintrel::net {
namespace {

using quintrel::kit::str;
using quintrel::kit::waitUntil;

struct InfoLog {
    std::vector<std::pair<int, QString>> entries;
    void attach(TSock& sock) {
        QObject::connect(&sock, &TSock::info,
                         [this](int code, const QString& text) { entries.emplace_back(code, text); });
    }
    int count(const QString& text) const {
        int n = 0;
        for (const auto& entry : entries) n += entry.second == text;
        return n;
    }
};

// A listener and a client connected to it, with the accepted end in `server`.
struct Pair {
    TSock listener;
    TSock client;
    std::unique_ptr<TSock> server;

    void connect(ListenScope scope = ListenScope::LoopbackOnly) {
        listener.setPort(0);
        listener.listen(scope);
        QObject::connect(&listener, &TSock::acceptReady, [this] { server = listener.accept(); });
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPort(listener.listeningPort());
        QString error = QStringLiteral("not called");
        client.open([&](const QString& e) { error = e; });
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(waitUntil([this] { return server && client.isConnected(); }));
    }
};

QByteArray readFrom(TSock& sock, qsizetype expected) {
    QByteArray into = sock.receiveText();
    QObject context;
    QObject::connect(&sock, &TSock::readReady, &context, [&] { into += sock.receiveText(); });
    waitUntil([&] { return into.size() >= expected; });
    return into;
}

TEST(TSock, FramedLinesTravelBothWaysAndTheAcceptedEndKnowsItsPeer) {
    Pair pair;
    pair.connect();
    EXPECT_TRUE(pair.server->fromLoopback());
    EXPECT_EQ(pair.server->hostName(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(pair.server->port(), pair.listener.listeningPort());

    const QByteArray up(
        "CMD_chat+1+hi+there|clBlue\xFF"
        "CMD_discard+1+4\xFF",
        43);
    pair.client.sendText(up);
    const QByteArray received = readFrom(*pair.server, up.size());
    EXPECT_EQ(str(received), str(up));

    const QByteArray down("CMD_sendlogininfo+1\xFF");
    pair.server->sendText(down);
    const QByteArray back = readFrom(pair.client, down.size());
    EXPECT_EQ(str(back), str(down));
}

TEST(TSock, BothEndsSendSmallMessagesWithoutDelay) {
    Pair pair;
    pair.connect();
    EXPECT_TRUE(pair.server->lowDelay());
    EXPECT_TRUE(pair.client.lowDelay());
}

// A peer that reads nothing: whatever is sent to it piles up unsent.
TEST(TSock, PeerThatLeavesAMegabyteUnreadIsCutOffLikeALostConnection) {
    for (const bool acceptedEnd : {true, false}) {
        SCOPED_TRACE(acceptedEnd ? "accepted connection" : "outgoing connection");
        Pair pair;
        pair.connect();
        TSock& sender = acceptedEnd ? *pair.server : pair.client;
        InfoLog log;
        log.attach(sender);
        bool peerLeft = false;
        QObject::connect(&sender, &TSock::peerDisconnected, [&] { peerLeft = true; });

        const QByteArray line(4000, 'x');
        qint64 sent = 0;
        while (sent <= TSock::kMaxUnsent - line.size()) {
            ASSERT_NO_THROW(sender.sendText(line));
            sent += line.size();
        }
        EXPECT_TRUE(sender.isConnected());
        EXPECT_EQ(log.count(QString::fromLatin1(kSocketClosed)), 0);

        EXPECT_NO_THROW(sender.sendText(line));
        EXPECT_FALSE(sender.isConnected());
        EXPECT_EQ(log.count(QString::fromLatin1(kSocketClosed)), 1);
        EXPECT_FALSE(peerLeft);
        EXPECT_THROW(sender.sendText(line), SocketError);
        TSock& other = acceptedEnd ? pair.client : *pair.server;
        EXPECT_TRUE(waitUntil([&] { return !other.isConnected(); }));
    }
}

TEST(TSock, PeerCloseReportsDisconnectAndSocketClosedOnce) {
    Pair pair;
    pair.connect();
    InfoLog clientInfo, serverInfo;
    clientInfo.attach(pair.client);
    serverInfo.attach(*pair.server);
    int peerDisconnects = 0;
    QObject::connect(&pair.client, &TSock::peerDisconnected, [&] { ++peerDisconnects; });

    // The queued line still reaches the peer before the close.
    pair.server->sendText(QByteArray("CMD_full+\xFF"));
    pair.server->close();
    const QByteArray received = readFrom(pair.client, 10);
    ASSERT_TRUE(waitUntil([&] { return clientInfo.count(QString::fromLatin1(kSocketClosed)) > 0; }));
    QTest::qWait(50);
    EXPECT_EQ(str(received), "CMD_full+\xFF");
    EXPECT_EQ(peerDisconnects, 1);
    EXPECT_EQ(clientInfo.count(QString::fromLatin1(kSocketClosed)), 1);
    EXPECT_EQ(serverInfo.count(QString::fromLatin1(kSocketClosed)), 1);  // our own close reports too
    EXPECT_THROW(pair.server->sendText(QByteArray("x")), SocketError);
}

TEST(TSock, RefusedConnectIsAnErrorTextAndNotAClose) {
    const kit::RefusedPort nobody;
    TSock client;
    InfoLog info;
    info.attach(client);
    client.setHostName(QStringLiteral("127.0.0.1"));
    client.setPort(nobody.port());
    client.open();
    ASSERT_TRUE(waitUntil([&] { return !info.entries.empty(); }));
    QTest::qWait(100);
    ASSERT_EQ(info.entries.size(), 1u);
    EXPECT_EQ(info.entries[0].first, 10061);
    EXPECT_EQ(info.entries[0].second, QStringLiteral("Error #10061 (WSAECONNREFUSED)"));
    EXPECT_THROW(client.sendText(QByteArray("x")), SocketError);
}

TEST(TSock, ListenOnABusyPortFailsWithTheBindingText) {
    TSock first, second;
    first.setPort(0);
    first.listen(ListenScope::AllAddresses);
    second.setPort(first.listeningPort());
    try {
        second.listen(ListenScope::LoopbackOnly);
        FAIL() << "second listen succeeded";
    } catch (const SocketError& error) {
        EXPECT_STREQ(error.what(), "Listen - Error Binding Socket");
    }
    EXPECT_FALSE(second.isListening());
}

TEST(TSock, UnknownHostNameFailsTheOpenWithTheLookupText) {
    TSock client;
    client.setHostName(QString::fromLatin1(kit::kUnknownHost));
    client.setPort(7772);  // never reached
    QString error;
    bool called = false;
    client.open([&](const QString& e) {
        called = true;
        error = e;
    });
    ASSERT_TRUE(waitUntil([&] { return called; }));
    EXPECT_EQ(error, QStringLiteral("Host Lookup - Could Not Find Host Entry"));
    EXPECT_FALSE(client.isConnected());
}

TEST(TSock, HostNameIsLookedUpBeforeConnecting) {
    TSock listener;
    listener.setPort(0);
    listener.listen(ListenScope::LoopbackOnly);
    std::unique_ptr<TSock> accepted;
    QObject::connect(&listener, &TSock::acceptReady, [&] { accepted = listener.accept(); });
    TSock client;
    client.setHostName(QStringLiteral("localhost"));
    client.setPort(listener.listeningPort());
    QString error = QStringLiteral("not called");
    client.open([&](const QString& e) { error = e; });
    ASSERT_TRUE(waitUntil([&] { return accepted != nullptr; }));
    EXPECT_TRUE(error.isEmpty());
}

TEST(TSock, MisuseRaisesTheContractTexts) {
    TSock idle;
    try {
        idle.sendText(QByteArray("x"));
        FAIL();
    } catch (const SocketError& error) {
        EXPECT_STREQ(error.what(), "Send - Socket Not Connected");
    }
    try {
        idle.accept();
        FAIL();
    } catch (const SocketError& error) {
        EXPECT_STREQ(error.what(), "Accept - Socket Not In Listening Mode");
    }
}

// The loopback-only listener is bound to the loopback address only, so the machine's other
// addresses do not reach it; a table for other people is bound to every address.
TEST(TSock, ListenScopeDecidesTheBoundAddress) {
    for (auto [scope, address] : {std::pair{ListenScope::LoopbackOnly, QHostAddress(QHostAddress::LocalHost)},
                                  std::pair{ListenScope::AllAddresses, QHostAddress(QHostAddress::Any)}}) {
        TSock listener;
        listener.setPort(0);
        listener.listen(scope);
        const auto* server = listener.findChild<QTcpServer*>();
        ASSERT_NE(server, nullptr);
        EXPECT_EQ(server->serverAddress(), address) << address.toString().toStdString();
    }
}

}  // namespace
}  // namespace quintrel::net
