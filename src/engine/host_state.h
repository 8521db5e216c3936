#pragma once
// The host's records: one tplayer per slot, and the game-wide values the rules work on.

#include <array>
#include <cstdint>
#include <string>

namespace quintrel {

constexpr int kHandSlots = 21;   // positions 0..20
constexpr int kMaxSlot = 11;     // players 1..11; 1..4 seats, 5..9 spectators, 10 refused
constexpr int kSeats = 4;

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
    int count = 0;   // 0 = free
    int card = 0;    // natural card; kept after completion as a leftover
    int kind = -1;   // 1 Normal, 2 Wild, -1 after a reset
};

}  // namespace quintrel
