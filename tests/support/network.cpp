#include "network.h"

#include <gtest/gtest.h>

#include "net/qt/socket_texts.h"
#include "net/wire.h"

namespace quintrel::kit {

Network::Network(ServerOptions options, HostLog log) : server(*this, options, std::move(log)) {}

Table* Network::table(int slot) const {
    auto it = tables_.find(slot);
    return it == tables_.end() ? nullptr : it->second.get();
}

int Network::connect(bool fromLoopback, const std::string& name) {
    const int slot = server.accept(fromLoopback);
    if (live(slot)) ADD_FAILURE() << "slot " << slot << " handed out while its connection is live";
    live_.at(static_cast<std::size_t>(slot)) = true;
    if (isSlot(slot)) tables_[slot] = std::make_unique<Table>(0, false, name);
    server.accepted(slot);
    afterCall();
    return slot;
}

void Network::disconnect(int slot) {
    tables_.erase(slot);
    live_.at(static_cast<std::size_t>(slot)) = false;
    server.connectionClosed(slot);
    afterCall();
}

void Network::read(int slot, std::string_view bytes) {
    server.receive(slot, bytes);
    afterCall();
}

void Network::send(int slot, std::string_view line) {
    sent.emplace_back(slot, std::string(line));
    if (Table* peer = table(slot)) peer->session.receive(std::string(line) + wire::kTerminator);
}

void Network::close(int slot) {
    if (slot < 1 || slot > kRefusedSlot) return;
    const bool wasLive = live_.at(static_cast<std::size_t>(slot));
    live_.at(static_cast<std::size_t>(slot)) = false;
    if (slot == kRefusedSlot || !wasLive) return;
    if (auto it = tables_.find(slot); it != tables_.end()) {
        it->second->session.connectionInfo(net::kSocketClosed);
        gone.push_back(std::move(it->second));
        tables_.erase(it);
    }
    if (reentrantClose)
        server.connectionClosed(slot);
    else
        closeLater_.push_back(slot);
}

void Network::afterCall() {
    for (int slot : std::exchange(closeLater_, {}))
        if (!live(slot)) server.connectionClosed(slot);
}

void Network::drainTables() {
    std::vector<int> slots;
    for (const auto& [slot, peer] : tables_) slots.push_back(slot);
    // A request may get its own table closed (a flood), so each slot is looked up afresh.
    for (int slot : slots) {
        Table* peer = table(slot);
        if (!peer) continue;
        while (peer->session.processsocktimer()) {}
        std::string bytes;
        for (const std::string& line : peer->takeSent()) bytes += line + wire::kTerminator;
        if (!bytes.empty()) read(slot, bytes);
    }
}

void Network::settle() {
    for (bool moved = true; moved;) {
        drainTables();
        moved = server.queuedLines() > 0;
        while (server.queuedLines() > 0) {
            server.drainTick();
            afterCall();
        }
        for (auto& [slot, peer] : tables_) moved = moved || peer->session.queuedLines() > 0;
    }
}

}  // namespace quintrel::kit
