// The hosting player's controls on the seat name labels: removal and watching for others.

#include "net/wire.h"
#include "table/table_state.h"

namespace quintrel::table {

void TableState::openSeatMenu(int seat) {
    if (!isSeat(seat)) return;
    seatMenu_.tag = seat;
    // An empty seat, or one its computer player plays, has nobody to watch or remove: the
    // host would ignore the request.
    const bool person = ishost_ && roster_.seatLabel(seat).person;
    seatMenu_.setWatchEnabled = person;
    seatMenu_.unsetWatchEnabled = person;
    // Removing oneself would end every table.
    seatMenu_.removeEnabled = person && seat != roster_.myseat();
}

void TableState::setSeatWatching(int seat) {
    if (!isSeat(seat)) return;
    sendIfLoggedIn(wire::tohost::justwatch(seat, 1));
}

void TableState::unsetSeatWatching(int seat) {
    if (!isSeat(seat)) return;
    sendIfLoggedIn(wire::tohost::justwatch(seat, 2));
}

void TableState::kicking(int slot) {
    if (!ishost_ || !roster_.loggedin() || !isSlot(slot)) return;
    events_.sendToHost(wire::tohost::kickhim(roster_.myseat(), slot));
}

}  // namespace quintrel::table
