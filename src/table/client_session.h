#pragma once
// ClientSession: the table's side of the connection to the host. It answers the slot
// assignment with the login, keeps the roster (seat labels, spectator list), drains the
// table's receive queue one line per tick, handles the roster messages itself and hands
// every game message, parsed and range-checked, to a GameView. It never touches a socket,
// a widget or a clock: side effects go through ClientEvents.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/game_limits.h"
#include "net/wire.h"

namespace quintrel {

class TableInbox;

// Colours are 0x00BBGGRR.
constexpr std::uint32_t kColourBlue = 0xFF0000;
constexpr std::uint32_t kColourNavy = 0x800000;
constexpr std::uint32_t kColourGreen = 0x008000;

// What the window does for the session. Only the first five are required.
class ClientEvents {
public:
    virtual ~ClientEvents() = default;
    virtual void addlinetochat(std::string_view text, std::uint32_t colour) = 0;
    virtual void playsounds(std::string_view name) = 0;
    virtual void sendToHost(std::string_view line) = 0;  // one line, without its terminator
    virtual void closeTable() = 0;                       // ends the program
    virtual void messageBox(std::string_view text) = 0;
    virtual void showError(std::string_view text) { messageBox(text); }  // the standard error box
    // A yes/no question; true when the player agreed. Modal in the window: the receive queue
    // keeps running while it is open, so callers re-read the state afterwards.
    virtual bool confirm(std::string_view /*question*/) { return true; }
    virtual void rosterChanged() {}                          // labels or spectators changed (tally refresh)
    virtual void loggedIn() {}                               // the own login is confirmed: load the settings
    virtual void chatrecieved(std::string_view /*rest*/) {}  // CMD_chat and CMD_action
    virtual void botTalk(std::string_view /*rest*/) {}       // after a CMD_chat while seat 2 reads "Klot"
};

// The game side of the table: one handler per game message, each given its parsed fields.
// Every default does nothing, so a partial table still runs.
class GameView {
public:
    virtual ~GameView() = default;
    virtual void startthegame(const wire::parse::StartGame&) {}
    virtual void getnextplayer(const wire::parse::NextPlayer&) {}
    virtual void winner(const wire::parse::Winner&) {}
    virtual void newcard(const wire::parse::NewCard&) {}
    virtual void nobook() {}
    virtual void nothree() {}
    virtual void notwo() {}
    virtual void nobookmatch(int /*pos*/) {}
    virtual void newbook(const wire::parse::NewBook&) {}
    virtual void addtobook(const wire::parse::AddToBook&) {}
    virtual void postscores(const wire::parse::PostScores&) {}
    virtual void completed(const wire::parse::Complete&) {}
    virtual void invaliddiscard() {}
    virtual void discard(int /*card*/) {}
    virtual void usefoot(int /*seat*/) {}
    virtual void addtocomp(const wire::parse::AddToComp&) {}
    virtual void toomany() {}
    virtual void freecard(int /*pos*/) {}
    virtual void justwatching(const wire::parse::JustWatching&) {}
    virtual void loadbooks(const wire::parse::LoadBooks&) {}
    virtual void loadcomp(const wire::parse::LoadComp&) {}
    virtual void startround() {}
    virtual void rwinner(int /*team*/) {}
    virtual void notbots(const std::string& /*digit*/) {}
    // Seat 1's player left a host that has no table of its own (true), or seat 1 is taken again.
    virtual void hostingSeatEmpty(bool /*empty*/) {}
};

// One seat's name label on the score panel, plus its eyes picture.
struct SeatLabel {
    std::string caption = "<Waiting>";
    std::string hint;                     // the computer player who takes the seat
    std::uint32_t colour = kColourGreen;  // green for seats 1 and 3, navy for 2 and 4
    bool eyesShown = false;
    int eyesTag = 0;  // 1: watching for the whole game
    // A person holds the seat: announced by a login, or introduced under another name than
    // the computer player's. The host introduces a computer-played seat by that name.
    bool person = false;
};

class ClientSession {
public:
    ClientSession(ClientEvents& events, GameView& game);
    ~ClientSession();
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // loginname := playername + 0xFF (the last field of the login).
    void setPlayerName(std::string_view playername);
    const std::string& loginname() const { return loginname_; }

    // ------------------------------------------------------------ transport
    void receive(std::string_view bytes);
    // sockInfo, the connection's informational event. "Socket Closed" and, once logged in, a
    // network error ("Error #...") end the table after telling the player why; a network error
    // before the login (a refused or timed-out join) is shown and the window stays.
    void connectionInfo(std::string_view text);
    // One line per tick; false when the queue was empty.
    bool processsocktimer();
    std::size_t queuedLines() const;

    // Dispatch one line (what processsocktimer does with the line it takes).
    void dispatch(std::string_view line);

    // ------------------------------------------------------------ state
    int myseat() const { return myseat_; }
    bool loggedin() const { return loggedin_; }
    // Slot 1 holds the hosting player's powers (start, removal, bot speed), also when this
    // table joined a host without a table of its own.
    bool hostingPlayer() const { return loggedin_ && myseat_ == 1; }
    const SeatLabel& seat(int seat) const;  // 1..4
    SeatLabel& seat(int seat);
    const std::vector<std::string>& spectators() const { return spectators_; }  // "slot: name"

private:
    // Roster handlers.
    void sendloginfo(std::string_view rest);
    // announced: CMD_newplayerinfo (a login), else CMD_existingplayers (an introduction).
    void newplayerinfo(std::string_view rest, bool announced);
    void playerdisconnected(std::string_view rest);
    void endTable(std::string_view why);

    ClientEvents& events_;
    GameView& game_;
    std::unique_ptr<TableInbox> inbox_;
    std::string loginname_;
    int myseat_ = 0;
    bool loggedin_ = false;
    bool streamBroken_ = false;  // the host flooded the table: read nothing more
    bool ending_ = false;        // the table is closing: later socket news changes nothing
    std::array<SeatLabel, kSeats> seats_;
    std::vector<std::string> spectators_;
};

}  // namespace quintrel
