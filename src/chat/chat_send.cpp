#include "chat/chat_send.h"

#include <algorithm>

namespace quintrel::chat {
std::string wireSafe(std::string_view text) {
    std::string safe(text);
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) c = ' ';
        if (byte == 0xFF) c = '?';
    }
    return safe;
}

SendDecision sendit(std::string_view line, bool loggedin, Colour textColour, Colour actionColour) {
    if (!loggedin) return {};
    SendDecision decision{.clearLine = true, .outgoing = std::nullopt};
    if (line.empty() || line == kChatPlaceholder) return decision;
    if (line.front() != '/') {
        decision.outgoing = OutgoingChat{ChatKind::Chat, wireSafe(line) + '|' + colourToText(textColour)};
    } else if (line.starts_with("/me")) {
        const auto rest = line.substr(std::min<std::size_t>(4, line.size()));
        decision.outgoing = OutgoingChat{ChatKind::Action, wireSafe(rest) + '|' + colourToText(actionColour)};
    }
    return decision;
}

}  // namespace quintrel::chat
