#pragma once
// Point values of cards and books.

#include "engine/thedeck.h"

namespace quintrel {

constexpr int kNormalBookBonus = 500;
constexpr int kWildBookBonus = 300;
constexpr int kGoingOutBonus = 200;

// Points a card scores when melded (0 for no card; threes are never melded).
constexpr int meldValue(int card) {
    if (card == kNoCard) return 0;
    const int rank = rankOf(card);
    if (rank == 2) return 50;
    if (rank == 0 || rank == 1 || rank == 11 || rank == 12) return 20;
    if (rank == 3) return 0;
    return 10;
}

// Points a card costs when left in a hand or foot at round end (negative).
constexpr int penaltyValue(int card) {
    if (card == kNoCard) return 0;
    if (rankOf(card) == 3) return -100;
    return -meldValue(card);
}

}  // namespace quintrel
