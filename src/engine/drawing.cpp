// Drawing from the shoe or the discard pile, and discarding.

#include "engine/engine.h"
#include "net/wire.h"

namespace quintrel {

namespace out = wire::toclient;
using wire::Line;

int Engine::lowestFreeDrawSlot(int seat) const {
    const auto& hand = state_.players[seat].hand;
    for (int slot = 0; slot <= kLastDrawSlot; ++slot) {
        if (hand[slot] == kNoCard) return slot;
    }
    return -1;
}

void Engine::getcard(int seat, int slot, int part) {
    if (slot < 0 || slot > kLastDrawSlot || !isSeat(seat)) return;
    const int card = normalisedCard(deck_.drawcard());
    if (part == 1) {
        setHandCard(seat, slot, card);
    } else {
        state_.players[seat].foot[slot] = card;
    }
    if (card == kNoCard) {
        postwinner(seat);
        return;
    }
    if (part == 1) sendToOne(seat, out::newcard<Line>, seat, slot, card);
}

void Engine::drawing(const wire::parse::Drawing& request) {
    const int seat = request.seat;
    const int choice = request.source;
    if (!mayPlay(seat)) return;
    state_.drawn = true;
    if (choice == 2 && state_.discardtop != kNoCard) {
        // With no free slot nothing is taken, but the turn goes on: a computer player
        // still melds and discards, a person may do the same.
        const int slot = lowestFreeDrawSlot(seat);
        if (slot >= 0) {
            const int card = state_.discardtop;
            setHandCard(seat, slot, card);
            state_.discardtop = state_.discardbelow;
            sendToOne(seat, out::newcard<Line>, seat, slot, card);
            sendToAll(out::discard<Line>(state_.discardtop));
        }
    } else {
        for (int draw = 0; draw < 2; ++draw) {
            const int slot = lowestFreeDrawSlot(seat);
            if (slot < 0) continue;
            getcard(seat, slot, 1);
            if (state_.roundover || !state_.gamestarted) return;
        }
    }
    if (computerPlayed(seat)) botPlay(seat);
}

void Engine::discard(const wire::parse::DiscardRequest& request) {
    const int seat = request.seat;
    const int slot = request.pos;
    if (!mayMeld(seat) || !isHandSlot(slot)) return;
    tplayer& p = state_.players[seat];
    const int card = p.hand[slot];
    if (card == kNoCard) {
        if (computerPlayed(seat)) {
            findplayer();
        } else {
            sendToOne(seat, out::invaliddiscard<Line>);
        }
        return;
    }
    state_.discardbelow = state_.discardtop;
    state_.discardtop = card;
    setHandCard(seat, slot, kNoCard);
    deck_.returncard(state_.discardbelow);
    sendToOne(seat, out::freecard<Line>, slot);
    sendToAll(out::discard<Line>(state_.discardtop));
    checkforfoot(seat, true);
}

}  // namespace quintrel
