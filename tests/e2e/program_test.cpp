// The real program, started as a player would start it, on a private port and instance name.

#include "qt_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace quintrel {
namespace {

using quintrel::kit::freePort;
using quintrel::kit::waitUntil;

struct Program {
    QProcess process;
    QByteArray out;
    QString instance;

    Program(const QString& instanceKey, quint16 port, const QStringList& args) : instance(instanceKey) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUINTREL_TEST_ECHO"), QStringLiteral("1"));
        env.insert(QStringLiteral("QUINTREL_PORT"), QString::number(port));
        env.insert(QStringLiteral("QUINTREL_LOBBY_PORT"), QString::number(freePort()));
        env.insert(QStringLiteral("QUINTREL_INSTANCE"), instance);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [this] { out += process.readAllStandardOutput(); });
        process.start(QStringLiteral(QUINTREL_PROGRAM), args);
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
        // A killed copy leaves its names behind; the next start would reclaim them anyway.
        QFile::remove(QDir::temp().filePath(QStringLiteral("ronlep11-%1.lock").arg(instance)));
        QFile::remove(QDir::temp().filePath(QStringLiteral("quintrel-%1").arg(instance)));
    }
    bool printed(const char* line) const { return out.contains(QByteArray(line) + '\n'); }
    bool running() const { return process.state() == QProcess::Running; }
};

QString instanceName(const char* test) {
    return QStringLiteral("e2e-%1-%2").arg(QLatin1String(test)).arg(QCoreApplication::applicationPid());
}

TEST(Program, WithoutArgumentsListensAndItsOwnTableLogsIn) {
    const quint16 port = freePort();
    Program game(instanceName("solo"), port, {});
    ASSERT_TRUE(waitUntil([&] { return game.printed("chat: You are Connected."); }, 15000))
        << game.out.toStdString();
    EXPECT_TRUE(game.printed("chat: Loading Solo Game..Please wait."));

    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(probe.waitForConnected(3000));
    EXPECT_TRUE(waitUntil([&] { return probe.bytesAvailable() > 0 || probe.waitForReadyRead(100); }, 3000));
    EXPECT_TRUE(probe.readAll().startsWith("CMD_sendlogininfo+2\xFF"));
    EXPECT_TRUE(game.running());
}

TEST(Program, SecondStartExitsAtOnceAndRaisesTheFirst) {
    const quint16 port = freePort();
    const QString instance = instanceName("second");
    Program first(instance, port, {});
    ASSERT_TRUE(waitUntil([&] { return first.printed("chat: You are Connected."); }, 15000));

    Program second(instance, freePort(), {});
    ASSERT_TRUE(second.process.waitForFinished(5000));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    second.out += second.process.readAllStandardOutput();
    EXPECT_TRUE(second.out.isEmpty()) << second.out.toStdString();  // no window, no line

    EXPECT_TRUE(waitUntil([&] { return first.printed("window: raised"); }, 5000));
    QTest::qWait(200);
    EXPECT_TRUE(first.running());
}

TEST(Program, UnknownHostShowsTheLookupErrorAndKeepsRunning) {
    Program game(instanceName("lookup"), freePort(),
                 {QStringLiteral("Bob"), QStringLiteral("somehost.invalid"), QStringLiteral("false")});
    ASSERT_TRUE(
        waitUntil([&] { return game.printed("box: Host Lookup - Could Not Find Host Entry"); }, 15000))
        << game.out.toStdString();
    EXPECT_TRUE(game.printed("chat: Loading Multi-player Game.. Please Wait."));
    QTest::qWait(500);
    EXPECT_TRUE(game.running());
}

TEST(Program, AHostThatFloodsTheTableIsNamedAndTheTableEnds) {
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&host, &QTcpServer::newConnection, [&] {
        QTcpSocket* table = host.nextPendingConnection();
        QByteArray burst("CMD_sendlogininfo+2\xFF");
        for (int i = 0; i < 100000; ++i) burst += "CMD_chat+Ann chats: flood|0\xFF";
        table->write(burst);
    });
    Program game(instanceName("flood"), host.serverPort(),
                 {QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(waitUntil([&] { return game.printed("box: The host sent too much data."); }, 15000))
        << game.out.right(2000).toStdString();
    ASSERT_TRUE(waitUntil([&] { return !game.running(); }, 10000));
    EXPECT_EQ(game.process.exitCode(), 0);
}

}  // namespace
}  // namespace quintrel
