// quintrel-server over real loopback sockets: login, chat relay, a full table, a departure.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <sys/socket.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 10000;

// One table's connection, reading whole lines.
class Peer {
public:
    explicit Peer(quint16 port) { socket_.connectToHost(QStringLiteral("127.0.0.1"), port); }

    bool connected() { return socket_.waitForConnected(kTimeoutMs); }
    void send(const std::string& line) {
        socket_.write(QByteArray::fromStdString(line + '\xFF'));
        socket_.flush();
    }
    // Reads until the line arrives; every line read on the way is kept in seen().
    bool waitFor(const std::string& wanted) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            while (!pending_.empty()) {
                std::string line = pending_.front();
                pending_.erase(pending_.begin());
                seen_.push_back(line);
                if (line == wanted) return true;
            }
            const qint64 left = kTimeoutMs - clock.elapsed();
            if (left <= 0) return false;
            if (!socket_.waitForReadyRead(static_cast<int>(left)) && socket_.bytesAvailable() == 0)
                return false;
            cut(socket_.readAll());
        }
    }
    // True once the host has closed the connection (after sending what it had).
    bool closedByHost() {
        if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.waitForDisconnected(kTimeoutMs);
        cut(socket_.readAll());
        return socket_.state() == QAbstractSocket::UnconnectedState;
    }
    void disconnect() { socket_.disconnectFromHost(); }
    // Ends the connection with a reset instead of an orderly close.
    void reset() {
        const linger hard{1, 0};
        ::setsockopt(static_cast<int>(socket_.socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        socket_.abort();
    }
    const std::vector<std::string>& seen() const { return seen_; }

private:
    void cut(const QByteArray& bytes) {
        buffer_ += bytes.toStdString();
        for (std::size_t end; (end = buffer_.find('\xFF')) != std::string::npos;) {
            if (end > 0) pending_.push_back(buffer_.substr(0, end));
            buffer_.erase(0, end + 1);
        }
    }

    QTcpSocket socket_;
    std::string buffer_;
    std::vector<std::string> pending_;
    std::vector<std::string> seen_;
};

// Starts quintrel-server on a free port with the given seed; 0 when it did not come up.
quint16 startServer(QProcess& server, QByteArray& output, const QString& seed, const QStringList& more = {}) {
    server.setProgram(QStringLiteral(QUINTREL_SERVER_PATH));
    server.setArguments(
        QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"), seed} + more);
    server.start();
    if (!server.waitForStarted(kTimeoutMs)) return 0;
    const QByteArray marker = "listening on port ";
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kTimeoutMs) {
        server.waitForReadyRead(200);
        output += server.readAllStandardOutput();
        const qsizetype at = output.indexOf(marker);
        if (at >= 0 && output.indexOf(',', at) > at)
            return static_cast<quint16>(output.mid(at + marker.size()).split(',').first().toUInt());
        if (server.state() == QProcess::NotRunning) break;
    }
    return 0;
}

void stopServer(QProcess& server) {
    server.terminate();
    if (!server.waitForFinished(kTimeoutMs)) server.kill();
}

class ServerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = startServer(server_, output_, QStringLiteral("7"));
        ASSERT_NE(port_, 0) << output_.toStdString();
    }
    void TearDown() override { stopServer(server_); }
    std::unique_ptr<Peer> join(int expectedSlot, const std::string& name, quint16 port = 0) {
        auto peer = std::make_unique<Peer>(port ? port : port_);
        EXPECT_TRUE(peer->connected());
        const std::string slot = std::to_string(expectedSlot);
        EXPECT_TRUE(peer->waitFor("CMD_sendlogininfo+" + slot)) << name;
        peer->send("CMD_logininfo+" + slot + "+1.0.3+" + name + '\xFF');
        EXPECT_TRUE(peer->waitFor("CMD_newplayerinfo+" + slot + "+" + name)) << name;
        return peer;
    }
    std::string log() {
        server_.waitForReadyRead(200);
        output_ += server_.readAllStandardOutput();
        return output_.toStdString();
    }

    QProcess server_;
    QByteArray output_;
    quint16 port_ = 0;
};

TEST_F(ServerProcess, LoginChatFullTableAndDepartureOverRealSockets) {
    auto alice = join(1, "Alice");
    auto bob = join(2, "Bob");
    EXPECT_TRUE(alice->waitFor("CMD_newplayerinfo+2+Bob"));
    EXPECT_TRUE(bob->waitFor("CMD_existingplayers+1+Alice"));

    bob->send("CMD_chat+2+hello+world|clBlack");
    EXPECT_TRUE(alice->waitFor("CMD_chat+Bob chats: hello+world|clBlack"));
    EXPECT_TRUE(bob->waitFor("CMD_chat+Bob chats: hello+world|clBlack"));

    std::vector<std::unique_ptr<Peer>> others;
    for (int slot = 3; slot <= 9; ++slot) others.push_back(join(slot, "P" + std::to_string(slot)));

    Peer tenth(port_);
    ASSERT_TRUE(tenth.connected());
    EXPECT_TRUE(tenth.waitFor("CMD_full+"));
    EXPECT_TRUE(tenth.closedByHost());

    bob->disconnect();
    EXPECT_TRUE(alice->waitFor("CMD_playerdisconnected+2+Bob"));

    const std::string text = log();
    EXPECT_NE(text.find("logged in as Alice"), std::string::npos) << text;
    EXPECT_NE(text.find("refused"), std::string::npos) << text;
}

TEST_F(ServerProcess, SpoofedRequestsAreDroppedAndLogged) {
    auto alice = join(1, "Alice");
    auto bob = join(2, "Bob");
    bob->send("CMD_kickhim+1+1+");
    bob->send("CMD_chat+2+still here|clBlack");
    EXPECT_TRUE(alice->waitFor("CMD_chat+Bob chats: still here|clBlack"));
    for (const auto& line : alice->seen()) EXPECT_NE(line.rfind("CMD_playerdisconnected", 0), 0u) << line;
    EXPECT_NE(log().find("dropped from slot 2"), std::string::npos);
}

TEST_F(ServerProcess, AResetConnectionIsCleanedUpOnceLikeAnOrderlyClose) {
    auto alice = join(1, "Alice");
    auto carol = join(2, "Carol");
    carol->reset();
    EXPECT_TRUE(alice->waitFor("CMD_playerdisconnected+2+Carol"));
    // The seat is free again, and nobody heard of the departure twice.
    auto dave = join(2, "Dave");
    alice->send("CMD_chat+1+done|clBlack");
    EXPECT_TRUE(alice->waitFor("CMD_chat+Alice chats: done|clBlack"));
    const auto& seen = alice->seen();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "CMD_playerdisconnected+2+Carol"), 1);
}

// The hosting player's own deal in a one-person game on a server with the given seed.
std::vector<std::string> firstDeal(std::unique_ptr<Peer> host) {
    host->send("CMD_startgame+Alice+f");
    host->send("CMD_settourney+false+0+");
    EXPECT_TRUE(host->waitFor("CMD_nextplayer+0+0+1"));
    std::vector<std::string> cards;
    for (const auto& line : host->seen())
        if (line.rfind("CMD_newcard+", 0) == 0) cards.push_back(line);
    return cards;
}

TEST_F(ServerProcess, TheSameSeedDealsTheSameCards) {
    const auto deal = firstDeal(join(1, "Alice"));
    EXPECT_EQ(deal.size(), 11u);

    QProcess twin;
    QByteArray twinOutput;
    const quint16 twinPort = startServer(twin, twinOutput, QStringLiteral("7"));
    ASSERT_NE(twinPort, 0);
    EXPECT_EQ(firstDeal(join(1, "Alice", twinPort)), deal);
    stopServer(twin);

    QProcess other;
    QByteArray otherOutput;
    const quint16 otherPort = startServer(other, otherOutput, QStringLiteral("8"));
    ASSERT_NE(otherPort, 0);
    EXPECT_NE(firstDeal(join(1, "Alice", otherPort)), deal);
    stopServer(other);
}

TEST(ServerOptions, BotLevelIsStandardUnlessExpertIsAskedForAndNothingElseIsTaken) {
    struct Case {
        QStringList args;
        const char* logged;  // nullptr: refused
    };
    const Case cases[] = {
        {{}, "computer players standard"},
        {{QStringLiteral("--bot-level"), QStringLiteral("expert")}, "computer players expert"},
        {{QStringLiteral("--bot-level"), QStringLiteral("hard")}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        QProcess server;
        QByteArray output;
        const quint16 port = startServer(server, output, QStringLiteral("7"), c.args);
        if (c.logged) {
            ASSERT_NE(port, 0) << output.toStdString();
            // The log line may arrive in pieces.
            while (!output.contains('\n') && server.waitForReadyRead(kTimeoutMs))
                output += server.readAllStandardOutput();
            EXPECT_NE(output.indexOf(c.logged), -1) << output.toStdString();
            stopServer(server);
        } else {
            EXPECT_EQ(port, 0);
            if (server.state() != QProcess::NotRunning) {
                ASSERT_TRUE(server.waitForFinished(kTimeoutMs));
            }
            EXPECT_EQ(server.exitCode(), 2);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
