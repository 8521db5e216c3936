// The hand row: card images in places 1..20, sorting, selection and the create-book squares.

#include "table/table_state.h"

namespace quintrel::table {

namespace {

int leftOf(int base, int place) { return base + 20 * (place - 1); }

constexpr int kNewLeft = 6;   // a new card, or one moved left when a gap closes
constexpr int kBackLeft = 4;  // a card taken back from a square
constexpr int kSortLeft = 2;  // a card moved by a sort or a manual swap

// Twos and jokers first, then Four .. Queen, King, Ace, and the Threes last.
int sortKey(int code) {
    const int r = code % 13;
    if (r == 0) return 13;
    if (r == 3) return 15;
    if (r == 1) return 14;
    return r;
}

}  // namespace

int TableState::firstFreePlace() const {
    for (int k = 1; k <= kHandPlaces; ++k)
        if (handrow_[static_cast<std::size_t>(k)].free) return k;
    return 0;
}

int TableState::placeOf(int slot) const {
    for (int k = 1; k <= kHandPlaces; ++k) {
        const HandPlace& p = handrow_[static_cast<std::size_t>(k)];
        if (!p.free && p.slot == slot) return k;
    }
    return 0;
}

void TableState::frontFrom(int place) {
    for (int k = place; k <= kHandPlaces; ++k) {
        const HandPlace& p = handrow_[static_cast<std::size_t>(k)];
        if (p.free) continue;
        if (auto it = cards_.find(p.slot); it != cards_.end()) toFront(it->second.z);
    }
}

bool TableState::createcard(int slot, int code) {
    if (!isHandSlot(slot) || !isCardCode(code)) return false;
    // The host named this slot again: its new card replaces the one shown.
    if (cards_.count(slot)) freecard(slot);
    const int k = firstFreePlace();
    if (k == 0) return false;  // a full row takes no further card
    handrow_[static_cast<std::size_t>(k)] = {false, slot};
    CardImage image;
    image.slot = slot;
    image.code = code;
    image.left = leftOf(kNewLeft, k);
    image.top = kCardTopResting;
    cards_[slot] = image;
    frontFrom(k);
    return true;
}

void TableState::movecards(int slot) {
    const int s = placeOf(slot);
    if (s == 0) return;
    handrow_[static_cast<std::size_t>(s)] = HandPlace{};
    for (int k = s + 1; k <= kHandPlaces; ++k) {
        HandPlace& p = handrow_[static_cast<std::size_t>(k)];
        if (p.free) continue;
        if (auto it = cards_.find(p.slot); it != cards_.end()) {
            it->second.left = leftOf(kNewLeft, k - 1);
            toFront(it->second.z);
            it->second.visible = true;
        }
        handrow_[static_cast<std::size_t>(k - 1)] = p;
        p = HandPlace{};
    }
    for (const HandPlace& p : handrow_)
        if (!p.free)
            if (auto it = cards_.find(p.slot); it != cards_.end()) it->second.top = kCardTopResting;
    toFront(buttonDraw_.z);
    toFront(buttonPickup_.z);
}

void TableState::sortthem() {
    auto keyAt = [this](int k) -> int {
        auto it = cards_.find(handrow_[static_cast<std::size_t>(k)].slot);
        return it == cards_.end() ? -1 : sortKey(it->second.code);
    };
    for (int pass = 0; pass < 20; ++pass) {
        for (int k = kHandPlaces; k >= 2; --k) {
            HandPlace& here = handrow_[static_cast<std::size_t>(k)];
            HandPlace& before = handrow_[static_cast<std::size_t>(k - 1)];
            if (here.free) continue;
            const int keyHere = keyAt(k);
            const int keyBefore = before.free ? -1 : keyAt(k - 1);
            if (keyHere < 0 || keyBefore < 0) return;  // a gap or a lost image: stop as is
            if (keyBefore <= keyHere) continue;
            std::swap(here, before);
            cards_[here.slot].left = leftOf(kSortLeft, k);
            cards_[before.slot].left = leftOf(kSortLeft, k - 1);
        }
    }
    frontFrom(1);
    toFront(buttonDraw_.z);
    toFront(buttonPickup_.z);
}

void TableState::pressCard(int slot, MouseButton button) {
    if (button == MouseButton::Right) {
        sortthem();
        return;
    }
    if (button != MouseButton::Left) return;
    if (!roster_.loggedin() || mustDrawFirst() || !myTurnDrawn()) return;
    auto clicked = cards_.find(slot);
    if (clicked == cards_.end() || !clicked->second.visible) return;

    if (clicked->second.raised()) {
        clicked->second.top = kCardTopResting;
        clearSelection();
        return;
    }
    if (selectedslot_ != -1) {
        if (auto prev = cards_.find(selectedslot_); prev != cards_.end()) prev->second.top = kCardTopResting;
        if (manualSort_) {
            const int from = placeOf(selectedslot_);
            const int to = placeOf(slot);
            if (from != 0 && to != 0) {
                clearSelection();
                std::swap(handrow_[static_cast<std::size_t>(from)], handrow_[static_cast<std::size_t>(to)]);
                for (int k : {from, to})
                    if (auto it = cards_.find(handrow_[static_cast<std::size_t>(k)].slot); it != cards_.end())
                        it->second.left = leftOf(kSortLeft, k);
                frontFrom(1);
                return;
            }
        }
    }
    clicked->second.top = kCardTopRaised;
    selectedslot_ = slot;
    selectedcode_ = clicked->second.hint();
}

void TableState::returnSquareToRow(Square& sq) {
    auto it = cards_.find(sq.tag);
    const int k = firstFreePlace();
    // A card whose image is gone has left the hand; it must not take a place.
    if (it != cards_.end() && k != 0) {
        handrow_[static_cast<std::size_t>(k)] = {false, sq.tag};
        it->second.left = leftOf(kBackLeft, k);
        it->second.top = kCardTopResting;
        it->second.visible = true;
        toFront(it->second.z);
    }
    sq = Square{};
}

// A new book was announced: the squares empty. Cards of this hand still lying on them (the
// computer may have played the seat meanwhile) go back into the row instead of vanishing.
void TableState::emptySquares() {
    for (int n = 1; n <= kSquares; ++n) {
        Square& sq = squares_[static_cast<std::size_t>(n)];
        if (!sq.empty() && sq.tag != -1)
            returnSquareToRow(sq);
        else
            sq = Square{};
    }
}

void TableState::placeOnSquare(int n) {
    if (n < 1 || n > kSquares) return;
    Square& sq = squares_[static_cast<std::size_t>(n)];
    if (!selectedcode_.empty() && sq.empty() && myTurnDrawn()) {
        const int code = std::stoi(selectedcode_);
        const bool firstCard = squares_[1].empty() && squares_[2].empty() && squares_[3].empty();
        const bool haveBook = firstCard && checkforbook(code % 13, teamOf(roster_.myseat()));
        sq.tag = selectedslot_;
        sq.hint = selectedcode_;
        sq.picture = code;
        if (auto it = cards_.find(selectedslot_); it != cards_.end()) it->second.visible = false;
        movecards(selectedslot_);
        clearSelection();
        events_.playsounds("placeon");
        // Last, once the card lies on its square: the box is modal and the host's messages go
        // on while it is open, so nothing may be read from before it afterwards.
        if (haveBook) events_.messageBox("Woops, you already have that book!");
        return;
    }
    if (!sq.empty() && sq.tag != -1) {
        returnSquareToRow(sq);
        events_.playsounds("placeoff");
    }
}

}  // namespace quintrel::table
