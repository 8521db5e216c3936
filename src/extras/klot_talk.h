#pragma once
// Remarks of the seat-2 computer player in a game against three computer players. They
// are made up by the table that shows them and never travel over the network.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel {

inline constexpr int kKlotRemarkCount = 32;
inline constexpr const char* kKlotSays = "Klot the bot says: ";

// Remark n (1..32); empty outside.
std::string_view klotRemark(int n);

// random(n) gives 0..n-1.
using RandomInt = std::function<int(int n)>;

// The line to add to the chat (in blue) after a received chat line, or nothing: nothing
// unless seats 2, 3 and 4 are all played by their computer players, and nothing on one
// draw in 33. Actions get no answer; the caller calls this for chat lines only.
std::optional<std::string> klottalk(bool seatsTwoToFourComputerPlayed, const RandomInt& random);

}  // namespace quintrel
