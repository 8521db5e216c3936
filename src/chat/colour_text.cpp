#include "chat/colour_text.h"

#include <array>
#include <cstdio>
#include <utility>

namespace quintrel::chat {
namespace {

using NamedColour = std::pair<std::string_view, Colour>;

constexpr std::array<NamedColour, 16> kPlainNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

constexpr std::array<std::string_view, kSystemColourCount> kSystemNames{
    "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
    "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
    "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
    "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk",
};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<Colour> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    Colour value = 0;
    for (char c : digits) {
        int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        value = (value << 4) | static_cast<Colour>(d);
    }
    return value;
}

std::optional<Colour> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<Colour>(static_cast<std::int32_t>(value));
}

}  // namespace

std::optional<int> systemColourIndex(Colour colour) {
    if (colour >= kSystemColourBase && colour < kSystemColourBase + kSystemColourCount)
        return static_cast<int>(colour - kSystemColourBase);
    return std::nullopt;
}

std::string colourToText(Colour colour) {
    for (const auto& [name, value] : kPlainNames)
        if (value == colour) return std::string(name);
    if (auto index = systemColourIndex(colour)) return std::string(kSystemNames[*index]);
    char buffer[10];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(colour));
    return buffer;
}

std::optional<Colour> colourFromText(std::string_view text) {
    for (const auto& [name, value] : kPlainNames)
        if (sameText(name, text)) return value;
    for (std::size_t i = 0; i < kSystemNames.size(); ++i)
        if (sameText(kSystemNames[i], text)) return kSystemColourBase + static_cast<Colour>(i);
    if (!text.empty() && text.front() == '$') return parseHex(text.substr(1));
    return parseDecimal(text);
}

}  // namespace quintrel::chat
