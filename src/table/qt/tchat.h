#pragma once
// Tchat: the table window. It owns the connection to the host (`sock`), the lobby link
// (`Sock11`), the table's session and its state, reads the command line once
// (processparams), and shows the chat panel. The score panel and the two boards draw the
// table's state; refresh() brings them up to date after every handled line and click.
// The chat, the phrase buttons, the settings, the tally and the spy list are wired in
// tchat_company.cpp and tchat_options.cpp.

#include "extras/klot_talk.h"
#include "extras/settings.h"
#include "extras/tally.h"
#include "table/client_session.h"
#include "table/game_views.h"
#include "table/table_roster.h"
#include "net/qt/session_plan.h"
#include "net/qt/tsock.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace quintrel {
class PhraseStrip;
class SoundPlayer;
class Tphrases;
class Ttallylist;
}  // namespace quintrel

namespace quintrel::chat {
class ChatLogView;
class ChatPanel;
class Tspylist;
}  // namespace quintrel::chat

namespace quintrel::table {

class BookBoard;
class EventLog;
class ScorePanel;
class SideWindows;
class StartDialog;
class TableState;

class Tchat : public QMainWindow, public ClientEvents {
    Q_OBJECT
public:
    // args: the command line without the program name.
    explicit Tchat(std::vector<std::string> args, QWidget* parent = nullptr);
    ~Tchat() override;

    // Starts the in-process host's listener (Sock1) and returns the port it listens on (the
    // one asked for, or the one picked for port 0); hostpress calls it. Throws
    // net::SocketError with the text to show.
    using StartListening = std::function<quint16(net::ListenScope scope, quint16 port)>;
    void setStartListening(StartListening start) { startListening_ = std::move(start); }
    // The in-process host's computer players; the Options item shows on the hosting table only.
    using ChooseBotLevel = std::function<void(BotLevel level)>;
    void setChooseBotLevel(ChooseBotLevel choose) { chooseBotLevel_ = std::move(choose); }
    // The port this table hosts on or joins at; net::gamePort() unless set before the show.
    void setGamePort(quint16 port) { gamePort_ = port; }
    quint16 gamePort() const { return gamePort_; }

    // Reads the command line and starts the session; only the first call does anything.
    void processparams();
    void hostpress();  // throws net::SocketError when the listener cannot start
    void joinpress();

    // A second start of the program asks for this window.
    void bringToFront();

    // ClientEvents
    void addlinetochat(std::string_view text, std::uint32_t colour) override;
    void playsounds(std::string_view name) override;
    void sendToHost(std::string_view line) override;
    void closeTable() override;
    void messageBox(std::string_view text) override;
    void showError(std::string_view text) override;
    bool confirm(std::string_view question) override;
    void loggedIn() override;
    void rosterChanged() override;
    void chatrecieved(std::string_view rest) override;
    void botTalk(std::string_view rest) override;

    // View > "Zoom": the table at this many percent (one of TableZoom::kLevels; anything else
    // is 100). Cards, boards, pictures and fonts grow; the window's size follows.
    void setZoom(int percent);
    int zoom() const { return zoomPercent_; }

    // Options > "Game Events in Chat": the game's events as quiet lines in the chat log.
    void setEventLogShown(bool on);
    bool eventLogShown() const;

    // Redraws the score panel, the boards, the menu marks and the start dialog from the state.
    void refresh();
    // button_start and File > "Start Game": opens the start dialog.
    void openStartDialog();

    const std::string& playername() const { return playername_; }
    const std::string& hostaddress() const { return hostaddress_; }
    bool ishost() const { return ishost_; }
    net::SessionMode mode() const { return plan_.mode; }
    net::StartOptions startOptions() const { return startOptions_; }
    ClientSession& session() { return *session_; }
    net::TSock& sock() { return sock_; }
    net::TSock& lobbyLink() { return lobbyLink_; }
    chat::ChatLogView* mainchat() const;
    chat::ChatPanel* chatPanel() const { return chat_; }
    PhraseStrip* phraseStrip() const { return phrases_; }
    // The phrase editor and the spy list are made when first asked for.
    Tphrases* phraseEditor();
    Ttallylist* tallyList() const { return tally_; }
    chat::Tspylist* spyList();
    // The options as the menus hold them.
    Settings options() const;
    // Klot's remarks draw from this; the clock-seeded generator unless a test fixes it.
    void setRandom(RandomInt random) { random_ = std::move(random); }
    TableState& table() { return *table_; }
    StartDialog* startDialog() const { return startDialog_; }
    SoundPlayer& sounds() { return *sounds_; }
    // Help, about, the lobby download and Play with Others (side_windows.cpp).
    SideWindows& sideWindows() { return *side_; }

signals:
    void startGameRequested();       // "Start Game" in the menu or on the panel
    void downloadWindowRequested();  // a solo game offers the lobby download
    void eventLogToggled(bool on);   // the player switched the event log (to be saved)
    // Play with Others asks for a new table in place of this one: `args` as on the command
    // line (Latin-1), `port` to host on or join at.
    void restartRequested(const QStringList& args, quint16 port);

protected:
    void showEvent(QShowEvent* event) override;
    // The chat's text fields keep the table's keys while they have the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Leaving the hosting table during a game ends it for everyone: ask first.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPanels();
    void receive();
    void connectionInfo(const QString& text);
    void drainTick();  // Timer1: one queued line per tick
    // Timer1 runs only while something needs its ticks; an idle table sleeps.
    bool needsTicks() const;
    void syncDrainTimer();  // after anything that may change needsTicks()
    void startConnecting(const QString& address, quint16 port);
    void afterConnectStarted();
    void exitProgram();
    void buildPlayAids();  // the event log's menu item, tooltips, the start dialog's dismissal
    // The Play menu: the turn's actions with their keys (tchat_play.cpp).
    void buildPlayMenu();
    void zoomTable(int percent, bool resizeWindow);

    // Chat, phrases, tally and spy list (tchat_company.cpp).
    QWidget* buildCompany(QWidget* parent);
    void sendPhrase(const QString& actionText);
    TallyRoster tallyRoster() const;
    void syncSpyList();
    // The Options items of the chat and the settings, and the View menu (tchat_options.cpp).
    void buildCompanyMenus(QMenu* options);
    void loadinifile();
    void saveinifile();
    void chooseBotSpeed(int ms);  // Fast1Click
    void saveSetting(const char* key, const std::string& value);
    void chooseBotLevel(BotLevel level, bool save);
    // Solo and host mode, logged in as seat 1: a joined table's host is elsewhere.
    bool hostsComputerPlayers() const;

    std::vector<std::string> args_;
    net::SessionPlan plan_;
    bool paramsProcessed_ = false;
    std::string playername_;
    std::string hostaddress_;
    bool ishost_ = false;
    net::StartOptions startOptions_ = net::StartOptions::Unchanged;

    StartListening startListening_;
    ChooseBotLevel chooseBotLevel_;
    quint16 gamePort_;
    net::TSock sock_;
    net::TSock lobbyLink_;
    std::unique_ptr<SoundPlayer> sounds_;
    SessionRoster roster_;
    std::unique_ptr<TableState> table_;
    std::unique_ptr<EventLog> eventLog_;
    GameViews views_;
    std::unique_ptr<ClientSession> session_;
    bool closingByProgram_ = false;  // the session ended the table: nothing left to ask
    QTimer drainTimer_;

    QAction* startGameAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* manualSortAction_ = nullptr;
    QAction* playSoundsAction_ = nullptr;
    QAction* justWatchAction_ = nullptr;
    QAction* eventLogAction_ = nullptr;
    ScorePanel* scorePanel_ = nullptr;
    BookBoard* board1_ = nullptr;
    BookBoard* board2_ = nullptr;
    StartDialog* startDialog_ = nullptr;

    chat::ChatPanel* chat_ = nullptr;
    PhraseStrip* phrases_ = nullptr;
    Tphrases* phraseEditor_ = nullptr;
    Ttallylist* tally_ = nullptr;
    chat::Tspylist* spylist_ = nullptr;
    SideWindows* side_ = nullptr;
    std::array<QAction*, 3> botSpeedActions_{};  // Slow1, Normal1, Fast1
    QMenu* botLevelMenu_ = nullptr;
    std::array<QAction*, 2> botLevelActions_{};  // Standard1, Expert1
    std::vector<QAction*> zoomActions_;          // Zoom100 .. Zoom200
    int zoomPercent_ = 100;
    QWidget* tableArea_ = nullptr;  // takes the focus from the chat when the felt is clicked
    int botSpeed_ = kSlowBotSpeed;  // the design-time speed until the file is read
    OptionsToSave optionsToSave_{Settings{}};
    std::mt19937 generator_;
    RandomInt random_;
};

}  // namespace quintrel::table
