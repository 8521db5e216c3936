#include "engine/thedeck.h"

namespace quintrel {

void thedeck::fillshoe() {
    shoe_.fill(kNoCard);
    for (int code = 1; code <= 54; ++code) {
        for (int copy = 0; copy < 5; ++copy) {
            int slot;
            do {
                slot = random_.random(kShoeSlots) + 1;
            } while (shoe_[slot] != kNoCard);
            shoe_[slot] = code;
        }
    }
    cards_ = kShoeSlots;
}

int thedeck::drawcard() {
    int slot = 1;
    for (int probe = 0; probe < 269; ++probe) {
        slot = random_.random(kShoeSlots) + 1;
        if (shoe_[slot] != kNoCard) break;
    }
    const int card = shoe_[slot];
    shoe_[slot] = kNoCard;
    if (card != kNoCard) --cards_;
    return card;
}

bool thedeck::returncard(int card) {
    if (card == kNoCard) return true;
    if (cards_ >= kShoeSlots) return false;
    int slot;
    do {
        slot = random_.random(kShoeSlots) + 1;
    } while (shoe_[slot] != kNoCard);
    shoe_[slot] = card;
    ++cards_;
    return true;
}

void thedeck::setShoe(const Slots& slots) {
    shoe_ = slots;
    shoe_[0] = kNoCard;
    cards_ = 0;
    for (int slot = 1; slot <= kShoeSlots; ++slot) {
        if (shoe_[slot] != kNoCard) ++cards_;
    }
}

}  // namespace quintrel
