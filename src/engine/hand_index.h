#pragma once
// A seat's hand and a team's working books by rank, as bit masks, for the computer players:
// the engine keeps them up to date as cards move, so that a decision reads a few masks
// instead of scanning the 21 hand slots and 13 book entries again for every card.
//
// Each index keeps a copy of what it was made from: whoever changes a hand or the books
// outside the engine (a test laying out a hand) leaves an index that no longer mirrors them,
// and the engine makes it again before it is read.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "engine/host_state.h"
#include "engine/thedeck.h"

namespace quintrel {

using Hand = std::array<int, kHandSlots>;
using SlotMask = std::uint32_t;  // bit s: hand slot s, or book entry s

constexpr int kRanks = 13;
constexpr int kWildRank = 2;
constexpr int kThreeRank = 3;

constexpr SlotMask bitOf(int slot) { return SlotMask{1} << slot; }
constexpr int lowestOf(SlotMask mask) { return std::countr_zero(mask); }
constexpr int highestOf(SlotMask mask) { return 31 - std::countl_zero(mask); }
constexpr bool severalIn(SlotMask mask) { return (mask & (mask - 1)) != 0; }

class HandIndex {
public:
    HandIndex() = default;
    explicit HandIndex(const Hand& hand) {
        for (int slot = 0; slot < kHandSlots; ++slot) set(slot, hand[slot]);
    }

    void set(int slot, int card) {
        const SlotMask bit = bitOf(slot);
        if (cards_[slot] != kNoCard) {
            ofRank_[rank_[slot]] &= ~bit;
            --count_[rank_[slot]];
            occupied_ &= ~bit;
        }
        cards_[slot] = card;
        rank_[slot] = static_cast<std::uint8_t>(rankOf(card));
        if (card != kNoCard) {
            ofRank_[rank_[slot]] |= bit;
            ++count_[rank_[slot]];
            occupied_ |= bit;
        }
    }

    bool mirrors(const Hand& hand) const { return cards_ == hand; }
    int card(int slot) const { return cards_[slot]; }
    int rank(int slot) const { return rank_[slot]; }  // of the card in an occupied slot
    SlotMask ofRank(int rank) const { return ofRank_[rank]; }
    int countOfRank(int rank) const { return count_[rank]; }
    SlotMask occupied() const { return occupied_; }
    SlotMask wilds() const { return ofRank_[kWildRank]; }
    SlotMask threes() const { return ofRank_[kThreeRank]; }
    SlotMask naturals() const { return occupied_ & ~wilds(); }

    bool operator==(const HandIndex&) const = default;

private:
    Hand cards_{};
    std::array<std::uint8_t, kHandSlots> rank_{};
    std::array<SlotMask, kRanks> ofRank_{};
    std::array<std::uint8_t, kRanks> count_{};
    SlotMask occupied_ = 0;
};

// A team's working books: bit e is entry e (1..13).
class BookIndex {
public:
    BookIndex() = default;
    explicit BookIndex(const TeamBooks& books) {
        for (int e = 1; e <= kBookSlots; ++e) set(e, books[e]);
    }

    void set(int e, const BookEntry& b) {
        const SlotMask bit = bitOf(e);
        if (books_[e].card != kNoCard) {
            ofRank_[rankOf(books_[e].card)] &= ~bit;
            inUseOfRank_[rankOf(books_[e].card)] &= ~bit;
        }
        inUse_ &= ~bit;
        wildInUse_ &= ~bit;
        books_[e] = b;
        // A completed book's entry keeps its card: its rank still has an entry.
        if (b.card != kNoCard) ofRank_[rankOf(b.card)] |= bit;
        if (b.count <= 0) return;
        inUse_ |= bit;
        if (b.kind == BookKind::Wild) wildInUse_ |= bit;
        if (b.card != kNoCard) inUseOfRank_[rankOf(b.card)] |= bit;
    }

    bool mirrors(const TeamBooks& books) const {
        static_assert(std::has_unique_object_representations_v<BookEntry>);
        return std::memcmp(books_.data(), books.data(), sizeof books) == 0;
    }
    // Entries, in use or freed, whose card has this rank.
    SlotMask ofRank(int rank) const { return ofRank_[rank]; }
    // The lowest entry in use of each kind; 0 = none.
    int firstInUseOfRank(int rank) const { return lowestEntry(inUseOfRank_[rank]); }
    int firstWildInUse() const { return lowestEntry(wildInUse_); }
    int firstInUse() const { return lowestEntry(inUse_); }

    bool operator==(const BookIndex&) const = default;

private:
    static int lowestEntry(SlotMask mask) { return mask != 0 ? lowestOf(mask) : 0; }

    TeamBooks books_{};
    std::array<SlotMask, kRanks> ofRank_{};
    std::array<SlotMask, kRanks> inUseOfRank_{};
    SlotMask inUse_ = 0;
    SlotMask wildInUse_ = 0;
};

}  // namespace quintrel
