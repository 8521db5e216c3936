// Scores: every change goes on the acting seat's record, is copied to the partner's and is
// announced to everybody.

#include "engine/engine.h"
#include "engine/scoring.h"
#include "net/wire.h"

namespace quintrel {

namespace out = wire::toclient;
using wire::Line;

void Engine::addPoints(int seat, int points) {
    const int partner = partnerOf(seat);
    state_.players[seat].score += points;
    state_.players[partner].score = state_.players[seat].score;
    sendToAll(out::postscores<Line>(state_.players[seat].score, points, seat, partner));
}

void Engine::addscore(int seat, int card) { addPoints(seat, meldValue(card)); }

int Engine::roundPenalty(int seat) const {
    const tplayer& p = state_.players[seat];
    int penalty = 0;
    for (int slot = 0; slot < kHandSlots; ++slot) {
        penalty += penaltyValue(p.hand[slot]) + penaltyValue(p.foot[slot]);
    }
    return penalty;
}

}  // namespace quintrel
