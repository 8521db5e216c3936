#include "table/qt/tchat.h"

#include "extras/qt/pictures.h"
#include "extras/qt/user_files.h"
#include "extras/qt/sound_player.h"
#include "net/qt/game_port.h"
#include "net/qt/socket_texts.h"
#include "chat/qt/chat_panel.h"
#include "extras/qt/phrase_strip.h"
#include "table/qt/book_board.h"
#include "table/qt/message_boxes.h"
#include "table/qt/score_panel.h"
#include "table/qt/side_windows.h"
#include "table/qt/start_dialog.h"
#include "table/event_log.h"
#include "table/table_state.h"
#include "net/qt/latin1_text.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace quintrel::table {
namespace {

constexpr int kTimer1Ms = 1;
constexpr char kTerminator = '\xFF';

}  // namespace

Tchat::Tchat(std::vector<std::string> args, QWidget* parent)
    : QMainWindow(parent),
      args_(std::move(args)),
      gamePort_(net::gamePort()),
      sounds_(std::make_unique<SoundPlayer>()),
      table_(std::make_unique<TableState>(*this, roster_)),
      eventLog_(std::make_unique<EventLog>(*this, roster_)) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Quintrel"));
    views_.add(*eventLog_);
    views_.add(*table_);
    session_ = std::make_unique<ClientSession>(*this, views_);
    roster_.attach(*session_);

    sock_.setObjectName(QStringLiteral("sock"));
    lobbyLink_.setObjectName(QStringLiteral("Sock11"));
    connect(&sock_, &net::TSock::readReady, this, &Tchat::receive);
    connect(&sock_, &net::TSock::info, this, [this](int, const QString& text) { connectionInfo(text); });

    // Runs only while lines wait in the queue or the phrase lock counts its ticks: an idle 1 ms
    // timer costs a few percent of a core.
    drainTimer_.setObjectName(QStringLiteral("Timer1"));
    drainTimer_.setInterval(kTimer1Ms);
    connect(&drainTimer_, &QTimer::timeout, this, &Tchat::drainTick);

    buildPanels();  // the chat panel brings items of the Options menu
    buildMenus();
    // Read before the first show, so the window opens at its size; the other options wait
    // for the login.
    zoomTable(loadSettings(nativePath(settingsFilePath())).zoom, false);
    side_ = new SideWindows(*this);
    startDialog_ = new StartDialog(this);
    connect(startDialog_, &StartDialog::startPressed, this, [this] {
        // It stays on top: out of the way of a question about the running game.
        startDialog_->hide();
        table_->startgame(startDialog_->form());
        refresh();
    });
    // The options as they stand before the settings file is read at login.
    optionsToSave_ = OptionsToSave(options());
    buildPlayAids();
    refresh();
    resize(minimumSizeHint().expandedTo(QSize(900, 700)));
}

Tchat::~Tchat() {
    drainTimer_.stop();
    sock_.disconnect(this);
}

void Tchat::buildMenus() {
    menuBar()->setStyleSheet(
        QStringLiteral("QMenuBar { background: #efe4c2; color: #3b2a05; border-bottom: 1px solid #b79a4e; }"
                       "QMenuBar::item:selected { background: #d9a93c; }"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    startGameAction_ = file->addAction(QStringLiteral("Start Game"));
    startGameAction_->setObjectName(QStringLiteral("StartGame1"));
    startGameAction_->setEnabled(false);
    connect(startGameAction_, &QAction::triggered, this, &Tchat::openStartDialog);
    file->addSeparator();
    exitAction_ = file->addAction(QStringLiteral("Exit"));
    exitAction_->setObjectName(QStringLiteral("Exit1"));
    connect(exitAction_, &QAction::triggered, this, &Tchat::exitProgram);

    buildPlayMenu();

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    manualSortAction_ = options->addAction(QStringLiteral("Manual Sort"));
    manualSortAction_->setObjectName(QStringLiteral("ManualSort1"));
    manualSortAction_->setCheckable(true);
    connect(manualSortAction_, &QAction::triggered, this, [this](bool checked) {
        table_->setManualSort(checked);
        refresh();
        saveinifile();
    });
    playSoundsAction_ = options->addAction(QStringLiteral("Play Sounds"));
    playSoundsAction_->setObjectName(QStringLiteral("PlaySounds1"));
    playSoundsAction_->setCheckable(true);
    playSoundsAction_->setChecked(sounds_->isEnabled());
    connect(playSoundsAction_, &QAction::triggered, this, [this](bool checked) {
        sounds_->setEnabled(checked);
        saveinifile();
    });
    justWatchAction_ = options->addAction(QStringLiteral("Just Watch"));
    justWatchAction_->setObjectName(QStringLiteral("JustWatch1"));
    justWatchAction_->setCheckable(true);
    // The mark follows the host's answer, not the click.
    connect(justWatchAction_, &QAction::triggered, this, [this] {
        table_->toggleJustWatch();
        refresh();
    });
    buildCompanyMenus(options);
}

void Tchat::buildPanels() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("table"));
    // A click on the felt, a card or a board takes the focus out of the chat, so the table's
    // keys reach the table.
    central->setFocusPolicy(Qt::ClickFocus);
    tableArea_ = central;
    QPalette felt = central->palette();
    felt.setBrush(QPalette::Window, QBrush(Pictures::shipped().picture(Picture::Background)));
    central->setPalette(felt);
    central->setAutoFillBackground(true);

    auto redraw = [this] { refresh(); };
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    board1_ = new BookBoard(1, *table_, redraw, central);
    layout->addWidget(board1_);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(6);
    scorePanel_ = new ScorePanel(*table_, redraw, central);
    connect(scorePanel_, &ScorePanel::startClicked, this, &Tchat::openStartDialog);
    middle->addWidget(scorePanel_, 0, Qt::AlignHCenter);

    middle->addWidget(buildCompany(central), 1);
    layout->addLayout(middle, 1);

    board2_ = new BookBoard(2, *table_, redraw, central);
    layout->addWidget(board2_);

    setCentralWidget(central);
}

void Tchat::refresh() {
    scorePanel_->sync();
    board1_->sync();
    board2_->sync();
    if (manualSortAction_->isChecked() != table_->manualSort())
        manualSortAction_->setChecked(table_->manualSort());
    if (justWatchAction_->isChecked() != table_->justWatchChecked())
        justWatchAction_->setChecked(table_->justWatchChecked());
    // Also a player left at a host whose hosting player went may start the next game.
    startGameAction_->setEnabled(table_->mayStartGames());
    startDialog_->sync();
}

void Tchat::openStartDialog() {
    if (!table_->mayStartGames()) return;
    table_->openStartDialog(startDialog_->form());
    refresh();
    emit startGameRequested();
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Shown again when restored or raised; the session starts on the first show only.
    if (!paramsProcessed_) QMetaObject::invokeMethod(this, &Tchat::processparams, Qt::QueuedConnection);
}

void Tchat::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    testEcho("window", QStringLiteral("raised"));
}

void Tchat::exitProgram() { close(); }

// ---------------------------------------------------------------- connection

void Tchat::receive() {
    const QByteArray bytes = sock_.receiveText();
    if (bytes.isEmpty()) return;
    session_->receive(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    syncDrainTimer();
}

void Tchat::connectionInfo(const QString& text) {
    // Only "Socket Closed" matters to the table; a network error leaves it waiting.
    const QByteArray bytes = text.toLatin1();
    session_->connectionInfo(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void Tchat::drainTick() {
    bool handled = false;
    try {
        handled = session_->processsocktimer();
    } catch (const std::exception& error) {
        handled = true;
        errorBox(this, QString::fromLatin1(error.what()));
    }
    // The phrase lock counts these ticks, so the timer runs on while it is taken.
    phrases_->tick();
    if (handled) refresh();
    syncDrainTimer();
}

bool Tchat::needsTicks() const { return session_->queuedLines() > 0 || phrases_->locked(); }

void Tchat::syncDrainTimer() {
    if (!needsTicks())
        drainTimer_.stop();
    else if (!drainTimer_.isActive())
        drainTimer_.start();
}

// ---------------------------------------------------------------- ClientEvents

void Tchat::addlinetochat(std::string_view text, std::uint32_t colour) {
    chat_->addlinetochat(text, colour);
    testEcho("chat", latin1(text));
}

void Tchat::playsounds(std::string_view name) { sounds_->playsounds(name); }

void Tchat::sendToHost(std::string_view line) {
    QByteArray framed(line.data(), static_cast<qsizetype>(line.size()));
    framed.append(kTerminator);
    try {
        sock_.sendText(framed);
    } catch (const net::SocketError& error) {
        errorBox(this, QString::fromLatin1(error.what()));
    }
}

void Tchat::closeTable() {
    drainTimer_.stop();
    closingByProgram_ = true;
    close();
}

void Tchat::messageBox(std::string_view text) { infoBox(this, latin1(text)); }

void Tchat::loggedIn() {
    loadinifile();
    // A host without a table of its own (quintrel-server) gives its first connection slot 1:
    // that table gets the hosting player's controls.
    if (session_->hostingPlayer()) {
        table_->setIshost(true);
        startGameAction_->setEnabled(true);
    }
    syncSpyList();
    refresh();
}

}  // namespace quintrel::table
