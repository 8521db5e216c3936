#pragma once
// The authoritative game: deal, turns, books, drawing and discarding, scoring, round and
// game end, the pacing timer and the computer players. It works on the host's state and
// answers through the Outbox; it owns no connection, no clock and no thread.
//
// Request handlers take a request parsed once by the host (or built by a computer player):
// a play that names a field out of range or comes from a seat that does not have the turn
// is dropped without a reply, whoever sent it.

#include <array>
#include <string_view>

#include "engine/delivery.h"
#include "engine/hand_index.h"
#include "engine/host_state.h"
#include "engine/outbox.h"
#include "engine/thedeck.h"
#include "net/bot_level.h"
#include "net/wire.h"

namespace quintrel {

class Engine {
public:
    Engine(HostState& state, Outbox& outbox, RandomSource& random);

    // ---- requests
    void startgame(const wire::parse::StartGameRequest& request);
    void settourney(const wire::parse::SetTourney& request);
    void justwatch(const wire::parse::JustWatch& request);
    void createbook(const wire::parse::CreateBook& request);
    void addtobook(const wire::parse::AddToBookRequest& request);
    void addtocomp(const wire::parse::AddToCompRequest& request);
    void drawing(const wire::parse::Drawing& request);
    void discard(const wire::parse::DiscardRequest& request);

    // ---- the pacing timer (Timer1): call on every tick the transport fires
    void pacingTick();
    // The person holding the current turn has left: the computer plays it on the timer.
    void computerTakesTurn();

    // ---- operations
    void findplayer();
    void postwinner(int seat);
    void getcard(int seat, int slot, int part);

    // ---- computer players: the draw, then the melds and the discard
    void computerdraw(int seat);
    void computerplay(int seat);
    // The same two steps by the seat's level: Standard above, or the Expert player.
    void botDraw(int seat);
    void botPlay(int seat);
    void setBotLevel(int seat, BotLevel level);
    BotLevel botLevel(int seat) const;

    thedeck& deck() { return deck_; }
    const HostState& state() const { return state_; }
    // What the computer players read: a seat's hand and a team's working books by rank.
    const HandIndex& handIndex(int seat) const { return handIndex_[seat]; }
    const BookIndex& bookIndex(int team) const { return bookIndex_[team]; }

private:
    void createcomplete(int seat, int entry, int card);
    void checkforfoot(int seat, bool endofturn);
    bool checkforwin(int seat);
    void startnewround();
    // Start the timer so the computer plays the current turn (its person just watches).
    void restartPacing();
    bool computerPlayed(int seat) const;

    // Play requests count only from the seat with the turn, during a round; melds and the
    // discard only once it has drawn.
    bool mayPlay(int seat) const;
    bool mayMeld(int seat) const;
    void resetBooks();
    void deal();
    void addscore(int seat, int card);
    void addPoints(int seat, int points);
    int roundPenalty(int seat) const;
    int handCount(int seat) const;
    int lowestFreeDrawSlot(int seat) const;

    // Every change the engine makes to a hand or to a working book goes through these,
    // which keep the computer players' indexes up to date.
    void setHandCard(int seat, int slot, int card);
    void clearHand(int seat);
    void bookChanged(int team, int entry);
    // Makes the seat's hand index and its team's book index again if something outside the
    // engine changed the hand or the books; a computer turn starts with this.
    void refreshIndexes(int seat);

    void sendToAll(std::string_view line);
    void sendToOne(int slot, std::string_view line);
    // Builds the line, build(fields...), only for a connected slot: a computer's seat has none.
    template <typename Build, typename... Fields>
    void sendToOne(int slot, Build build, const Fields&... fields) {
        if (reaches(state_, slot)) outbox_.send(slot, build(fields...));
    }

    // Computer player steps (computer_player.cpp).
    void checkforaddtobooks(int seat);
    void checkforaddtocomp(int seat);
    void checkforcreatebooks(int seat);
    void checkforcreatebooksww(int seat);
    void checkfordiscard(int seat);
    bool checkforallwilds(int seat) const;

    HostState& state_;
    Outbox& outbox_;
    RandomSource& random_;
    thedeck deck_;
    std::array<HandIndex, kSeats + 1> handIndex_{};  // [seat 1..4]
    std::array<BookIndex, kTeams + 1> bookIndex_{};  // [team 1..2]
    std::array<BotLevel, kSeats + 1> botLevels_{};
};

}  // namespace quintrel
