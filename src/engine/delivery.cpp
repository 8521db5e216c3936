#include "engine/delivery.h"

#include <algorithm>

namespace quintrel {
namespace {

void sendToRange(const HostState& state, Outbox& outbox, int last, std::string_view line) {
    for (int slot = 1; slot <= last; ++slot) {
        if (state.players[slot].connected) outbox.send(slot, line);
    }
}

}  // namespace

void sendToAll(const HostState& state, Outbox& outbox, std::string_view line) {
    sendToRange(state, outbox, std::clamp(state.connectioncount, 0, kLastSlot), line);
}

void sendToOne(const HostState& state, Outbox& outbox, int slot, std::string_view line) {
    if (reaches(state, slot)) outbox.send(slot, line);
}

}  // namespace quintrel
