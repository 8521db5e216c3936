#pragma once
// Tchat: the table window. It owns the connection to the host (`sock`), the lobby link
// (`Sock11`), the table's session and its state, reads the command line once
// (processparams), and shows the chat log. The score panel and the two boards draw the
// table's state; refresh() brings them up to date after every handled line and click.

#include "table/client_session.h"
#include "table/table_roster.h"
#include "net/qt/session_plan.h"
#include "net/qt/tsock.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLineEdit;

namespace quintrel {
class SoundPlayer;
}

namespace quintrel::table {

class BookBoard;
class ChatLog;
class ScorePanel;
class StartDialog;
class TableState;

class Tchat : public QMainWindow, public ClientEvents {
    Q_OBJECT
public:
    // args: the command line without the program name.
    explicit Tchat(std::vector<std::string> args, QWidget* parent = nullptr);
    ~Tchat() override;

    // Starts the in-process host's listener (Sock1); hostpress calls it. Throws
    // net::SocketError with the text to show.
    using StartListening = std::function<void(net::ListenScope scope, quint16 port)>;
    void setStartListening(StartListening start) { startListening_ = std::move(start); }

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
    void loggedIn() override;

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
    ChatLog* mainchat() const { return mainchat_; }
    TableState& table() { return *table_; }
    StartDialog* startDialog() const { return startDialog_; }
    SoundPlayer& sounds() { return *sounds_; }

signals:
    void startGameRequested();       // "Start Game" in the menu or on the panel
    void downloadWindowRequested();  // a solo game offers the lobby download

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildPanels();
    void receive();
    void connectionInfo(const QString& text);
    void drainTick();  // Timer1: one queued line per tick
    // Timer1 runs only while something needs its ticks; an idle table sleeps.
    bool needsTicks() const;
    void syncDrainTimer();  // after anything that may change needsTicks()
    void startConnecting(const QString& address);
    void afterConnectStarted();
    void exitProgram();

    std::vector<std::string> args_;
    net::SessionPlan plan_;
    bool paramsProcessed_ = false;
    std::string playername_;
    std::string hostaddress_;
    bool ishost_ = false;
    net::StartOptions startOptions_ = net::StartOptions::Unchanged;

    StartListening startListening_;
    net::TSock sock_;
    net::TSock lobbyLink_;
    std::unique_ptr<SoundPlayer> sounds_;
    SessionRoster roster_;
    std::unique_ptr<TableState> table_;
    std::unique_ptr<ClientSession> session_;
    QTimer drainTimer_;

    QAction* startGameAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* manualSortAction_ = nullptr;
    QAction* playSoundsAction_ = nullptr;
    QAction* justWatchAction_ = nullptr;
    ScorePanel* scorePanel_ = nullptr;
    BookBoard* board1_ = nullptr;
    BookBoard* board2_ = nullptr;
    StartDialog* startDialog_ = nullptr;
    ChatLog* mainchat_ = nullptr;
    QLineEdit* mychat_ = nullptr;
};

}  // namespace quintrel::table
