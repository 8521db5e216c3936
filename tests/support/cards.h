#pragma once
// Card codes by name: code = rank + 13 x suit (clubs, diamonds, spades, hearts), where rank 0 is
// the King, 1 the Ace, 2 the Two (wild, as the jokers 53 and 54), 3 the Three, 4..12 Four..Queen.

namespace quintrel::kit {

constexpr int kTwoC = 2, kTwoD = 15, kTwoS = 28;
constexpr int kThreeC = 3, kThreeD = 16, kThreeS = 29;
constexpr int kFiveC = 5, kFiveD = 18, kFiveS = 31, kFiveH = 44;
constexpr int kSixD = 19;
constexpr int kNineC = 9;
constexpr int kJackC = 11, kJackD = 24, kJackS = 37, kJackH = 50;
constexpr int kQueenC = 12, kQueenD = 25, kQueenS = 38;
constexpr int kKingC = 13, kKingD = 26, kKingS = 39, kKingH = 52;

}  // namespace quintrel::kit
