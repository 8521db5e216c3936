#include "chat/chat_line.h"
#include "chat/chat_send.h"

#include <gtest/gtest.h>

#include <string>

namespace quintrel::chat {
namespace {

constexpr Colour kOrange = 0x000080FF;

TEST(Sendit, WhatEnterSends) {
    struct Case {
        std::string line;
        bool sends;
        ChatKind kind;
        std::string text;
    };
    const Case cases[] = {
        {"hello", true, ChatKind::Chat, "hello|clNavy"},
        {"a|b", true, ChatKind::Chat, "a|b|clNavy"},
        {"/me waves", true, ChatKind::Action, "waves|$000080FF"},
        {"/mewaves", true, ChatKind::Action, "aves|$000080FF"},  // the fourth character goes, whatever it is
        {"/me", true, ChatKind::Action, "|$000080FF"},
        {"/quit", false, ChatKind::Chat, ""},
        {"/", false, ChatKind::Chat, ""},
        {"", false, ChatKind::Chat, ""},
        {"<Enter Chat Here>", false, ChatKind::Chat, ""},
        {"me /too", true, ChatKind::Chat, "me /too|clNavy"},
        // A pasted line break or a 0xFF byte would split the message on the wire.
        {"two\r\nlines", true, ChatKind::Chat, "two  lines|clNavy"},
        {"caf\xE9 \xFF!", true, ChatKind::Chat, "caf\xE9 ?!|clNavy"},
    };
    for (const auto& c : cases) {
        const auto decision = sendit(c.line, true, kNavy, kOrange);
        EXPECT_TRUE(decision.clearLine) << c.line;
        ASSERT_EQ(decision.outgoing.has_value(), c.sends) << c.line;
        if (!c.sends) continue;
        EXPECT_EQ(decision.outgoing->kind, c.kind) << c.line;
        EXPECT_EQ(decision.outgoing->textWithColour, c.text);
    }
}

TEST(Sendit, BeforeLoginNothingHappensAndTheTextStays) {
    const auto decision = sendit("hello", false, kBlack, kBlack);
    EXPECT_FALSE(decision.clearLine);
    EXPECT_FALSE(decision.outgoing.has_value());
}

TEST(ReceivedChat, SplitsAtTheLastBarAndFallsBackToRed) {
    struct Case {
        std::string data;
        std::string line;
        Colour colour;
    };
    const Case cases[] = {
        {"X chats: a|b|clBlue", "X chats: a|b", kBlue},
        {"X waves|$000080FF", "X waves", kOrange},
        {"X chats: hi|16711680", "X chats: hi", kBlue},
        {"no colour at all", "no colour at all", kRed},
        {"X chats: hi|clPink", "X chats: hi", kRed},
        {"X chats: hi|", "X chats: hi", kRed},
        {"|clNavy", "", kNavy},
    };
    for (const auto& c : cases) {
        const auto received = splitReceivedChat(c.data);
        EXPECT_EQ(received.line, c.line) << c.data;
        EXPECT_EQ(received.colour, c.colour) << c.data;
    }
}

TEST(LogText, KeepsLatin1AndMasksControlBytes) {
    EXPECT_EQ(logText("caf\xE9 <b>x</b> \xFF"), "caf\xE9 <b>x</b> \xFF");
    EXPECT_EQ(logText(std::string(100000, 'z')), std::string(kMaxShownLine, 'z'));
    EXPECT_EQ(logText(std::string("a\nb\rc\td\0e\x7F\x85\x9F\xA0", 13)), "a?b?c?d?e???\xA0");
}

}  // namespace
}  // namespace quintrel::chat
