#pragma once
// The host's ways of delivering a message line. Only connected slots receive;
// the caller builds the line once, whoever ends up receiving it.

#include <string_view>

#include "engine/host_state.h"
#include "engine/outbox.h"

namespace quintrel {

// Every connected slot 1..connectioncount, in slot order (spectators included).
void sendToAll(const HostState& state, Outbox& outbox, std::string_view line);
// One slot, if it is connected.
void sendToOne(const HostState& state, Outbox& outbox, int slot, std::string_view line);
// Whether a line sent to the slot would be delivered.
inline bool reaches(const HostState& state, int slot) {
    return isSlot(slot) && state.players[slot].connected;
}

}  // namespace quintrel
