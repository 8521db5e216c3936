// A solo game's start: from starting `quintrel` without arguments to its table saying
// "You are Connected.", and the program's resident memory at that moment and once settled.
//
//   bench_startup [--runs 20] [--program PATH] [--instructions 3]
//
// The window is drawn by the platform QT_QPA_PLATFORM names (offscreen when unset).
// --instructions N counts instead, N times, the instructions from start to the login under
// callgrind (valgrind): within 0.1 % from run to run, while the time moves by a tenth with
// the machine's pace. Two builds compare in any hour.

#include "net_bench.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace quintrel::bench;

namespace {

// Instructions of one start to the login; 0 when it could not be counted.
double countInstructions(const Options& options) {
    const QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("callgrind.out"));
    Program game(
        QStringLiteral("valgrind"),
        {QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=") + out,
         programPath(options)},
        soloEnvironment(QStringLiteral("bench-instructions-%1").arg(QCoreApplication::applicationPid())));
    if (!game.waitFor("chat: You are Connected.", 120000)) {
        std::fprintf(stderr, "no login under callgrind:\n%s\n", game.output().constData());
        return 0;
    }
    // Counted up to here: callgrind writes what it has so far as the first part.
    QProcess control;
    control.setStandardOutputFile(QProcess::nullDevice());
    control.setStandardErrorFile(QProcess::nullDevice());
    control.start(QStringLiteral("callgrind_control"),
                  {QStringLiteral("--dump"), QString::number(game.pid())});
    if (!control.waitForFinished(30000) || control.exitCode() != 0) return 0;
    QFile dump(out + QStringLiteral(".1"));
    if (!runUntil([&] { return dump.exists(); }, 10000) || !dump.open(QIODevice::ReadOnly)) return 0;
    for (QByteArray line; !(line = dump.readLine()).isEmpty();) {
        if (line.startsWith("totals: ")) return line.mid(8).trimmed().toDouble();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options(argc, argv);
    const int runs = static_cast<int>(options.number("--runs", 20));

    if (const int counts = static_cast<int>(options.number("--instructions", 0)); counts > 0) {
        std::vector<double> instructions;
        for (int run = 0; run < counts; ++run) {
            const double count = countInstructions(options);
            if (count <= 0) {
                std::fprintf(stderr, "could not count (are valgrind and callgrind_control installed?)\n");
                return 1;
            }
            instructions.push_back(count);
        }
        std::printf(
            "solo start to \"You are Connected.\", %d runs under callgrind: median %.1f M instructions "
            "(min %.1f, max %.1f)\n",
            counts, median(instructions) / 1e6, percentile(instructions, 0) / 1e6,
            percentile(instructions, 100) / 1e6);
        return 0;
    }

    std::vector<double> startMs, cpuMs, rssMb, settledRssMb;
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
        // The login's own cue loads the sound: what the program holds once the table has settled.
        QThread::msleep(500);
        settledRssMb.push_back(readProc(game.pid()).rssMb);
    }
    std::printf(
        "solo start to \"You are Connected.\", %d runs: median %.1f ms (min %.1f, max %.1f), "
        "CPU time median %.1f ms; RSS median %.1f MB, %.1f MB half a second later\n",
        runs, median(startMs), percentile(startMs, 0), percentile(startMs, 100), median(cpuMs), median(rssMb),
        median(settledRssMb));
    return 0;
}
