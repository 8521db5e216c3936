#pragma once
// The catalogue of messages between host and tables.
//
// A message line is the command token, then "+"-separated fields; on the wire it is
// followed by the terminator byte 0xFF (added by the transport, not by these builders).
// Text is 8-bit Latin-1 bytes held in std::string.
//
// Builders return one line without its terminator. Parsers take the rest of a line
// (the text after the command and its first "+") and return std::nullopt for a field
// that is missing, not a decimal integer, or out of its range; the caller drops the
// message. The last field of a message takes the rest of the line unless noted.

#include <array>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel::wire {

constexpr char kTerminator = '\xFF';

// One line built in place. The host's engine sends thousands of lines a second; built as
// std::string each one cost a heap allocation. Only a line longer than the room on the stack
// (a very long name) moves to the heap.
class Line {
public:
    static constexpr std::size_t kRoom = 160;  // a line of numbers only needs under 100

    Line& operator+=(char c) { return *this += std::string_view(&c, 1); }
    Line& operator+=(std::string_view text) {
        if (spilled_ || text.size() > kRoom - size_) [[unlikely]]
            return spill(text);
        std::memcpy(room_.data() + size_, text.data(), text.size());
        size_ += text.size();
        return *this;
    }
    void appendNumber(int number) {
        if (spilled_ || kRoom - size_ < kMaxDigits) [[unlikely]] {
            std::array<char, kMaxDigits> digits;
            const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
            spill(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
            return;
        }
        char* at = room_.data() + size_;
        // Most numbers on the wire are a seat, a slot or a card: one or two digits.
        if (static_cast<unsigned>(number) < 10) {
            *at = static_cast<char>('0' + number);
            ++size_;
        } else if (static_cast<unsigned>(number) < 100) {
            at[0] = static_cast<char>('0' + number / 10);
            at[1] = static_cast<char>('0' + number % 10);
            size_ += 2;
        } else {
            size_ += static_cast<std::size_t>(std::to_chars(at, at + kMaxDigits, number).ptr - at);
        }
    }

    std::string_view view() const {
        return spilled_ ? std::string_view(spill_) : std::string_view(room_.data(), size_);
    }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

private:
    static constexpr std::size_t kMaxDigits = 11;  // "-2147483648"

    Line& spill(std::string_view text);

    std::array<char, kRoom> room_;
    std::size_t size_ = 0;
    bool spilled_ = false;
    std::string spill_;
};

namespace detail {

inline void appendField(auto& out, std::string_view text) {
    out += '+';
    out += text;
}

inline void appendField(std::string& out, int number) {
    std::array<char, 11> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    out += '+';
    out.append(digits.data(), end);
}

inline void appendField(Line& out, int number) {
    out += '+';
    out.appendNumber(number);
}

// "CMD_x+f1+f2..." with every field preceded by one "+"; Out is std::string or Line.
template <typename Out, typename... Fields>
Out message(std::string_view command, const Fields&... fields) {
    Out out;
    out += command;
    (appendField(out, fields), ...);
    return out;
}

// A message whose layout ends with a "+" right before the terminator.
template <typename Out, typename... Fields>
Out messageWithTrailingPlus(std::string_view command, const Fields&... fields) {
    Out out = message<Out>(command, fields...);
    out += '+';
    return out;
}

}  // namespace detail

// ---------------------------------------------------------------- host -> table

// Received by the table's handler of the same name, except: sendlogininfo -> sendloginfo,
// chat and action -> chatrecieved, existingplayers -> newplayerinfo, startgame ->
// startthegame, nextplayer -> getnextplayer, complete -> completed, nobots -> notbots; the
// refusals without fields set the status line in the dispatcher.
//
// Each builder returns a std::string, or builds in place with Out = Line (the engine).
namespace toclient {
template <typename Out = std::string>
Out sendlogininfo(int slot) {
    return detail::message<Out>("CMD_sendlogininfo", slot);
}
template <typename Out = std::string>
Out full() {
    return detail::messageWithTrailingPlus<Out>("CMD_full");
}
// to all
template <typename Out = std::string>
Out newplayerinfo(int slot, std::string_view name) {
    return detail::message<Out>("CMD_newplayerinfo", slot, name);
}
// to the newcomer
template <typename Out = std::string>
Out existingplayers(int slot, std::string_view name) {
    return detail::message<Out>("CMD_existingplayers", slot, name);
}
// to slot 1
template <typename Out = std::string>
Out havewrongversion(std::string_view name) {
    return detail::message<Out>("CMD_havewrongversion", name);
}
template <typename Out = std::string>
Out wrongversion() {
    return detail::messageWithTrailingPlus<Out>("CMD_wrongversion");
}
template <typename Out = std::string>
Out playerdisconnected(int slot, std::string_view name) {
    return detail::message<Out>("CMD_playerdisconnected", slot, name);
}
// "<name> chats: text|colour"
template <typename Out = std::string>
Out chat(std::string_view lineWithColour) {
    return detail::message<Out>("CMD_chat", lineWithColour);
}
// "<name> text|colour"
template <typename Out = std::string>
Out action(std::string_view lineWithColour) {
    return detail::message<Out>("CMD_action", lineWithColour);
}
template <typename Out = std::string>
Out startgame(std::string_view name, std::string_view letter) {
    return detail::message<Out>("CMD_startgame", name, letter);
}
template <typename Out = std::string>
Out nobots(std::string_view digit) {
    // The catch-up form carries no digit and only the one "+" after the command.
    if (digit.empty()) return detail::message<Out>("CMD_nobots", digit);
    return detail::messageWithTrailingPlus<Out>("CMD_nobots", digit);
}
template <typename Out = std::string>
Out startround() {
    return detail::messageWithTrailingPlus<Out>("CMD_startround");
}
// new top of the pile, 0 = empty
template <typename Out = std::string>
Out discard(int card) {
    return detail::message<Out>("CMD_discard", card);
}
template <typename Out = std::string>
Out invaliddiscard() {
    return detail::messageWithTrailingPlus<Out>("CMD_invaliddiscard");
}
template <typename Out = std::string>
Out newcard(int seat, int pos, int card) {
    return detail::message<Out>("CMD_newcard", seat, pos, card);
}
template <typename Out = std::string>
Out freecard(int pos) {
    return detail::message<Out>("CMD_freecard", pos);
}
template <typename Out = std::string>
Out usefoot(int seat) {
    return detail::message<Out>("CMD_usefoot", seat);
}
template <typename Out = std::string>
Out nextplayer(int previousSeat, int cardsLeft, int nextSeat) {
    return detail::message<Out>("CMD_nextplayer", previousSeat, cardsLeft, nextSeat);
}
template <typename Out = std::string>
Out newbook(int seat, int team, int bookslot, int card, int kind) {
    return detail::message<Out>("CMD_newbook", seat, team, bookslot, card, kind);
}
template <typename Out = std::string>
Out addtobook(int seat, int team, int pos, int bookslot, int count, int card, int kind) {
    return detail::message<Out>("CMD_addtobook", seat, team, pos, bookslot, count, card, kind);
}
template <typename Out = std::string>
Out complete(int seat, int team, int bookslot, int compslot, int card, int kind) {
    return detail::message<Out>("CMD_complete", seat, team, bookslot, compslot, card, kind);
}
template <typename Out = std::string>
Out addtocomp(int seat, int kind, int card) {
    return detail::message<Out>("CMD_addtocomp", seat, kind, card);
}
template <typename Out = std::string>
Out nobook() {
    return detail::messageWithTrailingPlus<Out>("CMD_nobook");
}
template <typename Out = std::string>
Out nothree() {
    return detail::messageWithTrailingPlus<Out>("CMD_nothree");
}
template <typename Out = std::string>
Out notwo() {
    return detail::messageWithTrailingPlus<Out>("CMD_notwo");
}
template <typename Out = std::string>
Out toomany() {
    return detail::messageWithTrailingPlus<Out>("CMD_toomany");
}
template <typename Out = std::string>
Out nobookmatch(int pos) {
    return detail::message<Out>("CMD_nobookmatch", pos);
}

struct WorkingBookGroup {
    int bookslot;
    int card;
    int kind;
    int count;
};
struct CompletedBookGroup {
    int compslot;
    int card;
    int kind;
};
std::string loadbooks(int team, std::span<const WorkingBookGroup> books);
std::string loadcomp(int team, std::span<const CompletedBookGroup> books);

template <typename Out = std::string>
Out postscores(int teamScore, int points, int seat, int partner) {
    return detail::message<Out>("CMD_postscores", teamScore, points, seat, partner);
}
// The round's winner, with an empty text field.
template <typename Out = std::string>
Out rwinner(int team) {
    return detail::messageWithTrailingPlus<Out>("CMD_rwinner", team);
}
template <typename Out = std::string>
Out winner(int team, std::string_view text) {
    return detail::message<Out>("CMD_winner", team, text);
}
// code 1 watching, 2 playing again
template <typename Out = std::string>
Out justwatching(int seat, int code) {
    return detail::message<Out>("CMD_justwatching", seat, code);
}
}  // namespace toclient

// ---------------------------------------------------------------- table -> host

// Received by the host's handler of the same name, except logininfo -> receivedlogininfo.
namespace tohost {
// loginname is the player's name with its own 0xFF appended.
std::string logininfo(int slot, std::string_view version, std::string_view loginname);
std::string kickhim(int senderSlot, int targetSlot);          // trailing +
std::string botspeed(int senderSlot, int ms);                 // trailing +
std::string chat(int slot, std::string_view textWithColour);  // "text|colour"
std::string action(int slot, std::string_view textWithColour);
std::string startgame(std::string_view name, std::string_view letter);
std::string settourney(bool botsWatch, std::string_view digit);  // CMD_settourney+true+5+
std::string justwatch(int seat, int code);
std::string drawing(int seat, int source);  // 1 stock, 2 top discard
std::string discard(int seat, int pos);
std::string createbook(int seat, int pos1, int pos2, int pos3);
std::string addtobook(int seat, int pos, int bookslot);
std::string addtocomp(int seat, int pos, int compslot);
}  // namespace tohost

// ---------------------------------------------------------------- parsed forms
// Ranges: seat 1..4, slot 1..9 (1..10 where noted), pos 0..20, card 0..54,
// bookslot/compslot 1..13, kind 1..2, team 1..2 (0 where allowed), book count 1..7,
// cards left in a hand 0..21, codes and draw source 1..2, ms 1..60000; scores and points
// are any integer of at most 9 digits. A number is an optional "-" and 1..9 decimal digits.

namespace parse {

// Parsed by the host.
struct LoginInfo {
    int slot;
    std::string version;
    std::string name;
};  // name: rest of the line
struct KickHim {
    int sender;
    int target;
};
struct BotSpeed {
    int sender;
    int ms;
};
struct ChatRequest {
    int slot;
    std::string text;
};  // text: rest, "|colour" kept
struct StartGameRequest {
    std::string name;
    std::string letter;
};  // letter: after the LAST "+"
struct SetTourney {
    bool botsWatch;
    std::string digit;
};
struct JustWatch {
    int seat;
    int code;
};
struct Drawing {
    int seat;
    int source;
};
struct DiscardRequest {
    int seat;
    int pos;
};
struct CreateBook {
    int seat;
    int pos[3];
};
struct AddToBookRequest {
    int seat;
    int pos;
    int bookslot;
};
struct AddToCompRequest {
    int seat;
    int pos;
    int compslot;
};

std::optional<LoginInfo> logininfo(std::string_view rest);
std::optional<KickHim> kickhim(std::string_view rest);
std::optional<BotSpeed> botspeed(std::string_view rest);
std::optional<ChatRequest> chatRequest(std::string_view rest);  // CMD_chat and CMD_action
std::optional<StartGameRequest> startgameRequest(std::string_view rest);
std::optional<SetTourney> settourney(std::string_view rest);
std::optional<JustWatch> justwatch(std::string_view rest);
std::optional<Drawing> drawing(std::string_view rest);
std::optional<DiscardRequest> discardRequest(std::string_view rest);
std::optional<CreateBook> createbook(std::string_view rest);
std::optional<AddToBookRequest> addtobookRequest(std::string_view rest);
std::optional<AddToCompRequest> addtocompRequest(std::string_view rest);

// Parsed by the table.
struct SlotName {
    int slot;
    std::string name;
};  // newplayerinfo, existingplayers, playerdisconnected
struct StartGame {
    std::string name;
    std::string letter;
};
struct NewCard {
    int seat;
    int pos;
    int card;
};
struct NextPlayer {
    int previousSeat;
    int cardsLeft;
    int nextSeat;
};  // previousSeat 0..4
struct NewBook {
    int seat;
    int team;
    int bookslot;
    int card;
    int kind;
};
struct AddToBook {
    int seat;
    int team;
    int pos;
    int bookslot;
    int count;
    int card;
    int kind;
};
struct Complete {
    int seat;
    int team;
    int bookslot;
    int compslot;
    int card;
    int kind;
};
struct AddToComp {
    int seat;
    int kind;
    int card;
};
struct LoadBooks {
    int team;
    std::vector<toclient::WorkingBookGroup> books;
};
struct LoadComp {
    int team;
    std::vector<toclient::CompletedBookGroup> books;
};
struct PostScores {
    int teamScore;
    int points;
    int seat;
    int partner;
};
struct Winner {
    int team;
    std::string text;
};  // team 0..2
struct JustWatching {
    int seat;
    int code;
};

std::optional<int> sendlogininfo(std::string_view rest);  // slot 1..10
std::optional<SlotName> slotName(std::string_view rest);
std::optional<StartGame> startgame(std::string_view rest);
std::optional<std::string> nobots(std::string_view rest);  // the digit, possibly empty
std::optional<int> discard(std::string_view rest);         // card 0..54
std::optional<NewCard> newcard(std::string_view rest);
std::optional<int> freecard(std::string_view rest);  // pos
std::optional<int> usefoot(std::string_view rest);   // seat
std::optional<NextPlayer> nextplayer(std::string_view rest);
std::optional<NewBook> newbook(std::string_view rest);
std::optional<AddToBook> addtobook(std::string_view rest);
std::optional<Complete> complete(std::string_view rest);
std::optional<AddToComp> addtocomp(std::string_view rest);
std::optional<int> nobookmatch(std::string_view rest);  // pos
std::optional<LoadBooks> loadbooks(std::string_view rest);
std::optional<LoadComp> loadcomp(std::string_view rest);
std::optional<PostScores> postscores(std::string_view rest);
std::optional<int> rwinner(std::string_view rest);  // team 0..2, rest ignored
std::optional<Winner> winner(std::string_view rest);
std::optional<JustWatching> justwatching(std::string_view rest);

}  // namespace parse
}  // namespace quintrel::wire
