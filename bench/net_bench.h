#pragma once
// What the network benchmarks share: the programs they start, peers that speak the game's
// protocol through the program's own socket class, and readings from /proc. Every peer and
// program is on this machine's loopback; every run is bounded in time and stops by itself.

#include "net/framing.h"
#include "net/qt/tsock.h"

#include <QProcess>
#include <QStringList>
#include <QTcpSocket>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel::bench {

// "--name value" arguments; a missing one gives the fallback.
class Options {
public:
    Options(int argc, char** argv);
    double number(const char* name, double fallback) const;
    QString text(const char* name, const QString& fallback) const;

private:
    QStringList args_;
};

quint16 freePort();
double nowMs();  // a steady clock

// Runs the event loop until done() holds or ms have passed; returns done().
bool runUntil(const std::function<bool()>& done, int ms);
void runFor(int ms);

// One process's counters, all its threads together.
struct ProcSample {
    struct Thread {
        double cpuSeconds = 0;   // time on a CPU
        long long switches = 0;  // voluntary and involuntary context switches: the wake-ups
    };
    std::map<int, Thread> threads;  // by thread id
    double cpuSeconds = 0;          // the whole process, threads that have ended included
    double rssMb = 0;
};
ProcSample readProc(qint64 pid);
// What the threads alive at `after` did since `before` (a thread that ended in between is
// left out, so a change in the number of threads cannot make a count go backwards).
ProcSample::Thread activity(const ProcSample& before, const ProcSample& after);

// "n 400, p50 4.1 ms, p90 ..., p99 ..., max ..."
std::string summary(std::vector<double> ms);
double percentile(std::vector<double> values, double p);
double median(std::vector<double> values);

// A program of this build, started with its output collected; killed when destroyed.
class Program {
public:
    Program(const QString& path, const QStringList& args, const QProcessEnvironment& extra = {});
    ~Program();
    qint64 pid() const { return process_.processId(); }
    bool printed(const char* text) const { return output_.contains(text); }
    int count(const char* text) const { return static_cast<int>(output_.count(text)); }
    bool waitFor(const char* text, int ms);
    bool running() const { return process_.state() == QProcess::Running; }
    const QByteArray& output() const { return output_; }

private:
    QProcess process_;
    QByteArray output_;
};

// The path of a program built beside the benchmarks, overridden by --server / --program.
QString serverPath(const Options& options);
QString programPath(const Options& options);
// A solo `quintrel` of its own: offscreen unless told otherwise, free ports, its own instance.
QProcessEnvironment soloEnvironment(const QString& instance);

// A table as the host sees it, through TSock: logs in when the host assigns a slot and hands
// every line to the handlers given to listen().
class Peer {
public:
    Peer(quint16 port, std::string name);
    void send(std::string_view line);
    void close() { sock_.close(); }
    int slot() const { return slot_; }
    bool loggedIn() const { return slot_ > 0; }
    bool refused() const { return refused_; }
    bool closed() const { return closed_; }
    const std::string& name() const { return name_; }

    using Handler = std::function<void(Peer&, std::string_view line)>;
    void listen(Handler handler) { handlers_.push_back(std::move(handler)); }

private:
    void receive();

    net::TSock sock_;
    LineBuffer buffer_;
    std::vector<Handler> handlers_;
    std::string name_;
    int slot_ = 0;
    bool refused_ = false;
    bool closed_ = false;
};

// A client that logs in and then reads nothing more: what the host sends it piles up.
class DeafPeer {
public:
    DeafPeer(quint16 port, std::string name);
    void send(std::string_view line);
    bool loggedIn() const { return slot_ > 0; }
    int slot() const { return slot_; }
    bool gone() const { return socket_.state() != QAbstractSocket::ConnectedState; }
    QTcpSocket& socket() { return socket_; }

private:
    QTcpSocket socket_;
    std::string name_;
    int slot_ = 0;
};

// The hosting player of a table where the computer plays every seat: starts games back to
// back and counts them. A game is one round ("f"), or rounds to 10000 ("t"), whose rounds
// the host deals on its own.
struct GameRunner {
    explicit GameRunner(Peer& host, std::string letter = "f");
    void start();
    int started = 0;
    int finished = 0;
    int rounds = 0;         // rounds ended, the last of each game included
    double lastLineMs = 0;  // when the last game line arrived
    bool stopped = false;
    Peer& host;
    std::string letter;
};

// Seated peers other than the hosting one let the computer play their seat.
void watchOnEveryStart(Peer& peer);

}  // namespace quintrel::bench
