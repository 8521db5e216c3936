#include "chat/chat_line.h"

namespace quintrel::chat {

ChatLineParts splitChatLine(std::string_view text) {
    auto colon = text.find(':');
    if (colon == std::string_view::npos) return {text.substr(0, 0), text};
    return {text.substr(0, colon + 1), text.substr(colon + 1)};
}

}  // namespace quintrel::chat
