#pragma once
// TableState: one player's picture of the table (the state behind Tchat) and every handler
// that changes it, for the host's messages and for the player's clicks. It holds no game
// rules: it mirrors what the host announces and asks the host for every change. Side effects
// (requests, chat notices, sounds, modal messages) go through ClientEvents.
//
// Every number is checked before it names a seat, slot, place or image; a message with a
// number out of range changes nothing.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "table/client_session.h"
#include "table/table_roster.h"
#include "table/table_types.h"

namespace quintrel::table {

class GameStartForm;

enum class MouseButton { Left, Right, Middle };

class TableState final : public GameView {
public:
    TableState(ClientEvents& events, TableRoster& roster);

    // ------------------------------------------------------------ identity and options
    void setPlayername(std::string name) { playername_ = std::move(name); }
    const std::string& playername() const { return playername_; }
    // The hosting player's table offers the start button.
    void setIshost(bool ishost);
    bool ishost() const { return ishost_; }
    void setManualSort(bool on) { manualSort_ = on; }  // Options > "Manual Sort"
    bool manualSort() const { return manualSort_; }
    bool justWatchChecked() const { return justWatch_; }  // Options > "Just Watch"
    // From the first sign of a game (its start, or a turn) until its winner is announced.
    bool gameInProgress() const { return gameRunning_; }
    // Called with the winners' text when a game is won (the tally records it).
    std::function<void(const std::string&)> onGameWon;

    // ------------------------------------------------------------ host messages
    void newcard(const wire::parse::NewCard& m) override;
    void freecard(int pos) override;
    void discard(int card) override;
    void usefoot(int seat) override;
    void newbook(const wire::parse::NewBook& m) override;
    void addtobook(const wire::parse::AddToBook& m) override;
    void completed(const wire::parse::Complete& m) override;
    void addtocomp(const wire::parse::AddToComp& m) override;
    void nobookmatch(int pos) override;
    void loadbooks(const wire::parse::LoadBooks& m) override;
    void loadcomp(const wire::parse::LoadComp& m) override;
    void getnextplayer(const wire::parse::NextPlayer& m) override;
    void startround() override;
    void startthegame(const wire::parse::StartGame& m) override;
    void nobook() override;
    void nothree() override;
    void notwo() override;
    void toomany() override;
    void invaliddiscard() override;
    void postscores(const wire::parse::PostScores& m) override;
    void rwinner(int team) override;
    void winner(const wire::parse::Winner& m) override;
    void justwatching(const wire::parse::JustWatching& m) override;
    void notbots(const std::string& digit) override;
    void hostingSeatEmpty(bool empty) override;

    // ------------------------------------------------------------ hand row
    // Returns false when the card was not shown (bad number, or the row is full).
    bool createcard(int slot, int code);
    void movecards(int slot);
    void sortthem();
    void pressCard(int slot, MouseButton button);  // a card image: select, swap or sort
    void placeOnSquare(int square);                // acard_place1..3: square 1..3
    // True when `team` has a working book of `rank` (code mod 13).
    bool checkforbook(int rank, int team) const;

    // ------------------------------------------------------------ turn actions
    // Clicks on button_draw, button_pickup, button_create, button_clearbook, a working or a
    // completed book image, image_discard (or Image4) and Options > "Just Watch".
    void drawFromShoe();
    void takeDiscardPile();
    void createFromSquares();
    void clearSquares();
    void playOnBook(int team, int slot);
    void playOnCompletedBook(int team, int slot);
    void discardSelected();
    void toggleJustWatch();

    // ------------------------------------------------------------ keyboard play
    // Left and Right: the raised card's neighbour `step` places along the row becomes the
    // selection (wrapping at the ends); with nothing selected Right takes the first card and
    // Left the last. Made of the clicks a player would make, so the same turn checks apply.
    void moveSelection(int step);
    // Up: the selected card goes on the first empty create-book square.
    void layOnNextSquare();

    // ------------------------------------------------------------ seat label popup and removal
    // Right click on label_playername<seat>: the popup takes the seat and enables its items
    // on the hosting player's table only.
    void openSeatMenu(int seat);
    const SeatMenu& seatMenu() const { return seatMenu_; }
    void setSeatWatching(int seat);    // "Set to Just Watch"
    void unsetSeatWatching(int seat);  // "Unset Just Watch"
    // "Remove From Game" on a seat label or in the spy list: ask the host to drop a slot.
    void kicking(int slot);

    // ------------------------------------------------------------ game start
    // The hosting player starts games; so may a seated player once a host without a table of
    // its own has lost its hosting player (between games).
    bool mayStartGames() const { return ishost_ || standIn_; }
    // The table's start button and File > "Start Game": open the dialog.
    void openStartDialog(GameStartForm& form);
    // The dialog's start button: send the choice, then hide the dialog. A game in progress is
    // only replaced when the player confirms it.
    void startgame(GameStartForm& form);
    // Escape or the dialog's close box: the start button comes back unless a game runs.
    void closeStartDialog(GameStartForm& form);

    // ------------------------------------------------------------ state to draw
    int myseat() const { return roster_.myseat(); }
    bool loggedin() const { return roster_.loggedin(); }
    int whoseturn() const { return whoseturn_; }
    int selectedslot() const { return selectedslot_; }
    const std::string& selectedcode() const { return selectedcode_; }
    const HandPlace& handrow(int place) const;                        // place 1..20
    const Square& square(int n) const;                                // 1..3
    const std::map<int, CardImage>& cards() const { return cards_; }  // by hand slot
    const CardImage* card(int slot) const;
    const std::map<int, WorkingBook>& workingBooks(int team) const;  // by slot
    const std::map<int, CompletedBook>& completedBooks(int team) const;
    int discardPicture() const { return discardPicture_; }  // BigCards index, -1 cleared
    int discardTag() const { return discardTag_; }
    const SeatRow& seatRow(int seat) const;  // 1..4
    const SeatLabel& seatLabel(int seat) const { return roster_.seatLabel(seat); }
    int turnMarkerTop() const { return turnMarkerTop_; }  // image_Turn, -1 before any turn
    const std::string& turnText() const { return turnText_; }
    const std::string& statusText() const { return statusText_; }
    const std::string& lengthText() const { return lengthText_; }
    const Shown& drawButton() const { return buttonDraw_; }
    const Shown& pickupButton() const { return buttonPickup_; }
    const Shown& startButton() const { return buttonStart_; }
    const Shown& greenArrow() const { return greenArrow_; }
    const Shown& blueArrow() const { return blueArrow_; }
    const Shown& greenBar() const { return greenBar_; }
    const Shown& blueBar() const { return blueBar_; }
    const Shown& roundWinner(int team) const;  // 1..2
    const Shown& gameWinner(int team) const;

private:
    bool myTurn() const;
    bool myTurnDrawn() const;
    void requestDraw(int source);
    std::string seatName(int seat) const;
    void toFront(std::int64_t& z) { z = ++nextZ_; }
    void status(std::string text) { statusText_ = std::move(text); }
    void notice(const std::string& text);
    void clearSelection();
    int firstFreePlace() const;
    int placeOf(int slot) const;
    void frontFrom(int place);
    void returnSquareToRow(Square& sq);
    void emptySquares();
    void clearTable();
    void addWorkingBook(int team, int slot, int code, int kind, int count);
    void addCompletedBook(int team, int slot, int code, int kind);
    void sendIfLoggedIn(const std::string& line);
    void offerDraw();
    void clearTurnDisplay();
    void showOwnCount();
    bool mustDrawFirst();

    ClientEvents& events_;
    TableRoster& roster_;
    std::string playername_;
    bool ishost_ = false;
    bool manualSort_ = false;
    bool justWatch_ = false;
    SeatMenu seatMenu_;
    // This turn was handed to the computer before the player drew: taking the seat back
    // before the computer acts must offer the draw again.
    bool watchedUndrawnTurn_ = false;
    // Where the own turn stands: melds and the discard wait for the host's answer to the draw,
    // whatever the buttons show.
    enum class Draw { None, Asked, Answered } draw_ = Draw::None;
    bool standIn_ = false;      // may start games for a hosting player who has left
    bool gameRunning_ = false;  // from a game's start (or a turn seen) to its winner
    bool turnSeen_ = false;     // a discard before the first turn is a joiner's picture of the pile

    int whoseturn_ = 0;
    std::array<HandPlace, kHandPlaces + 1> handrow_{};  // [0] unused
    int selectedslot_ = -1;
    std::string selectedcode_;
    std::array<Square, kSquares + 1> squares_{};  // [0] unused
    std::map<int, CardImage> cards_;
    std::array<std::map<int, WorkingBook>, kTeams + 1> working_{};  // [team]
    std::array<std::map<int, CompletedBook>, kTeams + 1> completed_{};
    int discardPicture_ = -1;
    int discardTag_ = 0;
    std::array<SeatRow, kSeats + 1> seats_{};  // [seat]
    int turnMarkerTop_ = -1;
    std::string turnText_;
    std::string statusText_ = "Welcome to Quintrel!";
    std::string lengthText_;
    Shown buttonDraw_, buttonPickup_, buttonStart_;
    Shown greenArrow_, blueArrow_, greenBar_, blueBar_;
    std::array<Shown, kTeams + 1> rwinner_{}, winner_{};  // [team]
    std::int64_t nextZ_ = 0;
};

}  // namespace quintrel::table
