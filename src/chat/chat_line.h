#pragma once
// One chat or notice line: how it is drawn, how a received chat message splits into line and
// colour, and how its bytes are made safe to show.

#include "chat/colour_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quintrel::chat {

// The head, up to and including the first ":", is drawn bold; the rest plain.
// "X chats: time: 5" has the head "X chats:"; a line without ":" has no head.
struct ChatLineParts {
    std::string_view head;
    std::string_view rest;
};

ChatLineParts splitChatLine(std::string_view text);

// What follows CMD_chat+ or CMD_action+: the line, then "|" and its colour as text.
// The split is at the last "|", so a line may hold "|" itself. No "|" or a colour that
// does not parse shows the line in red.
struct ReceivedChat {
    std::string_view line;
    Colour colour;
};

ReceivedChat splitReceivedChat(std::string_view data);

// The line as the log shows it: one line of Latin-1 text, at most kMaxShownLine characters
// (as long as a line on the wire; laying out a longer unbroken word takes seconds). Control
// bytes (including CR and LF, which would start a new line) and 0x80..0x9F become "?".
inline constexpr std::size_t kMaxShownLine = 4096;
std::string logText(std::string_view text);

}  // namespace quintrel::chat
