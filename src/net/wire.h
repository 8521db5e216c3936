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

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel::wire {

constexpr char kTerminator = '\xFF';

// ---------------------------------------------------------------- host -> table

// Received by the table's handler of the same name, except: sendlogininfo -> sendloginfo,
// chat and action -> chatrecieved, existingplayers -> newplayerinfo, startgame ->
// startthegame, nextplayer -> getnextplayer, complete -> completed, nobots -> notbots; the
// refusals without fields set the status line in the dispatcher.
namespace toclient {
std::string sendlogininfo(int slot);                           // CMD_sendlogininfo+slot
std::string full();                                            // CMD_full+
std::string newplayerinfo(int slot, std::string_view name);    // to all
std::string existingplayers(int slot, std::string_view name);  // to the newcomer
std::string havewrongversion(std::string_view name);           // to slot 1
std::string wrongversion();                                    // CMD_wrongversion+
std::string playerdisconnected(int slot, std::string_view name);
std::string chat(std::string_view lineWithColour);    // "<name> chats: text|colour"
std::string action(std::string_view lineWithColour);  // "<name> text|colour"
std::string startgame(std::string_view name, std::string_view letter);
std::string nobots(std::string_view digit);  // CMD_nobots+digit+ ; "" gives CMD_nobots+
std::string startround();                    // CMD_startround+
std::string discard(int card);               // new top of the pile, 0 = empty
std::string invaliddiscard();                // CMD_invaliddiscard+
std::string newcard(int seat, int pos, int card);
std::string freecard(int pos);
std::string usefoot(int seat);
std::string nextplayer(int previousSeat, int cardsLeft, int nextSeat);
std::string newbook(int seat, int team, int bookslot, int card, int kind);
std::string addtobook(int seat, int team, int pos, int bookslot, int count, int card, int kind);
std::string complete(int seat, int team, int bookslot, int compslot, int card, int kind);
std::string addtocomp(int seat, int kind, int card);
std::string nobook();   // CMD_nobook+
std::string nothree();  // CMD_nothree+
std::string notwo();    // CMD_notwo+
std::string toomany();  // CMD_toomany+
std::string nobookmatch(int pos);

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

std::string postscores(int teamScore, int points, int seat, int partner);
std::string rwinner(int team);  // CMD_rwinner+team+ (empty text field)
std::string winner(int team, std::string_view text);
std::string justwatching(int seat, int code);  // code 1 watching, 2 playing again
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
