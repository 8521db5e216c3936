// The table window's start of a session: the command line, hosting and joining.

#include "chat/colour_text.h"
#include "net/qt/game_port.h"
#include "net/qt/socket_texts.h"
#include "table/qt/message_boxes.h"
#include "table/qt/start_dialog.h"
#include "table/qt/tchat.h"
#include "table/table_state.h"
#include "net/qt/latin1_text.h"

#include <QAction>

namespace quintrel::table {

void Tchat::processparams() {
    if (paramsProcessed_) return;
    paramsProcessed_ = true;

    startGameAction_->setEnabled(false);

    plan_ = net::planSession(args_);
    addlinetochat(plan_.loadingLine, chat::kBlue);
    if (plan_.showDownloadWindow) emit downloadWindowRequested();
    if (plan_.mode == net::SessionMode::Waiting) return;

    playername_ = plan_.playername;
    hostaddress_ = plan_.hostaddress;
    try {
        if (plan_.mode == net::SessionMode::Join)
            joinpress();
        else
            hostpress();
    } catch (const net::SocketError& error) {
        // The copy stays up without listener, connection or lobby link.
        errorBox(this, QString::fromLatin1(error.what()));
    }
}

void Tchat::hostpress() {
    if (!startListening_) throw net::SocketError(net::kListenStartError);
    // A solo game is a private table: nobody but this machine may connect to it.
    const auto scope = plan_.mode == net::SessionMode::Solo ? net::ListenScope::LoopbackOnly
                                                            : net::ListenScope::AllAddresses;
    const quint16 port = startListening_(scope, gamePort_);
    testEcho("host", QStringLiteral("listening on port %1").arg(port));
    session_->setPlayerName(playername_);
    ishost_ = true;
    startConnecting(QString::fromLatin1(net::kLoopbackAddress), port);
    table_->setIshost(true);
    table_->setPlayername(playername_);
    startGameAction_->setEnabled(true);
    refresh();
}

void Tchat::joinpress() {
    session_->setPlayerName(playername_);
    table_->setPlayername(playername_);
    startConnecting(latin1(hostaddress_), gamePort_);
    startGameAction_->setEnabled(false);
}

void Tchat::startConnecting(const QString& address, quint16 port) {
    sock_.setHostName(address);
    sock_.setPort(port);
    sock_.open([this](const QString& error) {
        if (!error.isEmpty()) {
            errorBox(this, error);  // no lobby link either
            return;
        }
        afterConnectStarted();
    });
}

void Tchat::afterConnectStarted() {
    if (plan_.openLobbyLink) {
        // Idle by design: the lobby only needs to see the connection while the game runs.
        lobbyLink_.setHostName(QString::fromLatin1(net::kLoopbackAddress));
        lobbyLink_.setPort(net::lobbyPort());
        lobbyLink_.open();
    }
    startOptions_ = plan_.startOptions;
    startDialog_->offerBotOptions(startOptions_ == net::StartOptions::ShowTargetsDisabled);
}

}  // namespace quintrel::table
