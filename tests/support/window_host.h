#pragma once
// The table window against a real host in the same process. Game ports are never guessed: a
// table that hosts has its host listen on any free port (QUINTREL_PORT=0), and the port it got
// becomes the game port of tables that join later in the test. A stand-in lobby listens on
// another port (QUINTREL_LOBBY_PORT), the boxes the table would show are recorded instead, and
// the settings and the tally live in a folder of the test's own (XDG_CONFIG_HOME,
// XDG_DATA_HOME), never in the user's.

#include <gtest/gtest.h>

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

#include "host/qt/running_host.h"
#include "qt_support.h"
#include "table/qt/message_boxes.h"
#include "table/qt/tchat.h"

namespace quintrel::kit {

class WindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(userFolders.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("data"))));
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
    // A table window as the desktop program makes it: it hosts through `host` when its command
    // line says so. Not yet shown.
    std::unique_ptr<table::Tchat> makeTable(std::vector<std::string> args) {
        auto table = std::make_unique<table::Tchat>(std::move(args));
        table->setStartListening(listenerStarter());
        return table;
    }
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

    QTemporaryDir userFolders;
    std::unique_ptr<host::RunningHost> host;
    QTcpServer lobby;
    int lobbyConnections = 0;
    QStringList boxes;
};

}  // namespace quintrel::kit
