#pragma once
// What Enter in the typing line sends. Pure: the window supplies the login state and the
// two colours, and sends what comes back as CMD_chat or CMD_action with its seat.

#include "chat/colour_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace quintrel::chat {

inline constexpr std::string_view kChatPlaceholder = "<Enter Chat Here>";

enum class ChatKind { Chat, Action };

struct OutgoingChat {
    ChatKind kind;
    std::string textWithColour;  // the text, "|" and the colour as text; Latin-1
};

struct SendDecision {
    bool clearLine = false;  // the typing line is emptied
    std::optional<OutgoingChat> outgoing;
};

// `line` is Latin-1. Before login nothing happens and the text stays. The placeholder and
// an empty line send nothing; "/me" sends the action without its first four characters;
// any other "/" line is swallowed. Control bytes become blanks and the frame terminator
// 0xFF becomes "?", so a pasted or typed line cannot split the message on the wire.
SendDecision sendit(std::string_view line, bool loggedin, Colour textColour, Colour actionColour);

// Latin-1 text as it may travel in a chat or action message: control bytes become blanks and
// the frame terminator 0xFF becomes "?".
std::string wireSafe(std::string_view text);

}  // namespace quintrel::chat
