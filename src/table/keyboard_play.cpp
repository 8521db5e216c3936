// The player's keys on the table. Each one is a click the player could make, handed to the
// handler of that click, so a key does exactly what the click would do, and nothing more.

#include "table/table_state.h"

namespace quintrel::table {

void TableState::moveSelection(int step) {
    int last = 0;  // the row has no gaps: places 1..last hold the cards
    while (last < kHandPlaces && !handrow_[static_cast<std::size_t>(last + 1)].free) ++last;
    if (last == 0 || step == 0) return;
    const int from = selectedslot_ == -1 ? 0 : placeOf(selectedslot_);
    int to = 0;
    if (from == 0)
        to = step > 0 ? 1 : last;
    else
        to = ((from - 1 + step) % last + last) % last + 1;
    // Clicking the raised card lowers it; with nothing selected the next click only raises,
    // so "Manual Sort" never turns this into an exchange of places.
    if (from != 0) {
        pressCard(selectedslot_, MouseButton::Left);
        if (selectedslot_ != -1) return;  // the click was refused: so is the move
    }
    pressCard(handrow_[static_cast<std::size_t>(to)].slot, MouseButton::Left);
}

void TableState::layOnNextSquare() {
    // A click on a full square takes its card back: only empty squares are candidates.
    for (int n = 1; n <= kSquares; ++n) {
        if (squares_[static_cast<std::size_t>(n)].empty()) {
            placeOnSquare(n);
            return;
        }
    }
}

}  // namespace quintrel::table
