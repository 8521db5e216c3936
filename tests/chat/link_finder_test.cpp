#include "chat/link_finder.h"

#include <gtest/gtest.h>

#include <string>

namespace quintrel::chat {
namespace {

// The link the mouse finds over the character `under` (its first occurrence in the text).
std::optional<FoundLink> linkUnder(const std::string& text, const std::string& under) {
    const auto at = text.find(under);
    EXPECT_NE(at, std::string::npos) << under;
    return linkAt(text, at);
}

TEST(FindURL, LinksUnderTheMouse) {
    struct Case {
        std::string text;
        std::string under;
        std::string link;  // "" for no link
    };
    const Case cases[] = {
        {"Bob chats: see http://example.com/x.\n", "example", "http://example.com/x"},
        {"Bob chats: see http://example.com/x.\n", "http:", "http://example.com/x"},
        {"Bob chats: see http://example.com/x.\n", "see", ""},
        {"look (www.Example.org) now\n", "Example", "www.Example.org"},
        {"(http://a.b/c)!\n", "a.b", "http://a.b/c"},
        {"only http:// here\n", "http", ""},
        {"only www. here\n", "www", ""},
        {"say HTTP://UP.CASE/Path, then\n", "UP", "HTTP://UP.CASE/Path"},
        {"mail mailto:me@host.org?\n", "me@", "mailto:me@host.org"},
        {"caf\xE9 http://x.fr/caf\xE9\n", "x.fr", "http://x.fr/caf"},
        // The first prefix in the list wins, wherever it stands in the word.
        {"go www.a.com/http://b.com\n", "www", "http://b.com"},
        {"https://www.safe.org/\n", "safe", "https://www.safe.org/"},
        {"file://c:/x.exe\n", "c:", "file://c:/x.exe"},
        {"first line http://a.com\nsecond\n", "second", ""},
    };
    for (const auto& c : cases) {
        const auto link = linkUnder(c.text, c.under);
        if (c.link.empty()) {
            EXPECT_FALSE(link.has_value()) << c.text << " under " << c.under;
            continue;
        }
        ASSERT_TRUE(link.has_value()) << c.text << " under " << c.under;
        EXPECT_EQ(link->text, c.link);
        EXPECT_EQ(c.text.substr(link->start, link->length), c.link) << "range in the text";
    }
}

TEST(FindURL, PositionOrRange) {
    const std::string text = "a http://x.org/ b";
    auto byPosition = FindURL(text, 9, 9);
    ASSERT_TRUE(byPosition.has_value());
    EXPECT_EQ(byPosition->text, "http://x.org/");
    EXPECT_EQ(byPosition->start, 2u);
    // A range reads its first word only.
    auto byRange = FindURL(text, 2, 15);
    ASSERT_TRUE(byRange.has_value());
    EXPECT_EQ(byRange->text, "http://x.org/");
    EXPECT_FALSE(FindURL(text, 0, 6).has_value());
    EXPECT_FALSE(FindURL(text, 1, 1).has_value());  // on the blank between two words
}

TEST(FindURL, NothingAtOrPastTheEnd) {
    const std::string text = "http://first.org\n";
    EXPECT_FALSE(linkAt(text, text.size()).has_value());
    EXPECT_FALSE(linkAt(text, text.size() + 10).has_value());
    EXPECT_FALSE(FindURL(text, 40, 40).has_value());
    EXPECT_FALSE(FindURL("", 0, 0).has_value());
}

TEST(LinkToOpen, WebAndMailOnly) {
    EXPECT_EQ(linkToOpen("http://a.org/x"), "http://a.org/x");
    EXPECT_EQ(linkToOpen("HTTPS://a.org"), "HTTPS://a.org");
    EXPECT_EQ(linkToOpen("mailto:me@a.org"), "mailto:me@a.org");
    EXPECT_EQ(linkToOpen("www.a.org"), "http://www.a.org");
    for (const char* local :
         {"file://c:/x.exe", "ftp://a.org", "gopher://a.org", "telnet://a.org", "news:a.b"})
        EXPECT_FALSE(linkToOpen(local).has_value()) << local;
}

}  // namespace
}  // namespace quintrel::chat
