// A chat line's round trip through a loopback quintrel-server (sent, relayed back to its
// sender) while the computer players play games back to back in every seat.
//
//   bench_latency [--peers 4] [--rate 5] [--seconds 20] [--bot-delay 2] [--server PATH]
//
// --peers connections (1..9; the first is the hosting player, 1..4 are seated and let the
// computer play), each sending --rate chat lines a second on average.

#include "net_bench.h"

#include "net/wire.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <map>
#include <random>

using namespace quintrel::bench;
namespace wire = quintrel::wire;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int peers = std::clamp(static_cast<int>(options.number("--peers", 4)), 1, 9);
    const double rate = options.number("--rate", 5);
    const int seconds = static_cast<int>(options.number("--seconds", 20));
    const int botDelay = static_cast<int>(options.number("--bot-delay", 2));

    const quint16 port = freePort();
    Program server(serverPath(options),
                   {QStringLiteral("--port"), QString::number(port), QStringLiteral("--bot-delay"),
                    QString::number(botDelay), QStringLiteral("--seed"), QStringLiteral("1")});
    if (!server.waitFor("listening on port", 5000)) {
        std::fprintf(stderr, "quintrel-server did not start:\n%s\n", server.output().constData());
        return 1;
    }

    std::vector<std::unique_ptr<Peer>> table;
    std::vector<double> roundTrips;
    std::map<std::pair<int, int>, double> sentAt;  // (slot, sequence) -> when
    long long gameLines = 0;
    for (int i = 1; i <= peers; ++i) {
        table.push_back(std::make_unique<Peer>(port, "Peer" + std::to_string(i)));
        Peer& peer = *table.back();
        if (!runUntil([&] { return peer.loggedIn(); }, 5000)) {
            std::fprintf(stderr, "peer %d did not log in\n", i);
            return 1;
        }
        if (i > 1) watchOnEveryStart(peer);
        peer.listen([&](Peer& self, std::string_view line) {
            const std::string mine = "CMD_chat+" + self.name() + " chats: rtt ";
            if (!line.starts_with(mine)) {
                if (self.slot() == 1 && !line.starts_with("CMD_chat+")) ++gameLines;
                return;
            }
            const int sequence = std::atoi(std::string(line.substr(mine.size())).c_str());
            const auto it = sentAt.find({self.slot(), sequence});
            if (it == sentAt.end()) return;
            roundTrips.push_back(nowMs() - it->second);
            sentAt.erase(it);
        });
    }
    // Games to 10000 points: the host deals round after round by itself, so that the only
    // lines the tables send while they are measured are their chat lines.
    GameRunner games(*table.front(), "t");
    games.start();
    runFor(2000);  // the first deal is out and the computer plays

    // Players chat independently of each other: each peer's lines are apart by a random time
    // (exponential, mean 1/rate), so that lines now and then arrive together, as they do.
    std::mt19937 random(7);
    std::exponential_distribution<double> gap(rate / 1000.0);
    std::vector<std::unique_ptr<QTimer>> chatters;
    int sequence = 0;
    const long long linesBefore = gameLines;
    const double start = nowMs();
    for (auto& peer : table) {
        auto timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(true);
        Peer* p = peer.get();
        QTimer* t = timer.get();
        QObject::connect(t, &QTimer::timeout, [&, p, t] {
            ++sequence;
            sentAt[{p->slot(), sequence}] = nowMs();
            p->send(wire::tohost::chat(p->slot(), "rtt " + std::to_string(sequence) + "|0"));
            t->start(static_cast<int>(gap(random)));
        });
        t->start(static_cast<int>(gap(random)));
        chatters.push_back(std::move(timer));
    }
    runFor(seconds * 1000);
    for (auto& timer : chatters) timer->stop();
    const double elapsed = (nowMs() - start) / 1000.0;
    const long long streamed = gameLines - linesBefore;
    runUntil([&] { return sentAt.empty(); }, 2000);
    games.stopped = true;

    std::printf(
        "chat round trip, %d peers x %.0f lines/s, computer players every %d ms (%.0f game lines/s to "
        "each table, %d rounds): %s, lost %zu\n",
        peers, rate, botDelay, static_cast<double>(streamed) / elapsed, games.rounds,
        summary(roundTrips).c_str(), sentAt.size());
    return roundTrips.empty() ? 1 : 0;
}
