#pragma once
// The host's records: one tplayer per slot, and the game-wide values the rules work on.

#include <array>
#include <cstdint>
#include <string>

namespace quintrel {

constexpr int kHandSlots = 21;  // positions 0..20
constexpr int kMaxSlot = 11;    // players 1..11; 1..4 seats, 5..9 spectators, 10 refused
constexpr int kSeats = 4;
constexpr int kBookSlots = 13;    // working and completed book entries 1..13 per team
constexpr int kNewBookSlots = 9;  // new working books take entries 1..9 only

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
};

struct BookEntry {
    int count = 0;  // 0 = free
    int card = 0;   // natural card; kept after completion as a leftover
    int kind = -1;  // 1 Normal, 2 Wild, -1 after a reset
};

// Index 0 of every table is unused so that slots, seats, teams and book entries keep
// their 1-based numbers.
using TeamBooks = std::array<BookEntry, kBookSlots + 1>;

// The host's pacing timer as state: the transport starts/stops a real timer to match
// and calls the engine's tick.
struct Timer1State {
    bool enabled = false;
    int interval = 0;  // ms; 0 = never set, nothing fires
    int tag = 0;       // 0 idle, 1 computer turn pending, 2 new round pending
};

struct HostState {
    std::array<tplayer, kMaxSlot + 1> players{};
    std::int32_t connectioncount = 0;
    std::int32_t turnseat = 0;
    bool gamestarted = false;
    bool roundover = false;  // a round has ended and the next deal has not happened yet
    bool botswatch = false;
    bool playtotarget = false;
    std::int32_t targetscore = 10000;
    std::int32_t botdelay = 0;
    std::int32_t botticks = 0;
    Timer1State timer1;
    int discardtop = 0;
    int discardbelow = 0;
    std::array<TeamBooks, 3> books{};           // [team 1..2][entry 1..13]
    std::array<TeamBooks, 3> completedbooks{};  // [team 1..2][entry 1..13]
    std::array<int, 3> completedcount{};        // [team 1..2]

    HostState() {
        static const char* const kBots[] = {"", "", "Klot", "Klick", "Kling"};
        for (int seat = 1; seat <= kSeats; ++seat) {
            players[seat].partner = seat <= 2 ? seat + 2 : seat - 2;
            players[seat].botname = kBots[seat];
            players[seat].name = kBots[seat];
        }
    }
};

}  // namespace quintrel
