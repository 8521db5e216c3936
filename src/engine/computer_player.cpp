// Computer players. A computer turn looks only at the seat's hand, its team's books and
// the top of the pile, and makes the same requests a table sends, through the same
// handlers and checks.

#include <array>

#include "engine/engine.h"
#include "net/wire.h"

namespace quintrel {
namespace {

using Hand = std::array<int, kHandSlots>;

struct HandCounts {
    int singles = 0;
    int pairs = 0;
    int wilds = 0;
};

HandCounts analyse(const Hand& hand) {
    std::array<int, 13> perRank{};
    HandCounts counts;
    for (int card : hand) {
        if (card == kNoCard) continue;
        if (isWild(card)) {
            ++counts.wilds;
        } else {
            ++perRank[rankOf(card)];
        }
    }
    for (int card : hand) {
        if (!isNatural(card)) continue;
        if (isThree(card) || perRank[rankOf(card)] == 1) ++counts.singles;
    }
    for (int rank = 0; rank < 13; ++rank) {
        if (rank == 2 || rank == 3) continue;
        counts.pairs += perRank[rank] * (perRank[rank] - 1) / 2;
    }
    return counts;
}

bool sameRank(int a, int b) { return a != kNoCard && b != kNoCard && rankOf(a) == rankOf(b); }

// Where each rank's books are, rebuilt after every request a step makes (a request may
// open, extend or complete a book).
struct BookIndex {
    std::array<int, 13> firstInUseOfRank{};  // working entry in use, 0 = none
    std::array<bool, 13> entryOfRank{};      // any entry, freed ones included, has this rank
    int firstWildInUse = 0;
    int firstInUse = 0;

    explicit BookIndex(const TeamBooks& books) {
        for (int e = kBookSlots; e >= 1; --e) {
            const BookEntry& b = books[e];
            if (b.card != kNoCard) entryOfRank[rankOf(b.card)] = true;
            if (b.count <= 0) continue;
            firstInUse = e;
            if (b.kind == BookKind::Wild) firstWildInUse = e;
            if (b.card != kNoCard) firstInUseOfRank[rankOf(b.card)] = e;
        }
    }
};

int naturalsIn(const Hand& hand) {
    int naturals = 0;
    for (int card : hand) naturals += isNatural(card);
    return naturals;
}

}  // namespace

void Engine::computerdraw(int seat) {
    if (!mayPlay(seat)) return;
    const int top = state_.discardtop;
    bool take = false;
    if (top != kNoCard && !isThree(top)) {
        const Hand& hand = state_.players[seat].hand;
        const HandCounts c = analyse(hand);
        int ofRank = 0;
        for (int card : hand) ofRank += sameRank(card, top);
        const bool fewPairs = c.singles == 1 && c.pairs <= c.wilds;
        const int team = teamOf(seat);
        bool workingBook = false;
        for (int e = 1; e <= kBookSlots; ++e) {
            const BookEntry& b = state_.books[team][e];
            if (sameRank(b.card, top) && (b.count > 4 || fewPairs)) workingBook = true;
        }
        bool completedBook = false;
        for (int n = 1; n <= state_.completedcount[team]; ++n) {
            if (sameRank(state_.completedbooks[team][n].card, top) && fewPairs) completedBook = true;
        }
        take = (ofRank >= 1 && ((c.singles > 3 && c.wilds >= c.pairs) || ofRank >= 2)) || workingBook ||
               completedBook;
    }
    drawing(wire::parse::Drawing{seat, take ? 2 : 1});
}

void Engine::computerplay(int seat) {
    if (!mayPlay(seat)) return;
    checkforaddtobooks(seat);
    checkforaddtocomp(seat);
    checkforcreatebooks(seat);
    checkforcreatebooksww(seat);
    checkforaddtobooks(seat);
    checkfordiscard(seat);
}

bool Engine::checkforallwilds(int seat) const { return naturalsIn(state_.players[seat].hand) <= 1; }

void Engine::checkforaddtobooks(int seat) {
    const Hand copy = state_.players[seat].hand;
    const TeamBooks& books = state_.books[teamOf(seat)];
    BookIndex index(books);
    bool allWilds = checkforallwilds(seat);
    for (int slot = 0; slot < kHandSlots; ++slot) {
        const int card = copy[slot];
        if (card == kNoCard || isThree(card)) continue;
        int target = 0;
        if (isWild(card)) {
            if (!allWilds) continue;
            target = index.firstWildInUse != 0 ? index.firstWildInUse : index.firstInUse;
        } else {
            target = index.firstInUseOfRank[rankOf(card)];
        }
        if (target == 0) continue;
        addtobook(wire::parse::AddToBookRequest{seat, slot, target});
        index = BookIndex(books);
        allWilds = checkforallwilds(seat);
    }
}

void Engine::checkforaddtocomp(int seat) {
    const Hand copy = state_.players[seat].hand;
    const int team = teamOf(seat);
    const TeamBooks& completed = state_.completedbooks[team];
    for (int slot = 0; slot < kHandSlots; ++slot) {
        const int card = copy[slot];
        if (card == kNoCard || isThree(card)) continue;
        const bool wild = isWild(card);
        if (wild && !checkforallwilds(seat)) continue;
        int target = 0;
        for (int n = 1; n <= state_.completedcount[team] && target == 0; ++n) {
            if (wild ? completed[n].kind == BookKind::Wild : sameRank(completed[n].card, card)) target = n;
        }
        if (target != 0) addtocomp(wire::parse::AddToCompRequest{seat, slot, target});
    }
}

void Engine::checkforcreatebooks(int seat) {
    Hand copy = state_.players[seat].hand;
    const TeamBooks& books = state_.books[teamOf(seat)];
    BookIndex index(books);
    bool created = false;
    for (int i = 0; i < kHandSlots; ++i) {
        const int card = copy[i];
        if (!isNatural(card) || isThree(card) || index.entryOfRank[rankOf(card)]) continue;
        int first = -1;
        int last = -1;
        int found = 0;
        // Earlier slots count too: a new book may take over a freed entry and so free the
        // rank of its leftover, whose cards were passed over before.
        for (int s = 0; s < kHandSlots; ++s) {
            if (s == i || !sameRank(copy[s], card)) continue;
            if (first < 0) first = s;
            last = s;
            ++found;
        }
        if (found < 2) continue;
        createbook(wire::parse::CreateBook{seat, {i, first, last}});
        copy[i] = copy[first] = copy[last] = kNoCard;
        index = BookIndex(books);
        // The rank had no entry before, so it has one now only if the host took the book.
        if (index.entryOfRank[rankOf(card)]) created = true;
    }
    if (created) checkforaddtobooks(seat);
}

void Engine::checkforcreatebooksww(int seat) {
    Hand copy = state_.players[seat].hand;
    const TeamBooks& books = state_.books[teamOf(seat)];
    HandCounts c = analyse(copy);

    BookIndex index(books);
    // pass 1, 2, 3 differ only in their extra condition and what they use up.
    auto runPass = [&](int pass) {
        for (int w = 0; w < kHandSlots; ++w) {
            if (!isWild(copy[w])) continue;
            for (int k = 0; k < kHandSlots && copy[w] != kNoCard; ++k) {
                if (!isNatural(copy[k]) || isThree(copy[k]) || index.entryOfRank[rankOf(copy[k])]) continue;
                for (int m = 0; m < kHandSlots && copy[w] != kNoCard && copy[k] != kNoCard; ++m) {
                    if (m == k || !sameRank(copy[m], copy[k])) continue;
                    if (pass == 1 && !(c.wilds > 1)) continue;
                    if (pass == 3 && !(c.wilds > 2)) continue;
                    createbook(wire::parse::CreateBook{seat, {w, k, m}});
                    copy[w] = copy[k] = copy[m] = kNoCard;
                    index = BookIndex(books);
                    if (pass != 3) --c.pairs;
                    --c.wilds;
                }
            }
        }
    };

    if (c.wilds >= c.pairs && c.singles == 1 && c.pairs > 0) runPass(1);
    if (c.wilds >= c.pairs && random_.random(6) > c.singles && c.pairs > 0) runPass(2);
    if (c.wilds > c.pairs && c.pairs > 0) runPass(3);
}

void Engine::checkfordiscard(int seat) {
    const Hand& hand = state_.players[seat].hand;
    std::array<int, 13> perRank{};
    for (int card : hand) {
        if (card != kNoCard) ++perRank[rankOf(card)];
    }
    auto rule = [&](int r, int card) {
        switch (r) {
            case 1: return isThree(card);
            case 2: return isNatural(card) && perRank[rankOf(card)] == 1;
            case 3: return isNatural(card);
            default: return card != kNoCard;
        }
    };
    for (int r = 1; r <= 4; ++r) {
        for (int slot = 0; slot < kHandSlots; ++slot) {
            if (rule(r, hand[slot])) {
                discard(wire::parse::DiscardRequest{seat, slot});
                return;
            }
        }
    }
}

}  // namespace quintrel
