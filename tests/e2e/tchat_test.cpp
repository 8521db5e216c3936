#include "net/qt/game_port.h"
#include "window_host.h"
#include "chat/qt/chat_log_view.h"
#include "table/qt/message_boxes.h"
#include "table/qt/tchat.h"

#include <QAction>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace quintrel::table {
namespace {

using quintrel::kit::waitUntil;

QStringList chatLines(const Tchat& table) {
    QStringList lines = table.mainchat()->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

struct TableFixture : kit::WindowHostTest {
    void SetUp() override {
        WindowHostTest::SetUp();
        startHost();
    }

    std::unique_ptr<Tchat> start(std::vector<std::string> args) {
        auto table = makeTable(std::move(args));
        table->show();
        return table;
    }
    static bool connected(const Tchat& table) {
        return chatLines(table).contains(QStringLiteral("You are Connected."));
    }
    static bool startGameEnabled(const Tchat& table) {
        return table.findChild<QAction*>(QStringLiteral("StartGame1"))->isEnabled();
    }
    static bool startButtonShown(const Tchat& table) {
        return table.findChild<QPushButton*>(QStringLiteral("button_start"))->isVisible();
    }
};

TEST_F(TableFixture, SoloGameHostsPrivatelyAndItsTableLogsIn) {
    auto table = std::make_unique<Tchat>(std::vector<std::string>{});
    table->setStartListening(listenerStarter());
    int downloadOffers = 0;
    QObject::connect(table.get(), &Tchat::downloadWindowRequested, [&] { ++downloadOffers; });
    table->show();
    ASSERT_TRUE(waitUntil([&] { return connected(*table); }));
    EXPECT_EQ(chatLines(*table).front(), QStringLiteral("Loading Solo Game..Please wait."));
    EXPECT_EQ(table->playername(), "You");
    EXPECT_TRUE(table->ishost());
    EXPECT_EQ(table->session().myseat(), 1);
    EXPECT_TRUE(startGameEnabled(*table));
    EXPECT_TRUE(startButtonShown(*table));
    EXPECT_EQ(downloadOffers, 1);
    EXPECT_EQ(table->startOptions(), net::StartOptions::ShowTargetsDisabled);
    QTest::qWait(50);
    EXPECT_EQ(lobbyConnections, 0);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(TableFixture, OneOrTwoArgumentsOnlyShowTheLoadingLine) {
    for (const auto& args : {std::vector<std::string>{"Bob"}, std::vector<std::string>{"Bob", "127.0.0.1"}}) {
        auto table = start(args);
        ASSERT_TRUE(waitUntil([&] { return !chatLines(*table).isEmpty(); }));
        QTest::qWait(100);
        EXPECT_EQ(chatLines(*table), QStringList{QStringLiteral("Loading Multi-player Game.. Please Wait.")});
        EXPECT_FALSE(host->listener().isListening());
        EXPECT_FALSE(startGameEnabled(*table));
        EXPECT_FALSE(startButtonShown(*table));
        EXPECT_EQ(lobbyConnections, 0);
        EXPECT_TRUE(boxes.isEmpty());
    }
}

TEST_F(TableFixture, HostModeConnectsToItsOwnListenerAndOpensTheLobbyLink) {
    // A documentation address: connecting there would never succeed.
    auto table = start({"Bob", "192.0.2.1", "true"});
    ASSERT_TRUE(waitUntil([&] { return connected(*table); }));
    EXPECT_EQ(table->sock().hostName(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(table->playername(), "Bob");
    EXPECT_TRUE(table->ishost());
    EXPECT_TRUE(startGameEnabled(*table));
    EXPECT_TRUE(waitUntil([&] { return lobbyConnections == 1; }));
    EXPECT_EQ(table->startOptions(), net::StartOptions::Unchanged);
}

TEST_F(TableFixture, AnythingButTrueJoinsAndARefusedJoinShowsItsErrorBox) {
    const kit::RefusedPort nobody;
    qputenv("QUINTREL_PORT", QByteArray::number(nobody.port()));
    auto table = start({"Bob", "127.0.0.1", "TRUE", "t"});
    ASSERT_TRUE(waitUntil([&] { return lobbyConnections == 1; }));
    EXPECT_FALSE(table->ishost());
    EXPECT_FALSE(host->listener().isListening());
    EXPECT_FALSE(startGameEnabled(*table));
    EXPECT_EQ(table->startOptions(), net::StartOptions::ShowTargetsDisabled);
    // Nobody listens on the game port: the player is told at once, and keeps the window.
    ASSERT_TRUE(waitUntil([&] { return !boxes.isEmpty(); }, 5000));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Error #10061 (WSAECONNREFUSED)")});
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(chatLines(*table), QStringList{QStringLiteral("Loading Multi-player Game.. Please Wait.")});
}

TEST_F(TableFixture, UnknownHostShowsTheLookupErrorAndOpensNoLobbyLink) {
    auto table = start({"Bob", kit::kUnknownHost, "false"});
    ASSERT_TRUE(waitUntil([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Host Lookup - Could Not Find Host Entry")});
    QTest::qWait(100);
    EXPECT_EQ(lobbyConnections, 0);
    EXPECT_TRUE(table->isVisible());
}

TEST_F(TableFixture, BusyGamePortShowsTheBindingErrorAndStops) {
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::Any, 0));
    qputenv("QUINTREL_PORT", QByteArray::number(squatter.serverPort()));
    auto table = start({"Bob", "x", "true"});
    ASSERT_TRUE(waitUntil([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Listen - Error Binding Socket")});
    QTest::qWait(100);
    EXPECT_FALSE(table->ishost());
    EXPECT_FALSE(squatter.hasPendingConnections());
    EXPECT_EQ(lobbyConnections, 0);
    EXPECT_FALSE(startGameEnabled(*table));
    EXPECT_TRUE(table->isVisible());
}

TEST_F(TableFixture, ShowingTheWindowAgainRestoresItButStartsNoSecondSession) {
    auto table = start({});
    ASSERT_TRUE(waitUntil([&] { return connected(*table); }));
    table->hide();
    table->show();
    table->showMinimized();
    table->bringToFront();
    QTest::qWait(200);
    EXPECT_FALSE(table->isMinimized());
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(chatLines(*table).count(QStringLiteral("Loading Solo Game..Please wait.")), 1);
    EXPECT_EQ(host->server().connectioncount(), 1);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(TableFixture, TheTableClosesWhenTheHostGoesAway) {
    auto table = start({});
    ASSERT_TRUE(waitUntil([&] { return connected(*table); }));
    host->shutdown();
    EXPECT_TRUE(waitUntil([&] { return !table->isVisible(); }));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("The host has closed the table.")});
}

TEST_F(TableFixture, FileExitClosesTheTable) {
    auto table = start({"Bob"});
    ASSERT_TRUE(waitUntil([&] { return !chatLines(*table).isEmpty(); }));
    table->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
    EXPECT_FALSE(table->isVisible());
}

}  // namespace
}  // namespace quintrel::table
