// Handlers of the host's game messages: cards, books, the discard pile, turns and resets.

#include "table/book_layout.h"
#include "table/table_state.h"

namespace quintrel::table {

namespace {

bool isWorkingSlot(int n) { return isBookSlot(n); }
bool isCompletedSlot(int n) { return n >= 1 && n <= kMaxCompletedSlot; }

}  // namespace

void TableState::newcard(const wire::parse::NewCard& m) {
    if (m.seat != roster_.myseat()) return;
    if (createcard(m.pos, m.card)) events_.playsounds("getcard");
    if (draw_ == Draw::Asked && myTurn()) draw_ = Draw::Answered;
    showOwnCount();
}

// The host reports a seat's count only when its turn ends; the own hand is known card by card.
void TableState::showOwnCount() {
    const int me = roster_.myseat();
    if (isSeat(me)) seats_[static_cast<std::size_t>(me)].cardsleft = std::to_string(cards_.size());
}

void TableState::freecard(int pos) {
    if (!isHandSlot(pos)) return;
    cards_.erase(pos);
    movecards(pos);
    // A freed card has left the hand; a selection or a square still naming its slot would
    // offer a card that is gone (or, once the slot is dealt again, another card).
    for (int n = 1; n <= kSquares; ++n) {
        Square& sq = squares_[static_cast<std::size_t>(n)];
        if (!sq.empty() && sq.tag == pos) sq = Square{};
    }
    if (selectedslot_ == pos) clearSelection();
    showOwnCount();
}

void TableState::discard(int card) {
    if (!isCardCode(card)) return;
    discardPicture_ = card;
    discardTag_ = 1;
    if (turnSeen_) events_.playsounds("discard");
}

void TableState::usefoot(int seat) {
    if (!isSeat(seat)) return;
    seats_[static_cast<std::size_t>(seat)].footVisible = false;
    events_.playsounds("getfoot");
}

void TableState::newbook(const wire::parse::NewBook& m) {
    if (!isSeat(m.seat) || !isTeam(m.team) || !isWorkingSlot(m.bookslot) || !isCardCode(m.card) ||
        !isBookKind(m.kind))
        return;
    addWorkingBook(m.team, m.bookslot, m.card, m.kind, 3);
    emptySquares();
    status(seatName(m.seat) + " created a " + kindWord(m.kind) + " " + bookname(m.card) + " book.");
    events_.playsounds("createbook");
}

void TableState::addtobook(const wire::parse::AddToBook& m) {
    if (!isSeat(m.seat) || !isTeam(m.team) || !isWorkingSlot(m.bookslot) || !isBookKind(m.kind)) return;
    auto& books = working_[static_cast<std::size_t>(m.team)];
    auto it = books.find(m.bookslot);
    if (it != books.end()) {
        // The rank stays that of the card the book was created with.
        const int code = it->second.code;
        const std::int64_t z = it->second.z;
        it->second = makeWorkingBook(m.team, m.bookslot, code, m.kind, m.count);
        it->second.z = z;
        status(seatName(m.seat) + " added to the " + bookname(code) + " book.");
    }
    events_.playsounds("placebook");
}

void TableState::completed(const wire::parse::Complete& m) {
    if (!isSeat(m.seat) || !isTeam(m.team) || !isWorkingSlot(m.bookslot) || !isCompletedSlot(m.compslot) ||
        !isCardCode(m.card) || !isBookKind(m.kind))
        return;
    working_[static_cast<std::size_t>(m.team)].erase(m.bookslot);
    addCompletedBook(m.team, m.compslot, m.card, m.kind);
    status(seatName(m.seat) + " completed a " + kindWord(m.kind) + " " + bookname(m.card) + " book.");
    events_.playsounds("createbook");
}

void TableState::addtocomp(const wire::parse::AddToComp& m) {
    if (!isSeat(m.seat) || !isBookKind(m.kind) || !isCardCode(m.card)) return;
    status(seatName(m.seat) + " added to the " + kindWord(m.kind) + " " + bookname(m.card) +
           " completed book.");
    events_.playsounds("placecomplete");
}

void TableState::nobookmatch(int pos) {
    if (!isHandSlot(pos)) return;
    auto it = cards_.find(pos);
    if (it != cards_.end()) it->second.top = kCardTopResting;
    status("That card does not match the book");
}

void TableState::loadbooks(const wire::parse::LoadBooks& m) {
    if (!isTeam(m.team)) return;
    for (const auto& g : m.books)
        if (isWorkingSlot(g.bookslot) && isCardCode(g.card) && isBookKind(g.kind))
            addWorkingBook(m.team, g.bookslot, g.card, g.kind, g.count);
}

void TableState::loadcomp(const wire::parse::LoadComp& m) {
    if (!isTeam(m.team)) return;
    for (const auto& g : m.books)
        if (isCompletedSlot(g.compslot) && isCardCode(g.card) && isBookKind(g.kind))
            addCompletedBook(m.team, g.compslot, g.card, g.kind);
}

void TableState::getnextplayer(const wire::parse::NextPlayer& m) {
    if (!isSeat(m.nextSeat) || (m.previousSeat != 0 && !isSeat(m.previousSeat)) || m.cardsLeft < 0) return;
    // A new turn starts with nothing selected: slot and code go together.
    if (auto it = cards_.find(selectedslot_); it != cards_.end()) it->second.top = kCardTopResting;
    clearSelection();
    watchedUndrawnTurn_ = false;
    draw_ = Draw::None;
    turnSeen_ = true;
    // A turn means a game is running, also for a table that joined it late.
    gameRunning_ = true;
    buttonStart_.visible = false;
    greenArrow_.visible = blueArrow_.visible = false;
    if (m.previousSeat != 0)
        seats_[static_cast<std::size_t>(m.previousSeat)].cardsleft = std::to_string(m.cardsLeft);
    showOwnCount();

    whoseturn_ = m.nextSeat;
    SeatRow& row = seats_[static_cast<std::size_t>(m.nextSeat)];
    row.nameVisible = row.scoreVisible = true;
    turnMarkerTop_ = kSeatRowTop[static_cast<std::size_t>(m.nextSeat)];

    if (m.nextSeat != roster_.myseat()) {
        turnText_ = seatName(m.nextSeat) + "'s turn.";
        buttonDraw_.visible = buttonPickup_.visible = false;
        return;
    }
    turnText_ = "Your Turn.";
    events_.playsounds("turn");
    (teamOf(m.nextSeat) == 1 ? greenArrow_ : blueArrow_).visible = true;
    if (justWatch_) {
        buttonDraw_.visible = buttonPickup_.visible = false;
        watchedUndrawnTurn_ = true;
        return;
    }
    offerDraw();
}

void TableState::offerDraw() {
    buttonPickup_.visible = discardTag_ != 0;
    buttonDraw_.visible = true;
    toFront(buttonDraw_.z);
    toFront(buttonPickup_.z);
}

void TableState::clearTable() {
    for (auto& place : handrow_) place = HandPlace{};
    discardPicture_ = -1;
    discardTag_ = 0;
    cards_.clear();
    for (auto& books : working_) books.clear();
    for (auto& books : completed_) books.clear();
    for (auto& sq : squares_) sq = Square{};
    // The selected card's image is gone with the rest.
    clearSelection();
}

void TableState::startround() {
    for (int team = 1; team <= kTeams; ++team) {
        rwinner_[static_cast<std::size_t>(team)].visible = false;
        winner_[static_cast<std::size_t>(team)].visible = false;
    }
    clearTable();
    draw_ = Draw::None;
    for (int seat = 1; seat <= kSeats; ++seat) {
        SeatRow& row = seats_[static_cast<std::size_t>(seat)];
        row.footVisible = true;
        row.cardsleft = "11";
    }
}

void TableState::startthegame(const wire::parse::StartGame& m) {
    if (m.letter == "t")
        lengthText_ = "Play Full Game";
    else if (m.letter == "h")
        lengthText_ = "Play Half Game";
    else
        lengthText_ = "Play One Round";
    seats_[3].scoreVisible = seats_[4].scoreVisible = true;
    roster_.seatLabel(3).eyesTag = 0;
    roster_.seatLabel(4).eyesTag = 0;
    buttonStart_.visible = false;
    justWatch_ = false;
    watchedUndrawnTurn_ = false;
    draw_ = Draw::None;
    gameRunning_ = true;
    for (int team = 1; team <= kTeams; ++team) {
        rwinner_[static_cast<std::size_t>(team)].visible = false;
        winner_[static_cast<std::size_t>(team)].visible = false;
    }
    notice(m.name == "You" ? std::string("You have started a game.") : m.name + " has started a game.");
    clearTable();
    for (int seat = 1; seat <= kSeats; ++seat) {
        SeatRow& row = seats_[static_cast<std::size_t>(seat)];
        row.footVisible = true;
        row.score = "0";
        row.cardsleft = "11";
        SeatLabel& label = roster_.seatLabel(seat);
        label.eyesShown = false;
        if (label.caption == "<Waiting>") label.caption = label.hint;
    }
    const int me = roster_.myseat();
    if (isSeat(me)) (teamOf(me) == 1 ? greenBar_ : blueBar_).visible = true;
    // The tally's list of opponents, with the computer players now named on the empty seats.
    events_.rosterChanged();
}

void TableState::nobook() { status("This is not a valid book"); }
void TableState::nothree() { status("You can not make a book using THREES"); }
void TableState::notwo() { status("You can not make a book using WILDS"); }
void TableState::toomany() { status("You can only have 9 working books at one time."); }

void TableState::invaliddiscard() {
    status("That is not a valid discard");
    if (isSeat(roster_.myseat())) whoseturn_ = roster_.myseat();
}

void TableState::justwatching(const wire::parse::JustWatching& m) {
    if (!isSeat(m.seat)) return;
    SeatLabel& label = roster_.seatLabel(m.seat);
    const bool mine = m.seat == roster_.myseat();
    if (m.code == 1) {
        if (mine) {
            justWatch_ = true;
            if (myTurn() && buttonDraw_.visible) watchedUndrawnTurn_ = true;
            buttonDraw_.visible = buttonPickup_.visible = false;
        }
        notice(label.caption == "You" ? std::string("You are just watching")
                                      : label.caption + " is just watching");
        label.eyesShown = true;
    } else {
        if (mine) {
            justWatch_ = false;
            // The host leaves a turn the player took back to the player; had the computer
            // played it, the next turn would already have been announced.
            if (watchedUndrawnTurn_ && myTurn()) offerDraw();
            watchedUndrawnTurn_ = false;
        }
        notice(label.caption == "You" ? std::string("You are now playing again")
                                      : label.caption + " now playing again");
        label.eyesShown = false;
    }
}

void TableState::hostingSeatEmpty(bool empty) {
    standIn_ = empty && isSeat(roster_.myseat()) && !ishost_;
    if (!mayStartGames()) {
        buttonStart_.visible = false;
    } else if (!gameRunning_) {
        buttonStart_.visible = true;
        toFront(buttonStart_.z);
    }
}

void TableState::notbots(const std::string& digit) {
    if (digit == "5")
        lengthText_ = "Play to 5000";
    else if (digit == "3")
        lengthText_ = "Play to 3000";
    notice("The Bots are just watching");
    seats_[3].scoreVisible = seats_[4].scoreVisible = false;
    for (int seat : {3, 4}) {
        SeatLabel& label = roster_.seatLabel(seat);
        label.eyesShown = true;
        label.eyesTag = 1;
    }
}

}  // namespace quintrel::table
