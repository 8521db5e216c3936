// The real program, started as a player would start it, on a private port and instance name.

#include "qt_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace quintrel {
namespace {

using quintrel::kit::waitUntil;

// Unless told a port to join, the program picks its own game port (QUINTREL_PORT=0) and says
// which; nobody listens on its lobby port.
struct Program {
    QTemporaryDir userFolders;  // the settings and the tally of this run
    QProcess process;
    QByteArray out;
    QString instance;
    kit::RefusedPort lobby;

    // settings: the settings file's text, when the run should find one.
    Program(const QString& instanceKey, const QStringList& args, quint16 port = 0,
            const QByteArray& settings = {}, const QString& program = QStringLiteral(QUINTREL_PROGRAM))
        : instance(instanceKey) {
        if (!settings.isEmpty()) {
            QDir().mkpath(userFolders.filePath(QStringLiteral("config/quintrel")));
            QFile file(userFolders.filePath(QStringLiteral("config/quintrel/pelnorlobby.ini")));
            if (file.open(QIODevice::WriteOnly)) file.write(settings);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUINTREL_TEST_ECHO"), QStringLiteral("1"));
        env.insert(QStringLiteral("QUINTREL_PORT"), QString::number(port));
        env.insert(QStringLiteral("QUINTREL_LOBBY_PORT"), QString::number(lobby.port()));
        env.insert(QStringLiteral("QUINTREL_INSTANCE"), instance);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), userFolders.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), userFolders.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [this] { out += process.readAllStandardOutput(); });
        process.start(program, args);
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
    // The game port the program said it listens on, 0 before it has.
    quint16 gamePort() const {
        const QByteArray marker = "host: listening on port ";
        const qsizetype at = out.indexOf(marker);
        if (at < 0 || out.indexOf('\n', at) < 0) return 0;
        return static_cast<quint16>(out.mid(at + marker.size()).split('\n').first().toUInt());
    }
    bool running() const { return process.state() == QProcess::Running; }
};

QString instanceName(const char* test) {
    return QStringLiteral("e2e-%1-%2").arg(QLatin1String(test)).arg(QCoreApplication::applicationPid());
}

TEST(Program, WithoutArgumentsListensAndItsOwnTableLogsIn) {
    Program game(instanceName("solo"), {});
    ASSERT_TRUE(waitUntil([&] { return game.printed("chat: You are Connected."); }, 15000))
        << game.out.toStdString();
    EXPECT_TRUE(game.printed("chat: Loading Solo Game..Please wait."));
    ASSERT_NE(game.gamePort(), 0) << game.out.toStdString();

    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, game.gamePort());
    EXPECT_TRUE(probe.waitForConnected(3000));
    EXPECT_TRUE(waitUntil([&] { return probe.bytesAvailable() > 0 || probe.waitForReadyRead(100); }, 3000));
    EXPECT_TRUE(probe.readAll().startsWith("CMD_sendlogininfo+2\xFF"));
    EXPECT_TRUE(game.running());
}

// What the running program has mapped: its libraries and modules.
QByteArray mapped(const Program& game) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(game.process.processId()));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

// The audio libraries are loaded with the first cue, which comes with the login: with the
// sounds off they never are, and a start that loads them up front is a slower one.
TEST(Program, WithSoundsOffTheAudioLibrariesAreNeverLoaded) {
    Program game(instanceName("quiet"), {}, 0, "[quintrel]\nPlaysounds=false\n");
    ASSERT_TRUE(waitUntil([&] { return game.printed("chat: You are Connected."); }, 15000))
        << game.out.toStdString();
    QTest::qWait(300);  // the deal's cues
    const QByteArray maps = mapped(game);
    EXPECT_TRUE(maps.contains("libQt6Widgets"));
    EXPECT_FALSE(maps.contains("libQt6Multimedia"));
}

bool soundModuleLoaded(const Program& game) { return mapped(game).contains("quintrel-sound.so"); }

// A copy of the program alone plays silently and says why once; with the sound module beside
// it, it plays.
TEST(Program, APortableCopyFindsItsSoundModuleBesideIt) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("quintrel"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUINTREL_PROGRAM), copy));
    {
        Program game(instanceName("alone"), {}, 0, {}, copy);
        ASSERT_TRUE(waitUntil([&] { return game.printed("chat: You are Connected."); }, 15000));
        QTest::qWait(300);  // the deal's cues
        EXPECT_TRUE(game.running());
        EXPECT_FALSE(soundModuleLoaded(game));
        EXPECT_EQ(game.process.readAllStandardError().count("no sound: "), 1);
    }
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUINTREL_SOUND_MODULE),
                            folder.filePath(QStringLiteral("quintrel-sound.so"))));
    Program game(instanceName("beside"), {}, 0, {}, copy);
    ASSERT_TRUE(waitUntil([&] { return game.printed("chat: You are Connected."); }, 15000));
    EXPECT_TRUE(waitUntil([&] { return soundModuleLoaded(game); }, 3000));
}

TEST(Program, SecondStartExitsAtOnceAndRaisesTheFirst) {
    const QString instance = instanceName("second");
    Program first(instance, {});
    ASSERT_TRUE(waitUntil([&] { return first.printed("chat: You are Connected."); }, 15000));

    Program second(instance, {});
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
    Program game(instanceName("lookup"),
                 {QStringLiteral("Bob"), QString::fromLatin1(kit::kUnknownHost), QStringLiteral("false")});
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
    Program game(instanceName("flood"),
                 {QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")},
                 host.serverPort());
    ASSERT_TRUE(waitUntil([&] { return game.printed("box: The host sent too much data."); }, 15000))
        << game.out.right(2000).toStdString();
    ASSERT_TRUE(waitUntil([&] { return !game.running(); }, 10000));
    EXPECT_EQ(game.process.exitCode(), 0);
}

}  // namespace
}  // namespace quintrel
