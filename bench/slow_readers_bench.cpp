// Peers that stop reading while chat flows: nine connections log in to a loopback
// quintrel-server, then only send (long chat lines) and never read what the host relays.
// Prints the host's resident memory over time and which peers the host closed.
//
//   bench_slow_readers [--seconds 60] [--rate 10] [--length 4000] [--server PATH]

#include "net_bench.h"

#include "net/wire.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace quintrel::bench;
namespace wire = quintrel::wire;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int seconds = static_cast<int>(options.number("--seconds", 60));
    const double rate = options.number("--rate", 10);
    const auto length = static_cast<std::size_t>(options.number("--length", 4000));

    const quint16 port = freePort();
    Program server(serverPath(options), {QStringLiteral("--port"), QString::number(port)});
    if (!server.waitFor("listening on port", 5000)) return 1;
    const double startRss = readProc(server.pid()).rssMb;

    std::vector<std::unique_ptr<DeafPeer>> peers;
    for (int i = 1; i <= 9; ++i) {
        peers.push_back(std::make_unique<DeafPeer>(port, "Deaf" + std::to_string(i)));
        if (!runUntil([&] { return peers.back()->loggedIn(); }, 5000)) return 1;
    }
    QTimer chat;
    chat.setInterval(static_cast<int>(1000.0 / rate));
    const std::string text(length, 'x');
    QObject::connect(&chat, &QTimer::timeout, [&] {
        for (auto& peer : peers) peer->send(wire::tohost::chat(peer->slot(), text + "|0"));
    });
    chat.start();

    double peak = startRss;
    for (int second = 1; second <= seconds; ++second) {
        runFor(1000);
        const double rss = readProc(server.pid()).rssMb;
        peak = std::max(peak, rss);
        if (second % 5 == 0 || second == seconds)
            std::printf("%3d s: host RSS %6.1f MB, peers closed by the host %d of 9\n", second, rss,
                        server.count(" left"));
        std::fflush(stdout);
    }
    std::printf(
        "nine non-reading peers for %d s, chat %.0f lines/s each of %zu bytes: host RSS %.1f MB at "
        "start, peak %.1f MB; closed by the host: %d of 9\n",
        seconds, rate, length, startRss, peak, server.count(" left"));
    return 0;
}
