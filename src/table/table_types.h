#pragma once
// What the table window draws, as plain values. The window owns no game state: after every
// handled message or click it lays its widgets out from these records.
//
// Positions are logical pixels relative to the widget's parent panel. `z` orders siblings:
// a higher value is drawn over a lower one (bring-to-front gives an item the next value).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "net/game_limits.h"

namespace quintrel::table {

constexpr int kHandPlaces = 20;        // places of the hand row, 1..20
constexpr int kSquares = 3;            // create-book squares acard_place1..3
constexpr int kMaxCompletedSlot = 40;  // more than a five-deck shoe can fill for one team
constexpr int kBlankImages = 5;        // imagelist_blank

constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kCardTopResting = 218;
constexpr int kCardTopRaised = 212;

// Picture lists held by the window.
enum class PictureList {
    BigCards,   // imagelist_bigcards: 55 card pictures, index = card code (0 = back)
    NormalTop,  // imagelist_ntop: 13 faces of Normal books, index = code mod 13
    WildTop,    // imagelist_wtop: 13 faces of Wild books
    Blank,      // imagelist_blank: 5 coloured under-card edges
};

// One picture drawn into an image at (x, y).
struct PictureLayer {
    PictureList list = PictureList::BigCards;
    int index = 0;
    int x = 0;
    int y = 0;
    bool operator==(const PictureLayer&) const = default;
};

// A plain widget whose only state is visibility and stacking.
struct Shown {
    bool visible = false;
    std::int64_t z = 0;
};

// One place of the hand row: the hand slot of the card there, or -1.
struct HandPlace {
    bool free = true;
    int slot = -1;
};

// A card image on panel_score, named "card" + hand slot.
struct CardImage {
    int slot = 0;  // Tag
    int code = 0;  // hint (as a number) and picture index in BigCards
    int left = 0;
    int top = kCardTopResting;
    bool visible = true;
    std::int64_t z = 0;
    std::string name() const { return "card" + std::to_string(slot); }
    std::string hint() const { return std::to_string(code); }
    bool raised() const { return top == kCardTopRaised; }
};

// A create-book square acard_place1..3 (left 11, 85, 159; top 101; 71 x 96).
struct Square {
    int tag = -1;      // hand slot of the card on it, -1 when empty
    std::string hint;  // its card code in decimal, empty when empty
    int picture = -1;  // BigCards index drawn on it, -1 = cleared
    bool empty() const { return hint.empty(); }
};

// A working book "book" + team + slot on panel_board<team>.
struct WorkingBook {
    int team = 1;
    int slot = 1;  // Tag
    int code = 0;  // hint: the card it was created with; fixes the rank
    int kind = kindCode(BookKind::Normal);
    int count = 3;
    int left = 0, top = 0, width = 0, height = 48;
    std::vector<PictureLayer> layers;  // under-cards first, the face last
    std::int64_t z = 0;
    std::string name() const { return "book" + std::to_string(team) + std::to_string(slot); }
    std::string hint() const { return std::to_string(code); }
};

// A completed book "comp" + team + slot on panel_board<team>.
struct CompletedBook {
    int team = 1;
    int slot = 1;  // Tag
    int code = 0;
    int kind = kindCode(BookKind::Normal);
    int left = 0, top = 0, width = 36, height = 48;
    PictureLayer face;
    std::int64_t z = 0;
    std::string name() const { return "comp" + std::to_string(team) + std::to_string(slot); }
};

// The table's own half of a seat row (the name label itself belongs to the session's roster).
struct SeatRow {
    bool nameVisible = true;
    std::string score = "0";  // label_score
    bool scoreVisible = true;
    std::string cardsleft = "20";  // label_cardsleft
    bool footVisible = true;       // image_foot: nobody has taken up a foot yet
};

// popup_kick, the menu the four seat name labels share: the seat it was opened on (its Tag)
// and whether each item may be chosen.
struct SeatMenu {
    int tag = 0;
    bool removeEnabled = false;      // "Remove From Game"
    bool setWatchEnabled = false;    // "Set to Just Watch"
    bool unsetWatchEnabled = false;  // "Unset Just Watch"
};

// Rows of the seat name labels, measured from the top of panel_score; image_Turn follows them.
constexpr std::array<int, kSeats + 1> kSeatRowTop = {0, 11, 35, 58, 79};

}  // namespace quintrel::table
