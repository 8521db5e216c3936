#pragma once
// Colours as the chat and the settings file write them: 0x00BBGGRR values, written as a
// standard name where one exists, otherwise "$" and eight upper-case hex digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel::chat {

using Colour = std::uint32_t;  // 0x00BBGGRR; 0x80000000..0x80000018 are system colours

constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kNavy = 0x800000;
constexpr Colour kGreen = 0x008000;

constexpr Colour kSystemColourBase = 0x80000000;
constexpr int kSystemColourCount = 25;

std::string colourToText(Colour colour);

// Accepts a standard name in any letter case, a decimal integer (optionally negative,
// taken as its 32-bit pattern) or "$" and one to eight hex digits. Anything else fails.
std::optional<Colour> colourFromText(std::string_view text);

// Index 0..24 of a system colour, or nullopt for a plain colour.
std::optional<int> systemColourIndex(Colour colour);

}  // namespace quintrel::chat
