#include "chat/chat_line.h"
#include "chat/colour_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace quintrel::chat {
namespace {

TEST(ColourText, StandardColoursAreWrittenByName) {
    EXPECT_EQ(colourToText(0x000000), "clBlack");
    EXPECT_EQ(colourToText(0xFF0000), "clBlue");
    EXPECT_EQ(colourToText(0x800000), "clNavy");
    EXPECT_EQ(colourToText(0x0000FF), "clRed");
    EXPECT_EQ(colourToText(0x80000000), "clScrollBar");
    EXPECT_EQ(colourToText(0x80000018), "clInfoBk");
}

TEST(ColourText, OtherColoursAreDollarAndEightUpperHexDigits) {
    EXPECT_EQ(colourToText(0x000080FF), "$000080FF");
    EXPECT_EQ(colourToText(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(colourToText(0x80000019), "$80000019");
}

TEST(ColourText, ReadingAcceptsNamesInAnyCase) {
    EXPECT_EQ(colourFromText("clBlue"), 0xFF0000u);
    EXPECT_EQ(colourFromText("CLNAVY"), 0x800000u);
    EXPECT_EQ(colourFromText("clbtnface"), 0x8000000Fu);
    EXPECT_EQ(colourFromText("cl3DLight"), 0x80000016u);
}

TEST(ColourText, ReadingAcceptsDecimalAndDollarHex) {
    EXPECT_EQ(colourFromText("255"), 0x0000FFu);
    EXPECT_EQ(colourFromText("$80ff"), 0x80FFu);
    EXPECT_EQ(colourFromText("$000080FF"), 0x80FFu);
    EXPECT_EQ(colourFromText("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(colourFromText("2147483647"), 0x7FFFFFFFu);
}

TEST(ColourText, EveryWrittenColourReadsBack) {
    for (Colour c : {0x0u, 0x1u, 0x80FFu, 0xC0C0C0u, 0xFFFFFFu, 0x80000005u, 0x12345678u})
        EXPECT_EQ(colourFromText(colourToText(c)), c) << colourToText(c);
}

// Every standard name (and system names at both ends) is written for its value and read
// back in any letter case.
TEST(ColourText, EveryNameBothWays) {
    struct Named {
        const char* name;
        Colour value;
    };
    const Named names[] = {
        {"clBlack", 0x000000},       {"clMaroon", 0x000080},   {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000},        {"clPurple", 0x800080},   {"clTeal", 0x808000},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},      {"clRed", 0x0000FF},      {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},  {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
        {"clScrollBar", 0x80000000}, {"clInfoBk", 0x80000018},
    };
    for (const auto& [name, value] : names) {
        EXPECT_EQ(colourToText(value), name);
        std::string shouted(name);
        for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(colourFromText(shouted), value) << shouted;
    }
}

TEST(ColourText, GarbageIsAParseFailure) {
    for (const char* bad : {"", "$", "$123456789", "$12G4", "blue", "clBlu", "12a", "-", "2147483648",
                            "99999999999", " 12", "0x12", "+5", "clBlue "})
        EXPECT_FALSE(colourFromText(bad).has_value()) << bad;
}

TEST(ChatLine, HeadRunsThroughTheFirstColonOnly) {
    auto parts = splitChatLine("X chats: time: 5");
    EXPECT_EQ(parts.head, "X chats:");
    EXPECT_EQ(parts.rest, " time: 5");
}

TEST(ChatLine, LineWithoutColonHasEmptyHead) {
    auto parts = splitChatLine("You are Connected.");
    EXPECT_EQ(parts.head, "");
    EXPECT_EQ(parts.rest, "You are Connected.");
    auto edge = splitChatLine(":");
    EXPECT_EQ(edge.head, ":");
    EXPECT_EQ(edge.rest, "");
}

}  // namespace
}  // namespace quintrel::chat
