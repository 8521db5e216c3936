#pragma once
// The table window against a real host in the same process. Game ports are never guessed: a
// table that hosts has its host listen on any free port (QUINTREL_PORT=0), and the port it got
// becomes the game port of tables that join later in the test. A stand-in lobby listens on
// another port (QUINTREL_LOBBY_PORT), and the boxes the table would show are recorded instead.

#include <gtest/gtest.h>

#include <QTcpServer>

#include <memory>

#include "host/qt/running_host.h"
#include "qt_support.h"
#include "table/qt/message_boxes.h"
#include "table/qt/tchat.h"

namespace quintrel::kit {

class WindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QUINTREL_PORT", "0");
        lobby.listen(QHostAddress::LocalHost, 0);
        qputenv("QUINTREL_LOBBY_PORT", QByteArray::number(lobby.serverPort()));
        QObject::connect(&lobby, &QTcpServer::newConnection, [this] {
            while (lobby.nextPendingConnection()) ++lobbyConnections;
        });
        table::setMessageBoxSink([this](const QString& text) { boxes << text; });
    }
    void TearDown() override {
        table::setMessageBoxSink({});
        host.reset();
    }

    void startHost(ServerOptions options = {}) { host = std::make_unique<host::RunningHost>(options); }
    // The host listens; tables that join afterwards find it at QUINTREL_PORT.
    quint16 listen(net::ListenScope scope, quint16 port = 0) {
        host->startListening(scope, port);
        const quint16 bound = host->listener().port();
        qputenv("QUINTREL_PORT", QByteArray::number(bound));
        return bound;
    }
    // What the desktop program hands its table window: the host's listener.
    table::Tchat::StartListening listenerStarter() {
        return [this](net::ListenScope scope, quint16 port) { return listen(scope, port); };
    }

    std::unique_ptr<host::RunningHost> host;
    QTcpServer lobby;
    int lobbyConnections = 0;
    QStringList boxes;
};

}  // namespace quintrel::kit
