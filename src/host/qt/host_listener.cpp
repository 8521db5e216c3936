#include "host/qt/host_listener.h"

#include "host/qt/host_events.h"
#include "net/game_limits.h"
#include "net/wire.h"
#include "net/qt/socket_texts.h"

#include <QByteArray>

#include <algorithm>

namespace quintrel::host {
namespace {

constexpr int kSocktimerMs = 10;
constexpr int kLoginClockMs = 1000;

}  // namespace

HostListener::HostListener(QObject* parent) : QObject(parent) {
    connect(&listener_, &net::TSock::acceptReady, this, &HostListener::onAccept);
    drainTimer_.setTimerType(Qt::PreciseTimer);
    connect(&drainTimer_, &QTimer::timeout, this, [this] {
        sinceDrain_.start();
        // The first tick may come early (the host was idle); from it on, a steady 10 ms beat,
        // so that lines waiting in a row are served at the full 100 a second.
        if (drainTimer_.interval() != kSocktimerMs) drainTimer_.setInterval(kSocktimerMs);
        callHost([this] { host_->drainTick(); });
    });
    connect(&pacingTimer_, &QTimer::timeout, this, [this] { callHost([this] { host_->pacingTick(); }); });
    loginClock_.setInterval(kLoginClockMs);
    connect(&loginClock_, &QTimer::timeout, this, [this] {
        const int elapsed = static_cast<int>(sinceClockTick_.restart());
        callHost([this, elapsed] { host_->clockTick(elapsed); });
    });
}

HostListener::~HostListener() { shutdown(); }

void HostListener::attach(HostEvents* host) {
    host_ = host;
    if (host_) {
        syncDrainTimer();
        syncPacingTimer();
    } else {
        drainTimer_.stop();
        pacingTimer_.stop();
        loginClock_.stop();
    }
}

void HostListener::startListening(net::ListenScope scope, quint16 port) {
    listener_.setPort(port);
    listener_.listen(scope);
}

bool HostListener::isListening() const { return listener_.isListening(); }

quint16 HostListener::port() const { return listener_.listeningPort(); }

template <typename Call>
void HostListener::callHost(Call&& call) {
    if (!host_) return;
    ++depth_;
    try {
        call();
    } catch (...) {
        // The host catches its own errors per message; this only keeps the loop alive.
    }
    --depth_;
    if (depth_ == 0) afterHostCall();
}

void HostListener::afterHostCall() {
    while (!pendingClosed_.empty()) {
        const int slot = pendingClosed_.front();
        pendingClosed_.erase(pendingClosed_.begin());
        ++depth_;
        try {
            host_->closed(slot);
        } catch (...) {}
        --depth_;
    }
    syncDrainTimer();
    syncPacingTimer();
    syncLoginClock();
}

void HostListener::syncLoginClock() {
    if (!host_ || !host_->awaitingLogin()) {
        loginClock_.stop();
    } else if (!loginClock_.isActive()) {
        sinceClockTick_.start();
        loginClock_.start();
    }
}

void HostListener::syncDrainTimer() {
    if (!host_ || host_->queuedLines() == 0) {
        drainTimer_.stop();
        return;
    }
    if (drainTimer_.isActive()) return;
    const qint64 since = sinceDrain_.isValid() ? sinceDrain_.elapsed() : kSocktimerMs;
    drainTimer_.start(static_cast<int>(std::max<qint64>(0, kSocktimerMs - since)));
}

void HostListener::syncPacingTimer() {
    if (!host_) return;
    const bool enabled = host_->pacingTimerEnabled();
    const int interval = std::max(0, host_->pacingInterval());
    if (!enabled) {
        pacingTimer_.stop();
    } else if (!pacingTimer_.isActive() || pacingTimer_.interval() != interval) {
        pacingTimer_.start(interval);
    }
}

void HostListener::onAccept() {
    std::unique_ptr<net::TSock> sock;
    try {
        sock = listener_.accept();
    } catch (const net::SocketError&) {
        return;
    }
    if (!sock || !host_) return;
    int slot = 0;
    callHost([&] { slot = host_->accept(sock->fromLoopback()); });
    if (slot <= 0) return;  // the unique_ptr drops the connection

    // A slot the host hands out again is free in its eyes: the old connection goes quietly.
    if (auto old = connections_.find(slot); old != connections_.end()) {
        retire(std::move(old->second));
        connections_.erase(old);
    }
    net::TSock* raw = sock.get();
    raw->setTag(slot);
    connect(raw, &net::TSock::readReady, this, [this, raw] { onRead(raw); });
    connect(raw, &net::TSock::info, this, [this, raw](int, const QString& text) { onInfo(raw, text); });
    connections_[slot] = std::move(sock);
    callHost([&] { host_->accepted(slot); });
}

void HostListener::onRead(net::TSock* sock) {
    const QByteArray bytes = sock->receiveText();
    if (bytes.isEmpty()) return;
    const int slot = sock->tag();
    callHost([&] {
        host_->read(slot, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
}

void HostListener::onInfo(net::TSock* sock, const QString& text) {
    // "Socket Closed" and every network error end the slot's connection.
    if (text == QLatin1String(net::kSocketClosed) || text.startsWith(QLatin1String("Error #")))
        connectionGone(sock);
}

void HostListener::connectionGone(net::TSock* sock) {
    const int slot = sock->tag();
    auto it = connections_.find(slot);
    if (it == connections_.end() || it->second.get() != sock) return;
    retire(std::move(it->second));
    connections_.erase(it);
    if (std::find(pendingClosed_.begin(), pendingClosed_.end(), slot) == pendingClosed_.end())
        pendingClosed_.push_back(slot);
    if (depth_ == 0) afterHostCall();
}

void HostListener::retire(std::unique_ptr<net::TSock> sock) {
    // Deleted later, as its own signal may be on the stack; parented so that it never outlives us.
    sock->disconnect(this);
    sock->setParent(this);
    sock.release()->deleteLater();
}

void HostListener::send(int slot, std::string_view line) {
    auto it = connections_.find(slot);
    if (it == connections_.end()) return;
    QByteArray framed(line.data(), static_cast<qsizetype>(line.size()));
    framed.append(wire::kTerminator);
    try {
        it->second->sendText(framed);
    } catch (const net::SocketError&) {
        // A dead connection drops the line; its close is reported after the current call.
    }
}

void HostListener::close(int slot) {
    auto it = connections_.find(slot);
    if (it == connections_.end()) return;
    net::TSock* sock = it->second.get();
    if (slot >= kRefusedSlot) {
        // The refused connection's slot is reused by the next refused one: detach it now and
        // let it finish sending "CMD_full+" on its own.
        sock->disconnect(this);
        it->second.release()->setParent(this);
        connections_.erase(it);
        connect(sock, &net::TSock::info, sock, [sock](int, const QString& text) {
            if (text == QLatin1String(net::kSocketClosed) || text.startsWith(QLatin1String("Error #")))
                sock->deleteLater();
        });
        sock->close();
        return;
    }
    sock->close();
}

void HostListener::shutdown() {
    drainTimer_.stop();
    pacingTimer_.stop();
    loginClock_.stop();
    for (auto& [slot, sock] : connections_) {
        sock->disconnect(this);
        sock->close();
    }
    connections_.clear();
    listener_.close();
}

}  // namespace quintrel::host
