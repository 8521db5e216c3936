// What an idle program costs: CPU (share of one core) and wake-ups (context switches of all
// its threads) a second, read from /proc over a quiet stretch.
//
//   bench_idle [--seconds 30] [--server PATH] [--program PATH]
//
// quintrel-server listening with nobody connected, then a solo `quintrel` whose table has
// logged in to its own host and waits for the player.

#include "net_bench.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

#include <cstdio>

using namespace quintrel::bench;

namespace {

void measure(const char* what, const Program& program, int seconds) {
    runFor(2000);  // start-up work done
    const ProcSample before = readProc(program.pid());
    const double start = nowMs();
    runFor(seconds * 1000);
    const ProcSample after = readProc(program.pid());
    const double elapsed = (nowMs() - start) / 1000.0;
    const ProcSample::Thread used = activity(before, after);
    std::printf("%-40s CPU %.3f %% of a core, %.1f wake-ups/s, %zu threads, RSS %.1f MB (%d s)\n", what,
                100.0 * used.cpuSeconds / elapsed, static_cast<double>(used.switches) / elapsed,
                after.threads.size(), after.rssMb, seconds);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int seconds = static_cast<int>(options.number("--seconds", 30));
    {
        Program server(serverPath(options), {QStringLiteral("--port"), QString::number(freePort())});
        if (!server.waitFor("listening on port", 5000)) return 1;
        measure("quintrel-server, nobody connected:", server, seconds);
    }
    {
        const QProcessEnvironment env =
            soloEnvironment(QStringLiteral("bench-idle-%1").arg(QCoreApplication::applicationPid()));
        Program game(programPath(options), {}, env);
        if (!game.waitFor("chat: You are Connected.", 15000)) return 1;
        measure("quintrel solo, logged in, waiting:", game, seconds);
    }
    return 0;
}
