#include "net_bench.h"

#include "net/qt/socket_texts.h"
#include "net/wire.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace quintrel::bench {

Options::Options(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) args_ << QString::fromLocal8Bit(argv[i]);
}

double Options::number(const char* name, double fallback) const {
    const qsizetype at = args_.indexOf(QLatin1String(name));
    if (at < 0 || at + 1 >= args_.size()) return fallback;
    bool ok = false;
    const double value = args_[at + 1].toDouble(&ok);
    return ok ? value : fallback;
}

QString Options::text(const char* name, const QString& fallback) const {
    const qsizetype at = args_.indexOf(QLatin1String(name));
    return at < 0 || at + 1 >= args_.size() ? fallback : args_[at + 1];
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool runUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    // Wakes the loop now and then so that a deadline is seen without other events.
    QTimer wake;
    wake.start(5);
    while (!done()) {
        if (clock.elapsed() >= ms) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void runFor(int ms) {
    runUntil([] { return false; }, ms);
}

namespace {

// The numbers after the name and the closing parenthesis of /proc/PID/stat.
QList<QByteArray> statFields(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray text = file.readAll();
    return text.mid(text.lastIndexOf(')') + 2).split(' ');
}

long long statusValue(const QString& path, const char* key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ')[0].toLongLong();
    }
    return 0;
}

}  // namespace

ProcSample readProc(qint64 pid) {
    ProcSample sample;
    const QString base = QStringLiteral("/proc/%1").arg(pid);
    const QList<QByteArray> stat = statFields(base + QStringLiteral("/stat"));
    // utime and stime are fields 14 and 15 of the whole line, 12 and 13 after the name.
    if (stat.size() > 13)
        sample.cpuSeconds =
            (stat[11].toDouble() + stat[12].toDouble()) / static_cast<double>(sysconf(_SC_CLK_TCK));
    for (const QString& task :
         QDir(base + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = base + QStringLiteral("/task/") + task;
        ProcSample::Thread& thread = sample.threads[task.toInt()];
        thread.switches = statusValue(dir + QStringLiteral("/status"), "voluntary_ctxt_switches:") +
                          statusValue(dir + QStringLiteral("/status"), "nonvoluntary_ctxt_switches:");
        QFile schedstat(dir + QStringLiteral("/schedstat"));  // nanoseconds on a CPU first
        if (schedstat.open(QIODevice::ReadOnly))
            thread.cpuSeconds = schedstat.readAll().split(' ')[0].toDouble() / 1e9;
    }
    sample.rssMb = static_cast<double>(statusValue(base + QStringLiteral("/status"), "VmRSS:")) / 1024.0;
    return sample;
}

ProcSample::Thread activity(const ProcSample& before, const ProcSample& after) {
    ProcSample::Thread total;
    for (const auto& [tid, now] : after.threads) {
        const auto then = before.threads.find(tid);
        const ProcSample::Thread start = then == before.threads.end() ? ProcSample::Thread{} : then->second;
        total.cpuSeconds += now.cpuSeconds - start.cpuSeconds;
        total.switches += now.switches - start.switches;
    }
    return total;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double rank = p / 100.0 * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(std::floor(rank));
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (rank - static_cast<double>(low));
}

double median(std::vector<double> values) { return percentile(std::move(values), 50); }

std::string summary(std::vector<double> ms) {
    char text[160];
    std::snprintf(text, sizeof text, "n %zu, p50 %.1f ms, p90 %.1f ms, p99 %.1f ms, max %.1f ms", ms.size(),
                  percentile(ms, 50), percentile(ms, 90), percentile(ms, 99), percentile(ms, 100));
    return text;
}

Program::Program(const QString& path, const QStringList& args, const QProcessEnvironment& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { output_ += process_.readAllStandardOutput(); });
    process_.start(path, args);
    if (!process_.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(path));
        std::exit(2);
    }
}

Program::~Program() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(3000);
}

bool Program::waitFor(const char* text, int ms) {
    return runUntil([&] { return printed(text); }, ms);
}

QString serverPath(const Options& options) {
    return options.text(
        "--server", QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/quintrel-server"));
}

QString programPath(const Options& options) {
    return options.text("--program",
                        QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/quintrel"));
}

Peer::Peer(quint16 port, std::string name) : name_(std::move(name)) {
    QObject::connect(&sock_, &net::TSock::readReady, [this] { receive(); });
    QObject::connect(&sock_, &net::TSock::info, [this](int, const QString& text) {
        if (text == QLatin1String("Socket Closed") || text.startsWith(QLatin1String("Error #")))
            closed_ = true;
    });
    sock_.setHostName(QStringLiteral("127.0.0.1"));
    sock_.setPort(port);
    sock_.open();
}

void Peer::send(std::string_view line) {
    if (closed_) return;
    QByteArray framed(line.data(), static_cast<qsizetype>(line.size()));
    framed.append(wire::kTerminator);
    try {
        sock_.sendText(framed);
    } catch (const net::SocketError&) {
        closed_ = true;
    }
}

void Peer::receive() {
    const QByteArray bytes = sock_.receiveText();
    const auto result =
        buffer_.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    for (const std::string& line : result.lines) {
        if (line.starts_with("CMD_sendlogininfo+") && slot_ == 0) {
            slot_ = std::atoi(line.c_str() + 18);
            send(wire::tohost::logininfo(slot_, kVersionLabel, name_ + wire::kTerminator));
        } else if (line == "CMD_full+") {
            refused_ = true;
        }
        for (const Handler& handler : handlers_) handler(*this, line);
    }
}

DeafPeer::DeafPeer(quint16 port, std::string name) : name_(std::move(name)) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        if (slot_ > 0) return;
        const QByteArray line = socket_.readAll();
        if (!line.startsWith("CMD_sendlogininfo+")) return;
        slot_ = line.mid(18).split('\xFF')[0].toInt();
        send(wire::tohost::logininfo(slot_, kVersionLabel, name_ + wire::kTerminator));
        // From here on Qt buffers 4 KiB at most and then stops reading the socket.
        socket_.setReadBufferSize(4096);
    });
    socket_.connectToHost(QHostAddress::LocalHost, port);
}

void DeafPeer::send(std::string_view line) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    socket_.write(line.data(), static_cast<qint64>(line.size()));
    socket_.write(&wire::kTerminator, 1);
}

GameRunner::GameRunner(Peer& hostPeer, std::string gameLetter)
    : host(hostPeer), letter(std::move(gameLetter)) {
    host.listen([this](Peer& peer, std::string_view line) {
        if (!line.starts_with("CMD_") || line.starts_with("CMD_chat+")) return;
        lastLineMs = nowMs();
        if (line.starts_with("CMD_startgame+")) peer.send(wire::tohost::justwatch(peer.slot(), 1));
        if (line.starts_with("CMD_rwinner+") || line.starts_with("CMD_winner+")) ++rounds;
        if (line.starts_with("CMD_winner+")) {
            ++finished;
            if (!stopped) start();
        }
    });
}

void GameRunner::start() {
    ++started;
    lastLineMs = nowMs();
    host.send(wire::tohost::startgame(host.name(), letter));
    host.send(wire::tohost::settourney(false, "0"));
}

void watchOnEveryStart(Peer& peer) {
    peer.listen([](Peer& self, std::string_view line) {
        if (line.starts_with("CMD_startgame+") && self.slot() >= 1 && self.slot() <= 4)
            self.send(wire::tohost::justwatch(self.slot(), 1));
    });
}

QProcessEnvironment soloEnvironment(const QString& instance) {
    QProcessEnvironment env;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QUINTREL_TEST_ECHO", "1");
    env.insert("QUINTREL_PORT", QString::number(freePort()));
    env.insert("QUINTREL_LOBBY_PORT", QString::number(freePort()));
    env.insert("QUINTREL_INSTANCE", instance);
    return env;
}

}  // namespace quintrel::bench
