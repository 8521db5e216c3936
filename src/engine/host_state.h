#pragma once
// The host's records: one tplayer per slot, and the game-wide values the rules work on.

#include <array>
#include <cstdint>
#include <string>

#include "net/game_limits.h"

namespace quintrel {

struct tplayer {
    std::string name;
    bool connected = false;
    std::int32_t score = 0;
    std::array<int, kHandSlots> hand{};
    std::array<int, kHandSlots> foot{};
    std::int32_t team = 0;
    bool usefoot = false;
    std::int32_t partner = 0;
    std::string botname;
    bool watching = false;
    bool loggedin = false;  // the connection has sent its login; until then the computer plays
};

struct BookEntry {
    int count = 0;                     // 0 = free
    int card = 0;                      // natural card; kept after completion as a leftover
    BookKind kind = BookKind::Normal;  // read only while the entry holds cards

    bool operator==(const BookEntry&) const = default;
};

// Index 0 of every table is unused so that slots, seats, teams and book entries keep
// their 1-based numbers.
using TeamBooks = std::array<BookEntry, kBookSlots + 1>;

// What the pacing timer waits for.
enum class PacingTag { Idle = 0, ComputerTurnPending = 1, NewRoundPending = 2 };

// A pending computer turn is played on the timer's second tick, the next round dealt on
// its tenth.
constexpr int kComputerTurnTicks = 2;
constexpr int kNewRoundTicks = 10;

// The host's pacing timer as state: the transport starts/stops a real timer to match
// and calls the engine's tick.
struct PacingTimer {
    bool enabled = false;
    int interval = 0;  // ms; 0 = never set, nothing fires
    PacingTag tag = PacingTag::Idle;
};

struct HostState {
    // Every slot a connection can be named by, the refused one included; [0] unused.
    std::array<tplayer, kRefusedSlot + 1> players{};
    std::int32_t connectioncount = 0;
    std::int32_t turnseat = 0;
    bool gamestarted = false;
    bool roundover = false;  // a round has ended and the next deal has not happened yet
    bool drawn = false;      // the turn seat has drawn this turn: melds and the discard may follow
    bool botswatch = false;
    bool playtotarget = false;
    std::int32_t targetscore = 10000;
    std::int32_t botdelay = 0;
    std::int32_t botticks = 0;
    PacingTimer pacing;
    int discardtop = 0;
    int discardbelow = 0;
    std::array<TeamBooks, kTeams + 1> books{};           // [team 1..2][entry 1..13]
    std::array<TeamBooks, kTeams + 1> completedbooks{};  // [team 1..2][entry 1..13]
    std::array<int, kTeams + 1> completedcount{};        // [team 1..2]

    HostState() {
        for (int seat = 1; seat <= kSeats; ++seat) {
            players[seat].partner = partnerOf(seat);
            // Seat 1 gets its computer player only where the computer may play it.
            if (seat == 1) continue;
            players[seat].botname = kComputerNames[seat];
            players[seat].name = kComputerNames[seat];
        }
    }
};

}  // namespace quintrel
