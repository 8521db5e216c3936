// A solo game's start: from starting `quintrel` without arguments to its table saying
// "You are Connected.", and the program's resident memory at that moment.
//
//   bench_startup [--runs 20] [--program PATH]
//
// The window is drawn by the platform QT_QPA_PLATFORM names (offscreen when unset).

#include "net_bench.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

#include <cstdio>

using namespace quintrel::bench;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int runs = static_cast<int>(options.number("--runs", 20));

    std::vector<double> startMs, cpuMs, rssMb;
    for (int run = 0; run < runs; ++run) {
        const QProcessEnvironment env =
            soloEnvironment(QStringLiteral("bench-startup-%1").arg(QCoreApplication::applicationPid()));
        const double start = nowMs();
        Program game(programPath(options), {}, env);
        if (!game.waitFor("chat: You are Connected.", 15000)) {
            std::fprintf(stderr, "no login:\n%s\n", game.output().constData());
            return 1;
        }
        startMs.push_back(nowMs() - start);
        const ProcSample sample = readProc(game.pid());
        double cpu = 0;  // the threads alive now, to the nanosecond
        for (const auto& [tid, thread] : sample.threads) cpu += thread.cpuSeconds;
        cpuMs.push_back(std::max(cpu, sample.cpuSeconds) * 1000.0);
        rssMb.push_back(sample.rssMb);
    }
    std::printf(
        "solo start to \"You are Connected.\", %d runs: median %.1f ms (min %.1f, max %.1f), "
        "CPU time median %.1f ms; RSS median %.1f MB\n",
        runs, median(startMs), percentile(startMs, 0), percentile(startMs, 100), median(cpuMs),
        median(rssMb));
    return 0;
}
