// Soak: a loopback quintrel-server whose computer players play games back to back while a
// swarm of short-lived clients connects, logs in, chats, sends garbage, stops reading and
// goes away. It stops by itself after --cycles clients and checks that every round
// finished, that no slot leaked and that the host's memory stayed flat.
//
//   bench_soak [--cycles 1000] [--swarm 8] [--bot-delay 5] [--server PATH]
//
// Exits 1 when a check fails.

#include "net_bench.h"

#include "net/wire.h"
#include "version.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace quintrel::bench;
namespace wire = quintrel::wire;

namespace {

enum class Behaviour { Chat, Garbage, Deaf, DropAtOnce, Overflow, Requests, kCount };

// One member of the swarm: a raw socket so that it can misbehave in every way.
class SwarmClient {
public:
    SwarmClient(quint16 port, int id, std::mt19937& random)
        : behaviour_(static_cast<Behaviour>(random() % static_cast<unsigned>(Behaviour::kCount))),
          random_(random),
          name_("Swarm" + std::to_string(id)) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { receive(); });
        QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { done_ = true; });
        QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this] { done_ = true; });
        QObject::connect(&socket_, &QTcpSocket::connected, [this] {
            if (behaviour_ == Behaviour::DropAtOnce) finish();
        });
        socket_.connectToHost(QHostAddress::LocalHost, port);
        // Whatever it does, it is gone after its lifetime.
        QTimer::singleShot(20 + static_cast<int>(random_() % 300), &socket_, [this] { finish(); });
    }
    bool done() const { return done_; }
    bool refused() const { return refused_; }

private:
    void send(const std::string& line) {
        if (socket_.state() != QAbstractSocket::ConnectedState) return;
        socket_.write(line.data(), static_cast<qint64>(line.size()));
        socket_.write(&wire::kTerminator, 1);
    }

    void receive() {
        if (slot_ > 0 && behaviour_ == Behaviour::Deaf) return;  // reads nothing more
        const QByteArray bytes = socket_.readAll();
        if (bytes.startsWith("CMD_full+")) refused_ = true;
        if (slot_ > 0 || !bytes.startsWith("CMD_sendlogininfo+")) return;
        slot_ = bytes.mid(18).split('\xFF')[0].toInt();
        send(wire::tohost::logininfo(slot_, quintrel::kVersionLabel, name_ + wire::kTerminator));
        act();
    }

    void act() {
        switch (behaviour_) {
            case Behaviour::Chat:
                for (unsigned i = 0, n = 1 + random_() % 5; i < n; ++i)
                    send(wire::tohost::chat(slot_, "hello from " + name_ + "|0"));
                break;
            case Behaviour::Garbage: {
                std::string junk(200 + random_() % 2000, '\0');
                for (char& c : junk) c = static_cast<char>(random_());
                socket_.write(junk.data(), static_cast<qint64>(junk.size()));
                send("CMD_chat+" + std::to_string(random_() % 12) + "+\x01\x02 bell\x07");
                send("CMD_discard+" + std::to_string(slot_) + "+99999999999");
                break;
            }
            case Behaviour::Deaf: socket_.setReadBufferSize(1024); break;
            case Behaviour::Overflow: {
                const std::string endless(70 * 1024, 'z');  // no terminator: past the line buffer
                socket_.write(endless.data(), static_cast<qint64>(endless.size()));
                break;
            }
            case Behaviour::Requests: {
                const int seat = slot_ <= 4 ? slot_ : 1 + static_cast<int>(random_() % 4);
                send(wire::tohost::drawing(seat, 1 + static_cast<int>(random_() % 2)));
                send(wire::tohost::discard(seat, static_cast<int>(random_() % 21)));
                send(wire::tohost::justwatch(seat, 1 + static_cast<int>(random_() % 2)));
                send(wire::tohost::startgame(name_, "f"));
                send(wire::tohost::kickhim(slot_, 1));
                break;
            }
            case Behaviour::DropAtOnce:
            case Behaviour::kCount: break;
        }
    }

    void finish() {
        if (done_) return;
        if (random_() % 2) {
            socket_.abort();
        } else {
            socket_.disconnectFromHost();
            QTimer::singleShot(1000, &socket_, [this] { socket_.abort(); });
        }
        done_ = socket_.state() == QAbstractSocket::UnconnectedState;
    }

    QTcpSocket socket_;
    Behaviour behaviour_;
    std::mt19937& random_;
    std::string name_;
    int slot_ = 0;
    bool done_ = false;
    bool refused_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int cycles = static_cast<int>(options.number("--cycles", 1000));
    const int swarm = std::clamp(static_cast<int>(options.number("--swarm", 8)), 1, 20);
    const int botDelay = static_cast<int>(options.number("--bot-delay", 5));

    const quint16 port = freePort();
    Program server(serverPath(options),
                   {QStringLiteral("--port"), QString::number(port), QStringLiteral("--bot-delay"),
                    QString::number(botDelay), QStringLiteral("--seed"), QStringLiteral("1")});
    if (!server.waitFor("listening on port", 5000)) return 1;
    const double startRss = readProc(server.pid()).rssMb;

    Peer host(port, "Host");
    if (!runUntil([&] { return host.loggedIn(); }, 5000) || host.slot() != 1) return 1;
    GameRunner games(host);
    games.start();
    QTimer chat;  // chat flows all the time, so that a deaf client's backlog grows
    QObject::connect(&chat, &QTimer::timeout,
                     [&] { host.send(wire::tohost::chat(1, std::string(300, 'c') + "|0")); });
    chat.start(100);

    std::mt19937 random(11);
    std::vector<std::unique_ptr<SwarmClient>> live;
    int started = 0, finished = 0, refused = 0;
    double warmRss = 0, peakRss = startRss;
    bool stalled = false;
    const double begin = nowMs();
    while (finished < cycles && !stalled) {
        while (static_cast<int>(live.size()) < swarm && started < cycles)
            live.push_back(std::make_unique<SwarmClient>(port, ++started, random));
        runFor(10);
        std::erase_if(live, [&](const std::unique_ptr<SwarmClient>& client) {
            if (!client->done()) return false;
            ++finished;
            refused += client->refused() ? 1 : 0;
            return true;
        });
        if (finished >= cycles / 10 && warmRss == 0) warmRss = readProc(server.pid()).rssMb;
        peakRss = std::max(peakRss, readProc(server.pid()).rssMb);
        stalled = nowMs() - games.lastLineMs > 15000 || host.closed();
    }
    const double swarmSeconds = (nowMs() - begin) / 1000.0;
    live.clear();
    chat.stop();

    // The game under way ends; then every seat and spectator slot is free again.
    games.stopped = true;
    const bool roundsEnded = runUntil([&] { return games.finished == games.started; }, 60000);
    runFor(500);
    const double endRss = readProc(server.pid()).rssMb;
    std::vector<std::unique_ptr<Peer>> fresh;
    for (int i = 0; i < 8; ++i) fresh.push_back(std::make_unique<Peer>(port, "Fresh" + std::to_string(i)));
    const bool allSeated = runUntil(
        [&] {
            return std::all_of(fresh.begin(), fresh.end(),
                               [](auto& p) { return p->loggedIn() || p->refused(); });
        },
        5000);
    const int seated =
        static_cast<int>(std::count_if(fresh.begin(), fresh.end(), [](auto& p) { return p->loggedIn(); }));

    const bool pass = !stalled && roundsEnded && allSeated && seated == 8 && endRss - warmRss < 10.0;
    std::printf(
        "soak: %d connect/drop cycles in %.0f s (%d refused while the table was full) during %d games, "
        "%d finished%s; slots free afterwards: %d of 8; host RSS %.1f MB at start, %.1f MB after %d "
        "cycles, peak %.1f, end %.1f MB (growth %.1f MB): %s\n",
        finished, swarmSeconds, refused, games.started, games.finished, stalled ? " (STALLED)" : "", seated,
        startRss, warmRss, cycles / 10, peakRss, endRss, endRss - warmRss, pass ? "pass" : "FAIL");
    return pass ? 0 : 1;
}
