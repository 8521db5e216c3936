#pragma once
// HostListener: the host's transport. It owns the listener and one connection per slot,
// delivers the host's lines (the Outbox), and drives the host: accepts, reads, closes,
// its 10 ms socktimer, its Timer1, whose state it copies from the host after every call, and
// the clock of the login deadline. The socktimer runs only while lines are queued, still one
// line per 10 ms at most: a line that finds the host idle for 10 ms is dispatched at once, and
// an idle host sleeps.
//
// A connection that closes or breaks is reported to the host once, and never from inside a
// call into the host: closes seen during a call (a send to a dead peer, close() itself) are
// reported when the outermost call returns, so a broadcast always reaches every recipient.

#include "engine/outbox.h"
#include "net/qt/tsock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

namespace quintrel::host {

class HostEvents;

class HostListener : public QObject, public Outbox {
    Q_OBJECT
public:
    explicit HostListener(QObject* parent = nullptr);
    ~HostListener() override;

    // The host must outlive the listener's use of it; attach before listening.
    void attach(HostEvents* host);

    // Throws net::SocketError ("Listen - Error Binding Socket", ...).
    void startListening(net::ListenScope scope, quint16 port);
    bool isListening() const;
    quint16 port() const;

    void send(int slot, std::string_view line) override;
    void close(int slot) override;

    // Closes every connection at once (program end).
    void shutdown();

    int connectionCount() const { return static_cast<int>(connections_.size()); }
    bool drainTimerActive() const { return drainTimer_.isActive(); }
    bool pacingTimerActive() const { return pacingTimer_.isActive(); }
    int pacingInterval() const { return pacingTimer_.interval(); }

private:
    void onAccept();
    void onRead(net::TSock* sock);
    void onInfo(net::TSock* sock, const QString& text);
    void connectionGone(net::TSock* sock);
    void retire(std::unique_ptr<net::TSock> sock);
    template <typename Call>
    void callHost(Call&& call);
    void afterHostCall();
    void syncPacingTimer();
    void syncLoginClock();
    void syncDrainTimer();

    HostEvents* host_ = nullptr;
    net::TSock listener_;
    std::map<int, std::unique_ptr<net::TSock>> connections_;  // slot -> its connection
    std::vector<int> pendingClosed_;                          // slots to report once the call ends
    int depth_ = 0;
    QTimer drainTimer_;  // runs while lines wait
    QElapsedTimer sinceDrain_;
    QTimer pacingTimer_;
    QTimer loginClock_;  // runs only while a connection has not logged in
    QElapsedTimer sinceClockTick_;
};

}  // namespace quintrel::host
