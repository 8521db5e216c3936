// The player's requests on their own turn, and starting a game.

#include "net/wire.h"
#include "table/game_start_form.h"
#include "table/table_state.h"

namespace quintrel::table {

void TableState::drawFromShoe() {
    // A hidden button takes no clicks: the first click hides it, so a second sends nothing.
    if (!buttonDraw_.visible || !myTurn() || justWatch_ || !roster_.loggedin()) return;
    requestDraw(1);
}

void TableState::takeDiscardPile() {
    if (!buttonPickup_.visible || !myTurn() || justWatch_ || !roster_.loggedin()) return;
    requestDraw(2);
}

void TableState::requestDraw(int source) {
    buttonDraw_.visible = buttonPickup_.visible = false;
    draw_ = Draw::Asked;
    events_.sendToHost(wire::tohost::drawing(roster_.myseat(), source));
    // The host answers with the cards it deals; a hand with no free slot gets none.
    bool roomForACard = false;
    for (int slot = 0; slot <= kLastDrawSlot && !roomForACard; ++slot) roomForACard = cards_.count(slot) == 0;
    if (!roomForACard) draw_ = Draw::Answered;
}

void TableState::createFromSquares() {
    if (!myTurnDrawn()) return;
    for (int n = 1; n <= kSquares; ++n) {
        if (squares_[static_cast<std::size_t>(n)].empty()) {
            status("Not a complete book");
            return;
        }
    }
    sendIfLoggedIn(
        wire::tohost::createbook(roster_.myseat(), squares_[1].tag, squares_[2].tag, squares_[3].tag));
}

void TableState::clearSquares() {
    for (int n = 1; n <= kSquares; ++n) {
        Square& sq = squares_[static_cast<std::size_t>(n)];
        if (sq.tag == -1 || sq.empty()) continue;
        returnSquareToRow(sq);
        events_.playsounds("clearbook");
    }
}

void TableState::playOnBook(int team, int slot) {
    if (!isTeam(team) || !working_[static_cast<std::size_t>(team)].count(slot)) return;
    if (!myTurnDrawn() || selectedcode_.empty()) return;
    // The host resolves the slot against the player's own team, whichever board was clicked.
    sendIfLoggedIn(wire::tohost::addtobook(roster_.myseat(), selectedslot_, slot));
    clearSelection();
}

void TableState::playOnCompletedBook(int team, int slot) {
    if (!isTeam(team) || !completed_[static_cast<std::size_t>(team)].count(slot)) return;
    if (!myTurnDrawn() || selectedcode_.empty()) return;
    sendIfLoggedIn(wire::tohost::addtocomp(roster_.myseat(), selectedslot_, slot));
    clearSelection();
}

void TableState::discardSelected() {
    if (mustDrawFirst() || !myTurnDrawn() || selectedcode_.empty()) return;
    clearSquares();
    sendIfLoggedIn(wire::tohost::discard(roster_.myseat(), selectedslot_));
    clearSelection();
    whoseturn_ = 0;  // until the host names the next turn or hands this one back
}

void TableState::toggleJustWatch() {
    if (!isSeat(roster_.myseat()) || !roster_.loggedin()) return;
    events_.sendToHost(wire::tohost::justwatch(roster_.myseat(), justWatch_ ? 2 : 1));
}

void TableState::openStartDialog(GameStartForm& form) {
    form.show();
    buttonStart_.visible = false;
}

void TableState::startgame(GameStartForm& form) {
    if (!roster_.loggedin()) {
        events_.messageBox("You are not connected");
    } else if (!gameRunning_ || events_.confirm("A game is in progress. Start a new one?")) {
        events_.sendToHost(wire::tohost::startgame(playername_, form.lengthLetter()));
        events_.sendToHost(wire::tohost::settourney(form.botsWatch(), form.targetDigit()));
    }
    form.hide();
}

void TableState::closeStartDialog(GameStartForm& form) {
    form.hide();
    if (!ishost_ || gameRunning_) return;
    buttonStart_.visible = true;
    toFront(buttonStart_.z);
}

// On the own turn before the draw a click on a card or the pile would do nothing; say why.
bool TableState::mustDrawFirst() {
    if (!myTurn() || !buttonDraw_.visible) return false;
    status("Draw first.");
    return true;
}

}  // namespace quintrel::table
