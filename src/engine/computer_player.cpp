// Computer players. A computer turn looks only at the seat's hand, its team's books and
// the top of the pile, and makes the same requests a table sends, through the same
// handlers and checks.

#include <array>

#include "engine/engine.h"
#include "net/wire.h"

namespace quintrel {
namespace {

struct HandCounts {
    int singles = 0;
    int pairs = 0;
    int wilds = 0;
};

HandCounts analyse(const HandIndex& hand) {
    HandCounts counts;
    counts.wilds = hand.countOfRank(kWildRank);
    for (int rank = 0; rank < kRanks; ++rank) {
        const int n = hand.countOfRank(rank);
        if (rank == kWildRank) continue;
        if (rank == kThreeRank) {
            counts.singles += n;  // a three never pairs
            continue;
        }
        if (n == 1) ++counts.singles;
        counts.pairs += n * (n - 1) / 2;
    }
    return counts;
}

bool sameRank(int a, int b) { return a != kNoCard && b != kNoCard && rankOf(a) == rankOf(b); }

}  // namespace

void Engine::computerdraw(int seat) {
    if (!mayPlay(seat)) return;
    refreshIndexes(seat);
    const int top = state_.discardtop;
    bool take = false;
    if (top != kNoCard && !isThree(top)) {
        const HandIndex& hand = handIndex(seat);
        const HandCounts c = analyse(hand);
        const int ofRank = hand.countOfRank(rankOf(top));
        const bool fewPairs = c.singles == 1 && c.pairs <= c.wilds;
        const int team = teamOf(seat);
        bool workingBook = false;
        for (SlotMask entries = bookIndex(team).ofRank(rankOf(top)); entries != 0; entries &= entries - 1) {
            if (state_.books[team][lowestOf(entries)].count > 4 || fewPairs) workingBook = true;
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
    refreshIndexes(seat);
    checkforaddtobooks(seat);
    checkforaddtocomp(seat);
    checkforcreatebooks(seat);
    checkforcreatebooksww(seat);
    checkforaddtobooks(seat);
    checkfordiscard(seat);
}

bool Engine::checkforallwilds(int seat) const { return !severalIn(handIndex(seat).naturals()); }

// The steps run inside computerplay, which brought the indexes up to date. Each walks the
// hand as it found it (the copy), while the requests it makes change the hand and the
// books, whose indexes the engine keeps up to date.
void Engine::checkforaddtobooks(int seat) {
    const HandIndex copy = handIndex(seat);
    const BookIndex& index = bookIndex(teamOf(seat));
    bool allWilds = checkforallwilds(seat);
    for (SlotMask slots = copy.occupied() & ~copy.threes(); slots != 0; slots &= slots - 1) {
        const int slot = lowestOf(slots);
        const int rank = copy.rank(slot);
        int target = 0;
        if (rank == kWildRank) {
            if (!allWilds) continue;
            target = index.firstWildInUse() != 0 ? index.firstWildInUse() : index.firstInUse();
        } else {
            target = index.firstInUseOfRank(rank);
        }
        if (target == 0) continue;
        addtobook(wire::parse::AddToBookRequest{seat, slot, target});
        allWilds = checkforallwilds(seat);
    }
}

void Engine::checkforaddtocomp(int seat) {
    const HandIndex copy = handIndex(seat);
    const int team = teamOf(seat);
    // Adding to a completed book changes only its count: which book takes a card stays put.
    std::array<int, kRanks> firstOfRank{};
    int firstWild = 0;
    for (int n = state_.completedcount[team]; n >= 1; --n) {
        const BookEntry& b = state_.completedbooks[team][n];
        if (b.card != kNoCard) firstOfRank[rankOf(b.card)] = n;
        if (b.kind == BookKind::Wild) firstWild = n;
    }
    for (SlotMask slots = copy.occupied() & ~copy.threes(); slots != 0; slots &= slots - 1) {
        const int slot = lowestOf(slots);
        const bool wild = copy.rank(slot) == kWildRank;
        if (wild && !checkforallwilds(seat)) continue;
        const int target = wild ? firstWild : firstOfRank[copy.rank(slot)];
        if (target != 0) addtocomp(wire::parse::AddToCompRequest{seat, slot, target});
    }
}

void Engine::checkforcreatebooks(int seat) {
    HandIndex copy = handIndex(seat);
    const BookIndex& index = bookIndex(teamOf(seat));
    bool created = false;
    for (SlotMask slots = copy.naturals() & ~copy.threes(); slots != 0; slots &= slots - 1) {
        const int i = lowestOf(slots);
        const int rank = copy.rank(i);
        if ((copy.occupied() & bitOf(i)) == 0 || index.ofRank(rank) != 0) continue;
        // Earlier slots count too: a new book may take over a freed entry and so free the
        // rank of its leftover, whose cards were passed over before.
        const SlotMask others = copy.ofRank(rank) & ~bitOf(i);
        if (!severalIn(others)) continue;
        const int first = lowestOf(others);
        const int last = highestOf(others);
        createbook(wire::parse::CreateBook{seat, {i, first, last}});
        for (int s : {i, first, last}) copy.set(s, kNoCard);
        // The rank had no entry before, so it has one now only if the host took the book.
        if (index.ofRank(rank) != 0) created = true;
    }
    if (created) checkforaddtobooks(seat);
}

void Engine::checkforcreatebooksww(int seat) {
    HandIndex copy = handIndex(seat);
    const BookIndex& index = bookIndex(teamOf(seat));
    HandCounts c = analyse(copy);

    // pass 1, 2, 3 differ only in their extra condition and what they use up. Each wild, in
    // slot order, makes a book with the first natural (not a three) in slot order whose rank
    // has no entry and another card, and the first such other card.
    auto runPass = [&](int pass) {
        for (SlotMask wilds = copy.wilds(); wilds != 0; wilds &= wilds - 1) {
            // The condition changes only when a book is made.
            if ((pass == 1 && !(c.wilds > 1)) || (pass == 3 && !(c.wilds > 2))) return;
            SlotMask candidates = 0;
            for (int rank = 0; rank < kRanks; ++rank) {
                if (rank == kWildRank || rank == kThreeRank || index.ofRank(rank) != 0) continue;
                if (severalIn(copy.ofRank(rank))) candidates |= copy.ofRank(rank);
            }
            if (candidates == 0) continue;
            const int w = lowestOf(wilds);
            const int k = lowestOf(candidates);
            const int m = lowestOf(copy.ofRank(copy.rank(k)) & ~bitOf(k));
            createbook(wire::parse::CreateBook{seat, {w, k, m}});
            for (int s : {w, k, m}) copy.set(s, kNoCard);
            if (pass != 3) --c.pairs;
            --c.wilds;
        }
    };

    if (c.wilds >= c.pairs && c.singles == 1 && c.pairs > 0) runPass(1);
    if (c.wilds >= c.pairs && random_.random(6) > c.singles && c.pairs > 0) runPass(2);
    if (c.wilds > c.pairs && c.pairs > 0) runPass(3);
}

void Engine::checkfordiscard(int seat) {
    const HandIndex& hand = handIndex(seat);
    // In order: a three, a natural alone of its rank, any natural, any card.
    SlotMask choice = hand.threes();
    if (choice == 0) {
        for (int rank = 0; rank < kRanks; ++rank) {
            if (rank != kWildRank && hand.countOfRank(rank) == 1) choice |= hand.ofRank(rank);
        }
    }
    if (choice == 0) choice = hand.naturals();
    if (choice == 0) choice = hand.occupied();
    if (choice != 0) discard(wire::parse::DiscardRequest{seat, lowestOf(choice)});
}

}  // namespace quintrel
