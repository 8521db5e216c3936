#pragma once
// The game's numbers, for every folder: seats and connection slots, teams, hand slots, card
// codes and books. A range is checked against these before a number names anything; tables
// indexed by a 1-based number are one longer, index 0 unused.

namespace quintrel {

// Connections are slots 1..9: the seats 1..4, then spectators 5..9. A tenth connection is
// named slot 10 only while it is told that the table is full.
constexpr int kSeats = 4;
constexpr int kFirstSpectator = 5;
constexpr int kLastSlot = 9;
constexpr int kRefusedSlot = 10;

constexpr int kTeams = 2;  // team 1 Green (seats 1 and 3), team 2 Blue (seats 2 and 4)

// A player's cards sit at hand slots 0..20; a draw fills the lowest free of 0..19.
constexpr int kHandSlots = 21;
constexpr int kLastDrawSlot = 19;
constexpr int kDealtCards = 11;  // the hand and the foot each

constexpr int kMaxCard = 54;  // card codes 0..54, 0 = no card

// A team's working and completed books are entries 1..13; a new book takes one of 1..9.
constexpr int kBookSlots = 13;
constexpr int kNewBookSlots = 9;
constexpr int kBookComplete = 7;  // cards that complete a working book

// A book with a wild card in it is Wild; the wire carries the kind as its number.
enum class BookKind { Normal = 1, Wild = 2 };
constexpr int kindCode(BookKind kind) { return static_cast<int>(kind); }
constexpr bool isBookKind(int n) { return n == kindCode(BookKind::Normal) || n == kindCode(BookKind::Wild); }

constexpr bool isSeat(int n) { return n >= 1 && n <= kSeats; }
constexpr bool isSlot(int n) { return n >= 1 && n <= kLastSlot; }
constexpr bool isSpectator(int n) { return n >= kFirstSpectator && n <= kLastSlot; }
constexpr bool isTeam(int n) { return n == 1 || n == 2; }
constexpr bool isHandSlot(int n) { return n >= 0 && n < kHandSlots; }
constexpr bool isCardCode(int n) { return n >= 0 && n <= kMaxCard; }
constexpr bool isBookSlot(int n) { return n >= 1 && n <= kBookSlots; }

// The computer players of seats 1..4. Seat 1's plays only on a host without a table of its
// own, once the hosting player has left.
inline constexpr const char* kComputerNames[kSeats + 1] = {"", "Klack", "Klot", "Klick", "Kling"};

// Seats 1 and 3 are team 1 and partners, seats 2 and 4 team 2.
constexpr int teamOf(int seat) { return seat % 2 == 1 ? 1 : 2; }
constexpr int partnerOf(int seat) { return seat <= 2 ? seat + 2 : seat - 2; }

}  // namespace quintrel
