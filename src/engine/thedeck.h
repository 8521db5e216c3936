#pragma once
// Cards, their ranks, the random generator and the shoe.
//
// A card is a code 0..54 (0 = no card); its rank is code mod 13: 0 King, 1 Ace, 2 wild
// (twos and jokers), 3 three, 4..12 four to Queen.

#include <array>
#include <cstdint>

namespace quintrel {

constexpr int kNoCard = 0;
constexpr int kJoker = 54;
constexpr int kShoeSlots = 270;

constexpr int rankOf(int card) { return card % 13; }
constexpr bool isWild(int card) { return card > 0 && card % 13 == 2; }
constexpr bool isThree(int card) { return card > 0 && card % 13 == 3; }
constexpr bool isNatural(int card) { return card > 0 && card % 13 != 2; }
// Jokers and the Ace of hearts are kept as the red joker once they leave the shoe.
constexpr int normalisedCard(int card) { return (card == 1 || card > 52) ? kJoker : card; }

// The linear congruential generator every random choice of the host comes from.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed = 0) : seed_(seed) {}
    // 0..n-1 for n >= 1.
    int random(int n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
    }
    std::uint32_t seed() const { return seed_; }
    // The seed a program takes from the time of day.
    static std::uint32_t clockSeed(int hour, int minute, int second, int millisecond) {
        return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
    }

private:
    std::uint32_t seed_;
};

// The shoe: 270 slots (1..270), each a card code or 0. Drawing picks random slots, so the
// shoe has no top card and may report itself empty while a few cards are still in it.
class thedeck {
public:
    using Slots = std::array<int, kShoeSlots + 1>;  // index 0 unused

    explicit thedeck(RandomSource& random) : random_(random) {}

    void fillshoe();
    // A card, or 0 when 269 probes found nothing.
    int drawcard();
    // Puts the card back at a random empty slot. A full shoe drops the card (returns
    // false): a search for an empty slot that does not exist would never end.
    bool returncard(int card);

    const Slots& shoe() const { return shoe_; }
    int cardsInShoe() const { return cards_; }
    // Lays out the shoe exactly (tests and tools).
    void setShoe(const Slots& slots);

private:
    RandomSource& random_;
    Slots shoe_{};
    int cards_ = 0;
};

}  // namespace quintrel
