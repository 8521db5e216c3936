// Drawing from the shoe or the discard pile, and discarding.

#include "engine/engine.h"
#include "net/wire.h"

namespace quintrel {

int Engine::lowestFreeDrawSlot(int seat) const {
    const auto& hand = state_.players[seat].hand;
    for (int slot = 0; slot <= kLastDrawSlot; ++slot) {
        if (hand[slot] == kNoCard) return slot;
    }
    return -1;
}

void Engine::getcard(int seat, int slot, int part) {
    if (slot < 0 || slot > kLastDrawSlot || !isSeat(seat)) return;
    tplayer& p = state_.players[seat];
    auto& cards = part == 1 ? p.hand : p.foot;
    const int card = deck_.drawcard();
    if (card == kNoCard) {
        cards[slot] = kNoCard;
        postwinner(seat);
        return;
    }
    cards[slot] = normalisedCard(card);
    if (part == 1) sendToOne(seat, wire::toclient::newcard(seat, slot, cards[slot]));
}

void Engine::drawing(const wire::parse::Drawing& request) {
    const int seat = request.seat;
    const int choice = request.source;
    if (!mayPlay(seat)) return;
    state_.drawn = true;
    tplayer& p = state_.players[seat];
    if (choice == 2 && state_.discardtop != kNoCard) {
        // With no free slot nothing is taken, but the turn goes on: a computer player
        // still melds and discards, a person may do the same.
        const int slot = lowestFreeDrawSlot(seat);
        if (slot >= 0) {
            const int card = state_.discardtop;
            p.hand[slot] = card;
            state_.discardtop = state_.discardbelow;
            sendToOne(seat, wire::toclient::newcard(seat, slot, card));
            sendToAll(wire::toclient::discard(state_.discardtop));
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
            sendToOne(seat, wire::toclient::invaliddiscard());
        }
        return;
    }
    state_.discardbelow = state_.discardtop;
    state_.discardtop = card;
    p.hand[slot] = kNoCard;
    deck_.returncard(state_.discardbelow);
    sendToOne(seat, wire::toclient::freecard(slot));
    sendToAll(wire::toclient::discard(state_.discardtop));
    checkforfoot(seat, true);
}

}  // namespace quintrel
