// Construction, queries and the small helpers the handlers share.

#include "table/table_state.h"

#include <stdexcept>

#include "table/book_layout.h"

namespace quintrel::table {

TableState::TableState(ClientEvents& events, TableRoster& roster) : events_(events), roster_(roster) {}

void TableState::setIshost(bool ishost) {
    ishost_ = ishost;
    buttonStart_.visible = ishost;
}

const HandPlace& TableState::handrow(int place) const {
    if (place < 1 || place > kHandPlaces) throw std::out_of_range("hand place");
    return handrow_[static_cast<std::size_t>(place)];
}

const Square& TableState::square(int n) const {
    if (n < 1 || n > kSquares) throw std::out_of_range("create-book square");
    return squares_[static_cast<std::size_t>(n)];
}

const CardImage* TableState::card(int slot) const {
    auto it = cards_.find(slot);
    return it == cards_.end() ? nullptr : &it->second;
}

const std::map<int, WorkingBook>& TableState::workingBooks(int team) const {
    if (!isTeam(team)) throw std::out_of_range("team");
    return working_[static_cast<std::size_t>(team)];
}

const std::map<int, CompletedBook>& TableState::completedBooks(int team) const {
    if (!isTeam(team)) throw std::out_of_range("team");
    return completed_[static_cast<std::size_t>(team)];
}

const SeatRow& TableState::seatRow(int seat) const {
    if (!isSeat(seat)) throw std::out_of_range("seat");
    return seats_[static_cast<std::size_t>(seat)];
}

const Shown& TableState::roundWinner(int team) const {
    if (!isTeam(team)) throw std::out_of_range("team");
    return rwinner_[static_cast<std::size_t>(team)];
}

const Shown& TableState::gameWinner(int team) const {
    if (!isTeam(team)) throw std::out_of_range("team");
    return winner_[static_cast<std::size_t>(team)];
}

// Own turn is decided by seat number: names can repeat and the host may have cleaned them.
bool TableState::myTurn() const {
    const int seat = roster_.myseat();
    return isSeat(seat) && whoseturn_ == seat;
}

// While the seat watches, the computer plays it: the table asks for nothing.
bool TableState::myTurnDrawn() const { return myTurn() && draw_ == Draw::Answered && !justWatch_; }

std::string TableState::seatName(int seat) const {
    return isSeat(seat) ? roster_.seatLabel(seat).caption : std::string();
}

void TableState::notice(const std::string& text) { events_.addlinetochat(text, kColourBlue); }

void TableState::clearSelection() {
    selectedslot_ = -1;
    selectedcode_.clear();
}

void TableState::sendIfLoggedIn(const std::string& line) {
    if (roster_.loggedin()) events_.sendToHost(line);
}

bool TableState::checkforbook(int rank, int team) const {
    if (!isTeam(team)) return false;
    for (const auto& [slot, book] : working_[static_cast<std::size_t>(team)])
        if (book.code % 13 == rank) return true;
    return false;
}

void TableState::addWorkingBook(int team, int slot, int code, int kind, int count) {
    WorkingBook book = makeWorkingBook(team, slot, code, kind, count);
    toFront(book.z);
    working_[static_cast<std::size_t>(team)][slot] = std::move(book);
}

void TableState::addCompletedBook(int team, int slot, int code, int kind) {
    CompletedBook book = makeCompletedBook(team, slot, code, kind);
    toFront(book.z);
    completed_[static_cast<std::size_t>(team)][slot] = std::move(book);
}

}  // namespace quintrel::table
