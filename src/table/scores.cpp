// Scores, the end of a round and of the game.

#include "table/table_state.h"

namespace quintrel::table {

void TableState::postscores(const wire::parse::PostScores& m) {
    if (!isSeat(m.seat) || !isSeat(m.partner)) return;
    const std::string score = std::to_string(m.teamScore);
    for (int seat : {m.seat, m.partner}) {
        seats_[static_cast<std::size_t>(seat)].score = score;
        SeatLabel& label = roster_.seatLabel(seat);
        if (label.caption == "<Waiting>") label.caption = label.hint;
    }
}

namespace {

// The seat that went out: the turn seat, or this player after their own last discard.
int seatThatWentOut(int whoseturn, int myseat) { return whoseturn != 0 ? whoseturn : myseat; }

}  // namespace

void TableState::rwinner(int team) {
    // A spectator's own slot is no seat and has no card count to show.
    const int out = seatThatWentOut(whoseturn_, roster_.myseat());
    if (isSeat(out)) seats_[static_cast<std::size_t>(out)].cardsleft = "0";
    events_.playsounds("winner");
    if (isTeam(team)) {
        Shown& picture = rwinner_[static_cast<std::size_t>(team)];
        toFront(picture.z);
        picture.visible = true;
    }
    notice("The next round will start soon..");
    // Nothing can be played in the pause before the next round, and nothing may say so.
    clearTurnDisplay();
    showOwnCount();
}

void TableState::winner(const wire::parse::Winner& m) {
    const int out = seatThatWentOut(whoseturn_, roster_.myseat());
    if (isSeat(out)) seats_[static_cast<std::size_t>(out)].cardsleft = "0";
    events_.playsounds("winner");
    if (isTeam(m.team)) {
        Shown& picture = winner_[static_cast<std::size_t>(m.team)];
        toFront(picture.z);
        picture.visible = true;
    }
    if (m.text != "No One") {
        notice(m.text + " have Won the Game!");
        if (onGameWon) onGameWon(m.text);
    } else {
        notice("The Game Ended in a Tie");
    }
    gameRunning_ = false;
    if (mayStartGames()) {
        buttonStart_.visible = true;
        toFront(buttonStart_.z);
    }
    clearTurnDisplay();
    showOwnCount();
}

void TableState::clearTurnDisplay() {
    whoseturn_ = 0;
    watchedUndrawnTurn_ = false;
    turnText_.clear();
    turnMarkerTop_ = -1;
    greenArrow_.visible = blueArrow_.visible = false;
    buttonDraw_.visible = buttonPickup_.visible = false;
}

}  // namespace quintrel::table
