// Game and round lifecycle: start, deal, turn order, foot, going out, round and game end,
// and the pacing timer.


#include "engine/delivery.h"
#include "engine/engine.h"
#include "engine/scoring.h"
#include "net/wire.h"

namespace quintrel {

// Every line is built on the stack: the engine sends thousands a second.
namespace out = wire::toclient;
using wire::Line;

Engine::Engine(HostState& state, Outbox& outbox, RandomSource& random)
    : state_(state), outbox_(outbox), random_(random), deck_(random) {}

void Engine::sendToAll(std::string_view line) { quintrel::sendToAll(state_, outbox_, line); }
void Engine::sendToOne(int slot, std::string_view line) { quintrel::sendToOne(state_, outbox_, slot, line); }

bool Engine::computerPlayed(int seat) const {
    const tplayer& p = state_.players[seat];
    // A connection that has not logged in yet holds nobody who could play.
    return !p.connected || !p.loggedin || p.watching;
}

bool Engine::mayPlay(int seat) const {
    return state_.gamestarted && !state_.roundover && isSeat(seat) && seat == state_.turnseat;
}

// A table that hides its draw button for any other reason (Just Watch) must not skip the draw.
bool Engine::mayMeld(int seat) const { return mayPlay(seat) && state_.drawn; }

int Engine::handCount(int seat) const {
    int count = 0;
    for (int card : state_.players[seat].hand) count += card != kNoCard;
    return count;
}

void Engine::resetBooks() {
    for (int team = 1; team <= kTeams; ++team) {
        state_.books[team].fill(BookEntry{});
        state_.completedbooks[team].fill(BookEntry{});
        state_.completedcount[team] = 0;
        bookIndex_[team] = BookIndex();
    }
}

void Engine::setHandCard(int seat, int slot, int card) {
    state_.players[seat].hand[slot] = card;
    handIndex_[seat].set(slot, card);
}

void Engine::clearHand(int seat) {
    state_.players[seat].hand.fill(kNoCard);
    handIndex_[seat] = HandIndex();
}

void Engine::bookChanged(int team, int entry) { bookIndex_[team].set(entry, state_.books[team][entry]); }

void Engine::refreshIndexes(int seat) {
    const Hand& hand = state_.players[seat].hand;
    if (!handIndex_[seat].mirrors(hand)) handIndex_[seat] = HandIndex(hand);
    const int team = teamOf(seat);
    if (!bookIndex_[team].mirrors(state_.books[team])) bookIndex_[team] = BookIndex(state_.books[team]);
}

void Engine::deal() {
    for (int part = 1; part <= 2; ++part) {
        for (int slot = 0; slot < kDealtCards; ++slot) {
            for (int seat = 1; seat <= kSeats; ++seat) {
                getcard(seat, slot, part);
                if (state_.roundover) return;  // the shoe ran dry: the round is already over
            }
        }
    }
    findplayer();
}

void Engine::startgame(const wire::parse::StartGameRequest& request) {
    // Whatever the old game had pending must not fire into this one.
    state_.pacing.enabled = false;
    state_.pacing.tag = PacingTag::Idle;
    state_.botticks = 0;
    state_.turnseat = 0;
    state_.roundover = false;
    state_.drawn = false;

    if (request.letter == "t") {
        state_.playtotarget = true;
        state_.targetscore = 10000;
    } else if (request.letter == "h") {
        state_.playtotarget = true;
        state_.targetscore = 5000;
    } else {
        state_.playtotarget = false;
    }
    state_.gamestarted = true;
    state_.discardbelow = kNoCard;
    state_.discardtop = kNoCard;
    sendToAll(out::startgame<Line>(request.name, request.letter));
    deck_.fillshoe();
    resetBooks();
    for (int seat = 1; seat <= kSeats; ++seat) {
        tplayer& p = state_.players[seat];
        p.team = teamOf(seat);
        p.score = 0;
        p.usefoot = false;
        p.watching = false;
        clearHand(seat);
        p.foot.fill(kNoCard);
    }
    deal();
}

void Engine::settourney(const wire::parse::SetTourney& request) {
    state_.botswatch = request.botsWatch;
    if (!state_.botswatch) return;
    if (request.digit == "5") {
        state_.targetscore = 5000;
        state_.playtotarget = true;
    } else if (request.digit == "3") {
        state_.targetscore = 3000;
        state_.playtotarget = true;
    }
    sendToAll(out::nobots<Line>(request.digit));
    for (int seat = 3; seat <= kSeats; ++seat) {
        state_.players[seat].watching = true;
        sendToAll(out::justwatching<Line>(seat, 1));
    }
}

void Engine::justwatch(const wire::parse::JustWatch& request) {
    const int seat = request.seat;
    if (!isSeat(seat)) return;
    tplayer& p = state_.players[seat];
    if (!p.connected) return;
    if (request.code == 2) {
        if (state_.botswatch && seat >= 3) return;
        p.watching = false;
        sendToAll(out::justwatching<Line>(seat, 2));
    } else if (request.code == 1) {
        p.watching = true;
        sendToAll(out::justwatching<Line>(seat, 1));
        if (mayPlay(seat)) restartPacing();
    }
}

void Engine::computerTakesTurn() {
    state_.pacing.tag = PacingTag::ComputerTurnPending;
    restartPacing();
}

void Engine::restartPacing() {
    state_.pacing.interval = state_.botdelay;
    state_.pacing.enabled = true;
}

void Engine::startnewround() {
    state_.discardbelow = kNoCard;
    state_.discardtop = kNoCard;
    sendToAll(out::startround<Line>());
    deck_.fillshoe();
    resetBooks();
    for (int seat = 1; seat <= kSeats; ++seat) {
        tplayer& p = state_.players[seat];
        p.usefoot = false;
        clearHand(seat);
        p.foot.fill(kNoCard);
    }
    state_.roundover = false;
    deal();
}

void Engine::findplayer() {
    const int previous = state_.turnseat;
    const bool seated = isSeat(previous);
    if (seated && checkforwin(previous)) return;
    const int cardsleft = seated ? handCount(previous) : 0;
    const int lastSeat = state_.botswatch ? 2 : 4;
    int next = previous + 1;
    if (next > lastSeat) next = 1;
    state_.turnseat = next;
    state_.drawn = false;
    // Spectators follow the turns too; a turn is never theirs.
    sendToAll(out::nextplayer<Line>(previous, cardsleft, next));
    state_.pacing.interval = state_.botdelay;
    state_.pacing.tag = PacingTag::ComputerTurnPending;
    if (computerPlayed(next)) {
        state_.botticks = 0;
        state_.pacing.enabled = true;
    }
}

void Engine::checkforfoot(int seat, bool endofturn) {
    tplayer& p = state_.players[seat];
    bool held = handCount(seat) > 0;
    if (!held && !p.usefoot) {
        p.usefoot = true;
        held = true;
        for (int slot = 0; slot < kHandSlots; ++slot) {
            const int card = p.foot[slot];
            setHandCard(seat, slot, card);
            p.foot[slot] = kNoCard;
            if (card != kNoCard) sendToOne(seat, out::newcard<Line>, seat, slot, card);
        }
        sendToAll(out::usefoot<Line>(seat));
    }
    if (!held || endofturn) findplayer();
}

bool Engine::checkforwin(int seat) {
    const tplayer& p = state_.players[seat];
    if (handCount(seat) > 0) return false;
    const int partner = partnerOf(seat);
    if (state_.botswatch) {
        if (!p.usefoot) return false;
    } else {
        if (handCount(partner) > 0 || !p.usefoot || !state_.players[partner].usefoot) return false;
    }
    state_.players[seat].score += kGoingOutBonus;
    state_.players[partner].score = state_.players[seat].score;
    postwinner(seat);
    return true;
}

void Engine::postwinner(int seat) {
    if (!state_.gamestarted) return;
    state_.pacing.enabled = false;
    state_.roundover = true;
    for (int i = 1; i <= kSeats; ++i) {
        const int penalty = (state_.botswatch && i >= 3) ? 0 : roundPenalty(i);
        addPoints(i, penalty);
    }
    state_.pacing.tag = PacingTag::NewRoundPending;
    const int score1 = state_.players[1].score;
    const int score2 = state_.players[2].score;
    if (state_.playtotarget && score1 < state_.targetscore && score2 < state_.targetscore) {
        sendToAll(out::rwinner<Line>(teamOf(seat)));
        state_.botticks = 0;
        state_.pacing.interval = state_.botdelay;
        state_.pacing.enabled = true;
        return;
    }
    int winner = 0;
    Line text;
    if (score1 == score2) {
        text += "No One";
    } else {
        winner = score2 < score1 ? 1 : 2;
        text += state_.players[winner].name;
        text += " and ";
        text += state_.players[winner + 2].name;
    }
    state_.gamestarted = false;
    state_.turnseat = 0;
    // No new round is pending once the game is over.
    state_.pacing.tag = PacingTag::Idle;
    sendToAll(out::winner<Line>(winner, text));
}

void Engine::pacingTick() {
    PacingTimer& timer = state_.pacing;
    if (!timer.enabled || timer.interval <= 0) return;
    ++state_.botticks;
    if (state_.botticks >= kComputerTurnTicks && timer.tag == PacingTag::ComputerTurnPending) {
        timer.enabled = false;
        const int seat = state_.turnseat;
        // The seat's person may have taken it back since the turn began; the turn then
        // stays pending, so that watching again hands it to the computer once more.
        if (mayPlay(seat) && computerPlayed(seat)) {
            timer.tag = PacingTag::Idle;
            // A turn taken over after its draw goes on from there: no second draw.
            if (state_.drawn)
                botPlay(seat);
            else
                botDraw(seat);
        }
    } else if (state_.botticks >= kNewRoundTicks && timer.tag == PacingTag::NewRoundPending) {
        timer.tag = PacingTag::Idle;
        timer.enabled = false;
        if (state_.gamestarted) startnewround();
    }
}

}  // namespace quintrel
