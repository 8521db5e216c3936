#pragma once
// EventLog: the game's events as one short line each in the chat log, so a player can follow
// what happened: who drew or picked up, who created or completed which book, who went out,
// and each round's points per team. It reads only the host's messages, so every table tells
// the same story.
//
// The host never says how another seat drew. A pick-up shows as a new top of the discard
// pile before any other play of the turn; the turn's discard shows the same way but ends the
// turn. So the first pile change of a turn is judged by what follows it: another play (a
// meld, its points, a second pile change) makes it a pick-up, the turn's end a discard after
// a draw of two.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "table/client_session.h"
#include "table/table_roster.h"

namespace quintrel::table {

// Grey: the log must not drown the players' own lines.
constexpr std::uint32_t kColourQuiet = 0x808080;

// "the Seven of Hearts", "a Joker"; empty for a code that names no card.
std::string cardName(int code);

class EventLog final : public GameView {
public:
    EventLog(ClientEvents& events, TableRoster& roster) : events_(events), roster_(roster) {}

    // Options > "Game Events in Chat". Off, it still follows the game, so turning it on again
    // mid-turn tells no wrong story.
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }

    void startthegame(const wire::parse::StartGame&) override;
    void startround() override;
    void getnextplayer(const wire::parse::NextPlayer& m) override;
    void discard(int card) override;
    void newbook(const wire::parse::NewBook& m) override;
    void addtobook(const wire::parse::AddToBook&) override { played(); }
    void completed(const wire::parse::Complete& m) override;
    void addtocomp(const wire::parse::AddToComp&) override { played(); }
    void usefoot(int) override { turnEnded(false); }
    void postscores(const wire::parse::PostScores& m) override;
    void rwinner(int) override { roundEnded(); }
    void winner(const wire::parse::Winner&) override { roundEnded(); }

private:
    enum class Turn {
        None,        // no turn known, or its draw is told already
        Started,     // nothing seen of the turn yet
        PileChanged  // one new top of the pile: a pick-up or the turn's discard
    };
    struct Scored {
        int seat = 0;
        int points = 0;
        std::optional<int> rise;  // how much the team's total rose with it
    };

    void line(const std::string& text);
    std::string seatName(int seat) const;
    void played();                   // a play other than the pile's: the draw came before it
    void turnEnded(bool roundOver);  // the turn is over: its one pile change was the discard
    void tellDraw(bool pickedUp);
    void roundEnded();
    void resetRound();

    ClientEvents& events_;
    TableRoster& roster_;
    bool enabled_ = true;

    int turnSeat_ = 0;
    Turn turn_ = Turn::None;
    // A table that joined during a round hears the turn in progress in the catch-up, with the
    // pile after it: that turn is not judged.
    bool followsTurns_ = false;
    int pileTop_ = -1;  // -1 unknown (a late join), 0 empty
    int pickedCard_ = -1;
    std::array<std::optional<int>, 3> score_{};      // [team]: the total as last announced
    std::array<std::optional<int>, 3> roundBase_{};  // [team]: the total when the round began
    std::array<Scored, kSeats> lastScored_{};        // the last four announcements, oldest first
};

}  // namespace quintrel::table
