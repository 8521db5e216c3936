#pragma once
// What the table reads from the connection: who this player is and the seat name labels.
// The session owns these; the table only reads them (and, for the labels, writes the
// captions and eyes the game messages change).

#include "table/client_session.h"

namespace quintrel::table {

class TableRoster {
public:
    virtual ~TableRoster() = default;
    virtual int myseat() const = 0;  // 0 before login, 1..4 seated, 5..9 watching
    virtual bool loggedin() const = 0;
    virtual SeatLabel& seatLabel(int seat) = 0;  // 1..4
};

// The roster of a live ClientSession. The session is constructed after the table (it needs
// the table as its GameView), so it is attached afterwards.
class SessionRoster final : public TableRoster {
public:
    void attach(ClientSession& session) { session_ = &session; }
    int myseat() const override { return session_ ? session_->myseat() : 0; }
    bool loggedin() const override { return session_ && session_->loggedin(); }
    SeatLabel& seatLabel(int seat) override {
        return session_ ? session_->seat(seat) : detached_[static_cast<std::size_t>(seat - 1)];
    }

private:
    ClientSession* session_ = nullptr;
    std::array<SeatLabel, kSeats> detached_{};
};

}  // namespace quintrel::table
