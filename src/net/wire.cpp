// Builders of the wire catalogue. The parsers live in wire_parse.cpp.

#include "net/wire.h"

#include <string>

namespace quintrel::wire {
using detail::appendField;
using detail::message;
using detail::messageWithTrailingPlus;

Line& Line::spill(std::string_view text) {
    if (!spilled_) spill_.assign(room_.data(), size_);
    spilled_ = true;
    spill_ += text;
    return *this;
}

namespace toclient {

std::string loadbooks(int team, std::span<const WorkingBookGroup> books) {
    std::string out = message<std::string>("CMD_loadbooks", team);
    for (const WorkingBookGroup& b : books) {
        appendField(out, b.bookslot);
        appendField(out, b.card);
        appendField(out, b.kind);
        appendField(out, b.count);
    }
    return out;
}

std::string loadcomp(int team, std::span<const CompletedBookGroup> books) {
    std::string out = message<std::string>("CMD_loadcomp", team);
    for (const CompletedBookGroup& b : books) {
        appendField(out, b.compslot);
        appendField(out, b.card);
        appendField(out, b.kind);
    }
    return out;
}

}  // namespace toclient

namespace tohost {

std::string logininfo(int slot, std::string_view version, std::string_view loginname) {
    return message<std::string>("CMD_logininfo", slot, version, loginname);
}
std::string kickhim(int senderSlot, int targetSlot) {
    return messageWithTrailingPlus<std::string>("CMD_kickhim", senderSlot, targetSlot);
}
std::string botspeed(int senderSlot, int ms) {
    return messageWithTrailingPlus<std::string>("CMD_botspeed", senderSlot, ms);
}
std::string chat(int slot, std::string_view textWithColour) {
    return message<std::string>("CMD_chat", slot, textWithColour);
}
std::string action(int slot, std::string_view textWithColour) {
    return message<std::string>("CMD_action", slot, textWithColour);
}
std::string startgame(std::string_view name, std::string_view letter) {
    return message<std::string>("CMD_startgame", name, letter);
}
std::string settourney(bool botsWatch, std::string_view digit) {
    return messageWithTrailingPlus<std::string>("CMD_settourney", botsWatch ? "true" : "false", digit);
}
std::string justwatch(int seat, int code) { return message<std::string>("CMD_justwatch", seat, code); }
std::string drawing(int seat, int source) { return message<std::string>("CMD_drawing", seat, source); }
std::string discard(int seat, int pos) { return message<std::string>("CMD_discard", seat, pos); }
std::string createbook(int seat, int pos1, int pos2, int pos3) {
    return message<std::string>("CMD_createbook", seat, pos1, pos2, pos3);
}
std::string addtobook(int seat, int pos, int bookslot) {
    return message<std::string>("CMD_addtobook", seat, pos, bookslot);
}
std::string addtocomp(int seat, int pos, int compslot) {
    return message<std::string>("CMD_addtocomp", seat, pos, compslot);
}

}  // namespace tohost
}  // namespace quintrel::wire
