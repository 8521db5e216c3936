#include "table/qt/tchat.h"

#include "extras/qt/sound_player.h"
#include "net/qt/socket_texts.h"
#include "table/qt/chat_log.h"
#include "table/qt/message_boxes.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace quintrel::table {
namespace {

constexpr int kTimer1Ms = 1;
constexpr char kTerminator = '\xFF';

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFrame* boardPanel(const QString& name, const QString& caption, const QString& colour, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setMinimumSize(200, 290);
    panel->setStyleSheet(QStringLiteral("QFrame#%1 { background: #1f5a32; border: 2px solid %2; border-radius: 6px; }")
                             .arg(name, colour));
    auto* title = new QLabel(caption, panel);
    title->setStyleSheet(QStringLiteral("color: white; font-weight: bold; background: %1; padding: 2px 6px;").arg(colour));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(title, 0, Qt::AlignTop | Qt::AlignHCenter);
    layout->addStretch(1);
    return panel;
}

}  // namespace

Tchat::Tchat(std::vector<std::string> args, QWidget* parent)
    : QMainWindow(parent),
      args_(std::move(args)),
      sounds_(std::make_unique<SoundPlayer>()),
      gameView_(std::make_unique<GameView>()) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Quintrel"));
    session_ = std::make_unique<ClientSession>(*this, *gameView_);

    sock_.setObjectName(QStringLiteral("sock"));
    Sock11_.setObjectName(QStringLiteral("Sock11"));
    connect(&sock_, &net::TSock::readReady, this, &Tchat::sockRead);
    connect(&sock_, &net::TSock::info, this, [this](int, const QString& text) { sockInfo(text); });

    // Runs only while lines wait in the queue: an idle 1 ms timer costs a few percent of a core.
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer1_.setInterval(kTimer1Ms);
    connect(&Timer1_, &QTimer::timeout, this, &Tchat::Timer1Timer);

    buildMenus();
    buildPanels();
    resize(980, 720);
}

Tchat::~Tchat() {
    Timer1_.stop();
    sock_.disconnect(this);
}

void Tchat::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    StartGame1_ = file->addAction(QStringLiteral("Start Game"));
    StartGame1_->setObjectName(QStringLiteral("StartGame1"));
    StartGame1_->setEnabled(false);
    connect(StartGame1_, &QAction::triggered, this, &Tchat::startGameRequested);
    file->addSeparator();
    Exit1_ = file->addAction(QStringLiteral("Exit"));
    Exit1_->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1_, &QAction::triggered, this, &Tchat::Exit1Click);
}

void Tchat::buildPanels() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("table"));
    central->setStyleSheet(QStringLiteral("QWidget#table { background: #2e7d4f; }"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* top = new QHBoxLayout;
    panel_score_ = new QFrame(central);
    panel_score_->setObjectName(QStringLiteral("panel_score"));
    panel_score_->setFixedSize(385, 290);
    panel_score_->setStyleSheet(
        QStringLiteral("QFrame#panel_score { background: #265f3c; border: 2px solid #d8c27a; border-radius: 6px; }"));
    button_start_ = new QPushButton(QStringLiteral("Start Game"), panel_score_);
    button_start_->setObjectName(QStringLiteral("button_start"));
    button_start_->setGeometry(195, 246, 100, 32);
    button_start_->hide();
    connect(button_start_, &QPushButton::clicked, this, &Tchat::startGameRequested);
    top->addWidget(panel_score_, 0, Qt::AlignTop);
    top->addWidget(boardPanel(QStringLiteral("panel_board1"), QStringLiteral("Green Team's Books"),
                              QStringLiteral("#1b7a2e"), central), 1);
    top->addWidget(boardPanel(QStringLiteral("panel_board2"), QStringLiteral("Blue Team's Books"),
                              QStringLiteral("#1c2f78"), central), 1);
    layout->addLayout(top);

    mainchat_ = new ChatLog(central);
    mainchat_->setMinimumHeight(160);
    layout->addWidget(mainchat_, 1);

    mychat_ = new QLineEdit(central);
    mychat_->setObjectName(QStringLiteral("mychat"));
    QFont typing(QStringLiteral("Arial"));
    typing.setPixelSize(13);
    mychat_->setFont(typing);
    mychat_->setText(QStringLiteral("<Enter Chat Here>"));
    layout->addWidget(mychat_);

    setCentralWidget(central);
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

void Tchat::Exit1Click() { close(); }

// ---------------------------------------------------------------- connection

void Tchat::sockRead() {
    const QByteArray bytes = sock_.receiveText();
    if (bytes.isEmpty()) return;
    session_->sockRead(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (session_->queuedLines() > 0 && !Timer1_.isActive()) Timer1_.start();
}

void Tchat::sockInfo(const QString& text) {
    // Only "Socket Closed" matters to the table; a network error leaves it waiting.
    const QByteArray bytes = text.toLatin1();
    session_->sockInfo(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void Tchat::Timer1Timer() {
    try {
        session_->processsocktimer();
    } catch (const std::exception& error) {
        errorBox(this, QString::fromLatin1(error.what()));
    }
    if (session_->queuedLines() == 0) Timer1_.stop();
}

// ---------------------------------------------------------------- ClientEvents

void Tchat::addlinetochat(std::string_view text, std::uint32_t colour) {
    mainchat_->addlinetochat(text, colour);
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
    Timer1_.stop();
    close();
}

void Tchat::messageBox(std::string_view text) { infoBox(this, latin1(text)); }

}  // namespace quintrel::table
