#include "chat/chat_line.h"

namespace quintrel::chat {

ChatLineParts splitChatLine(std::string_view text) {
    auto colon = text.find(':');
    if (colon == std::string_view::npos) return {text.substr(0, 0), text};
    return {text.substr(0, colon + 1), text.substr(colon + 1)};
}

ReceivedChat splitReceivedChat(std::string_view data) {
    const auto bar = data.rfind('|');
    if (bar == std::string_view::npos) return {data, kRed};
    return {data.substr(0, bar), colourFromText(data.substr(bar + 1)).value_or(kRed)};
}

std::string logText(std::string_view text) {
    std::string shown(text.substr(0, kMaxShownLine));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) c = '?';
    }
    return shown;
}

}  // namespace quintrel::chat
