#pragma once
// What must hold after every step of the randomized host test: the host's records are sound,
// every line it sends is one a table understands, and every logged-in table shows what the
// host holds.

#include <string>
#include <string_view>
#include <vector>

#include "engine/host_state.h"
#include "network.h"

namespace quintrel::test {

// What a peer's table heard lately, and what that means for comparing it with the host.
struct PeerNotes {
    std::vector<std::string> recent;  // the last lines, shown when table and host disagree
    bool botsHand = false;            // seats 3 and 4 belong to the watching computer players
    bool sawDeal = false;             // present since a deal: a late joiner is not told the pile

    void heard(std::string_view line);
    std::string history() const;
};

// Empty when a table would accept the line; otherwise why not.
std::string clientLineFault(std::string_view line);

// Slots bound exactly while a connection is, partners' scores equal, cards and books in range.
void checkHostRecords(const kit::Network& net);

// A logged-in table shows the host's roster and, during a game, its own hand, the books, the
// feet, the pile, the scores and whose turn it is; `compared` counts the comparisons made in a game.
void checkMirror(int slot, const kit::Network& net, const PeerNotes& notes, long& compared);

}  // namespace quintrel::test
