#pragma once
// How one log line is drawn: the head, up to and including the first ":", in bold; the rest
// plain. "X chats: time: 5" has the head "X chats:"; a line without ":" has no head.

#include <string_view>

namespace quintrel::chat {

struct ChatLineParts {
    std::string_view head;
    std::string_view rest;
};

ChatLineParts splitChatLine(std::string_view text);

}  // namespace quintrel::chat
