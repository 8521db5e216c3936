// Builders of the wire catalogue. The parsers live in wire_parse.cpp.

#include "net/wire.h"

#include <string>

namespace quintrel::wire {
namespace {

void appendField(std::string& out, std::string_view text) {
    out += '+';
    out += text;
}

void appendField(std::string& out, int number) {
    out += '+';
    out += std::to_string(number);
}

// "CMD_x+f1+f2..." with every field preceded by one "+".
template <typename... Fields>
std::string message(std::string_view command, const Fields&... fields) {
    std::string out(command);
    (appendField(out, fields), ...);
    return out;
}

// A message whose layout ends with a "+" right before the terminator.
template <typename... Fields>
std::string messageWithTrailingPlus(std::string_view command, const Fields&... fields) {
    std::string out = message(command, fields...);
    out += '+';
    return out;
}

}  // namespace

namespace toclient {

std::string sendlogininfo(int slot) { return message("CMD_sendlogininfo", slot); }
std::string full() { return messageWithTrailingPlus("CMD_full"); }
std::string newplayerinfo(int slot, std::string_view name) {
    return message("CMD_newplayerinfo", slot, name);
}
std::string existingplayers(int slot, std::string_view name) {
    return message("CMD_existingplayers", slot, name);
}
std::string havewrongversion(std::string_view name) { return message("CMD_havewrongversion", name); }
std::string wrongversion() { return messageWithTrailingPlus("CMD_wrongversion"); }
std::string playerdisconnected(int slot, std::string_view name) {
    return message("CMD_playerdisconnected", slot, name);
}
std::string chat(std::string_view lineWithColour) { return message("CMD_chat", lineWithColour); }
std::string action(std::string_view lineWithColour) { return message("CMD_action", lineWithColour); }
std::string startgame(std::string_view name, std::string_view letter) {
    return message("CMD_startgame", name, letter);
}
std::string nobots(std::string_view digit) {
    // The catch-up form carries no digit and only the one "+" after the command.
    if (digit.empty()) return message("CMD_nobots", digit);
    return messageWithTrailingPlus("CMD_nobots", digit);
}
std::string startround() { return messageWithTrailingPlus("CMD_startround"); }
std::string discard(int card) { return message("CMD_discard", card); }
std::string invaliddiscard() { return messageWithTrailingPlus("CMD_invaliddiscard"); }
std::string newcard(int seat, int pos, int card) { return message("CMD_newcard", seat, pos, card); }
std::string freecard(int pos) { return message("CMD_freecard", pos); }
std::string usefoot(int seat) { return message("CMD_usefoot", seat); }
std::string nextplayer(int previousSeat, int cardsLeft, int nextSeat) {
    return message("CMD_nextplayer", previousSeat, cardsLeft, nextSeat);
}
std::string newbook(int seat, int team, int bookslot, int card, int kind) {
    return message("CMD_newbook", seat, team, bookslot, card, kind);
}
std::string addtobook(int seat, int team, int pos, int bookslot, int count, int card, int kind) {
    return message("CMD_addtobook", seat, team, pos, bookslot, count, card, kind);
}
std::string complete(int seat, int team, int bookslot, int compslot, int card, int kind) {
    return message("CMD_complete", seat, team, bookslot, compslot, card, kind);
}
std::string addtocomp(int seat, int kind, int card) { return message("CMD_addtocomp", seat, kind, card); }
std::string nobook() { return messageWithTrailingPlus("CMD_nobook"); }
std::string nothree() { return messageWithTrailingPlus("CMD_nothree"); }
std::string notwo() { return messageWithTrailingPlus("CMD_notwo"); }
std::string toomany() { return messageWithTrailingPlus("CMD_toomany"); }
std::string nobookmatch(int pos) { return message("CMD_nobookmatch", pos); }

std::string loadbooks(int team, std::span<const WorkingBookGroup> books) {
    std::string out = message("CMD_loadbooks", team);
    for (const WorkingBookGroup& b : books) {
        appendField(out, b.bookslot);
        appendField(out, b.card);
        appendField(out, b.kind);
        appendField(out, b.count);
    }
    return out;
}

std::string loadcomp(int team, std::span<const CompletedBookGroup> books) {
    std::string out = message("CMD_loadcomp", team);
    for (const CompletedBookGroup& b : books) {
        appendField(out, b.compslot);
        appendField(out, b.card);
        appendField(out, b.kind);
    }
    return out;
}

std::string postscores(int teamScore, int points, int seat, int partner) {
    return message("CMD_postscores", teamScore, points, seat, partner);
}
std::string rwinner(int team) { return messageWithTrailingPlus("CMD_rwinner", team); }
std::string winner(int team, std::string_view text) { return message("CMD_winner", team, text); }
std::string justwatching(int seat, int code) { return message("CMD_justwatching", seat, code); }

}  // namespace toclient

namespace tohost {

std::string logininfo(int slot, std::string_view version, std::string_view loginname) {
    return message("CMD_logininfo", slot, version, loginname);
}
std::string kickhim(int senderSlot, int targetSlot) {
    return messageWithTrailingPlus("CMD_kickhim", senderSlot, targetSlot);
}
std::string botspeed(int senderSlot, int ms) {
    return messageWithTrailingPlus("CMD_botspeed", senderSlot, ms);
}
std::string chat(int slot, std::string_view textWithColour) {
    return message("CMD_chat", slot, textWithColour);
}
std::string action(int slot, std::string_view textWithColour) {
    return message("CMD_action", slot, textWithColour);
}
std::string startgame(std::string_view name, std::string_view letter) {
    return message("CMD_startgame", name, letter);
}
std::string settourney(bool botsWatch, std::string_view digit) {
    return messageWithTrailingPlus("CMD_settourney", botsWatch ? "true" : "false", digit);
}
std::string justwatch(int seat, int code) { return message("CMD_justwatch", seat, code); }
std::string drawing(int seat, int source) { return message("CMD_drawing", seat, source); }
std::string discard(int seat, int pos) { return message("CMD_discard", seat, pos); }
std::string createbook(int seat, int pos1, int pos2, int pos3) {
    return message("CMD_createbook", seat, pos1, pos2, pos3);
}
std::string addtobook(int seat, int pos, int bookslot) {
    return message("CMD_addtobook", seat, pos, bookslot);
}
std::string addtocomp(int seat, int pos, int compslot) {
    return message("CMD_addtocomp", seat, pos, compslot);
}

}  // namespace tohost
}  // namespace quintrel::wire
