#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QProcess>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "extras/qt/desktop_open.h"
#include "extras/qt/download_window.h"
#include "extras/qt/table_look.h"

#include <memory>

namespace quintrel {
namespace {

// An https server on 127.0.0.1 with a certificate openssl makes for this run, which the
// test's client trusts. It answers every GET with `body`, whole, stalled after its first
// kBlock bytes, or cut short after them.
class HttpsServer {
public:
    enum class Mode { Whole, Stall, Short };
    static constexpr int kBlock = 1000;

    bool start(const QString& folder) {
        const QString cert = folder + "/cert.pem", key = folder + "/key.pem";
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                       "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                       "subjectAltName=IP:127.0.0.1"});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) return false;
        QFile certFile(cert), keyFile(key);
        if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) return false;
        const QSslCertificate certificate(&certFile, QSsl::Pem);
        QSslConfiguration serverSide = QSslConfiguration::defaultConfiguration();
        serverSide.setLocalCertificate(certificate);
        serverSide.setPrivateKey(QSslKey(&keyFile, QSsl::Ec, QSsl::Pem));
        server_.setSslConfiguration(serverSide);
        QSslConfiguration clientSide = QSslConfiguration::defaultConfiguration();
        clientSide.addCaCertificate(certificate);
        QSslConfiguration::setDefaultConfiguration(clientSide);
        QObject::connect(&server_, &QSslServer::pendingConnectionAvailable, [this] {
            while (auto* socket = static_cast<QSslSocket*>(server_.nextPendingConnection()))
                QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
        return server_.listen(QHostAddress::LocalHost, 0);
    }
    QString url(const QString& file) const {
        return QStringLiteral("https://127.0.0.1:%1/files/%2").arg(server_.serverPort()).arg(file);
    }

    Mode mode = Mode::Whole;
    QByteArray body;
    QList<QByteArray> requests;

private:
    void answer(QSslSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        requests << request;
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n");
        socket->write(mode == Mode::Whole ? body : body.left(kBlock));
        if (mode == Mode::Short) socket->disconnectFromHost();
    }

    QSslServer server_;
    std::map<QSslSocket*, QByteArray> pending_;
};

class LobbyDownload : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath(QStringLiteral("data"))));
        ASSERT_TRUE(server.start(folder.path())) << "openssl could not make a certificate";
        for (int i = 0; i < 200000; ++i) server.body.append(static_cast<char>('a' + i % 26));
        setDesktopOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        window.setReporter([this](const QString& text) { messages << text; });
        QObject::connect(&window, &Tdownload::progressChanged,
                         [this](const QString& text) { progress << text; });
        QObject::connect(&window, &Tdownload::phaseChanged, [this](const QString& text) { phases << text; });
    }
    void TearDown() override { setDesktopOpener({}); }

    QPushButton* button(const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    bool ended() { return button("getbutton")->isEnabled() && !button("abortbutton")->isEnabled(); }
    QString expectedFile() const { return folder.filePath(QStringLiteral("data/quintrel/lobby-setup.deb")); }
    QByteArray saved() const {
        QFile file(expectedFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    HttpsServer server;
    Tdownload window;
    QList<QUrl> opened;
    QStringList messages, progress, phases;
};

TEST_F(LobbyDownload, FetchesOverHttpsWithProgressAndHandsTheWholeFileToTheDesktop) {
    QSignalSpy closing(&window, &Tdownload::closeGameRequested);
    window.setLobby(server.url(QStringLiteral("lobby-setup.deb")), QString());
    ASSERT_TRUE(button("getbutton")->isEnabled());
    button("getbutton")->click();
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::Running);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended(); }, 10000));

    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray request = server.requests[0];
    EXPECT_TRUE(request.startsWith("GET /files/lobby-setup.deb HTTP/1.1\r\n"));
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"));
    EXPECT_TRUE(request.contains("\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"));

    // "Loading", a dot per header line (three), a byte count per block, then the size.
    ASSERT_GE(progress.size(), 4);
    EXPECT_EQ(progress[0], QStringLiteral("Loading"));
    EXPECT_EQ(progress[1], QStringLiteral("Loading..."));
    EXPECT_EQ(progress.back(), QStringLiteral("Received 200000 bytes"));
    EXPECT_EQ(progress[progress.size() - 2], QStringLiteral("200000 bytes"));
    EXPECT_TRUE(phases.contains(QStringLiteral("Downloading: lobby-setup.deb")));
    EXPECT_EQ(window.phaseText(), QStringLiteral("Installing"));
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::Running);

    EXPECT_EQ(saved(), server.body);
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(expectedFile())});
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(LobbyDownload, StopShowsDownloadAbortedOnBothLinesKeepsThePartAndASecondTryStartsOver) {
    server.mode = HttpsServer::Mode::Stall;
    window.setLobby(server.url(QStringLiteral("lobby-setup.deb")), QString());
    button("getbutton")->click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.progressText() == QStringLiteral("1000 bytes"); }, 10000));
    EXPECT_FALSE(button("getbutton")->isEnabled());
    button("abortbutton")->click();

    EXPECT_TRUE(ended());
    EXPECT_EQ(window.progressText(), QStringLiteral("Download Aborted"));
    EXPECT_EQ(window.phaseText(), QStringLiteral("Download Aborted"));
    EXPECT_TRUE(progress.contains(QStringLiteral("Download has been aborted.")));
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::Failed);
    EXPECT_EQ(saved(), server.body.left(HttpsServer::kBlock));
    QTest::qWait(100);
    EXPECT_TRUE(opened.isEmpty());

    server.mode = HttpsServer::Mode::Whole;
    button("getbutton")->click();
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::Running);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended(); }, 10000));
    EXPECT_EQ(window.progressText(), QStringLiteral("Received 200000 bytes"));
    EXPECT_EQ(saved(), server.body);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(LobbyDownload, ABodyShorterThanAnnouncedIsNeverOpened) {
    QSignalSpy closing(&window, &Tdownload::closeGameRequested);
    server.mode = HttpsServer::Mode::Short;
    window.setLobby(server.url(QStringLiteral("lobby-setup.deb")), QString());
    button("getbutton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended(); }, 10000));
    EXPECT_EQ(window.progressText(), QStringLiteral("Download Aborted"));
    EXPECT_EQ(window.phaseText(), QStringLiteral("Download incomplete: 1000 of 200000 bytes"));
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::Failed);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(closing.count(), 0);
}

TEST_F(LobbyDownload, WithoutAnHttpsAddressNothingIsFetchedAndTheWindowSaysWhy) {
    QTcpServer plain;
    ASSERT_TRUE(plain.listen(QHostAddress::LocalHost, 0));
    int connections = 0;
    QObject::connect(&plain, &QTcpServer::newConnection, [&] { ++connections; });

    window.setLobby(QString(), QString());
    EXPECT_FALSE(button("getbutton")->isEnabled());
    EXPECT_TRUE(window.phaseText().contains(QStringLiteral("LobbyURL"))) << window.phaseText().toStdString();

    window.setLobby(QStringLiteral("http://127.0.0.1:%1/lobby-setup.deb").arg(plain.serverPort()), QString());
    EXPECT_FALSE(button("getbutton")->isEnabled());
    EXPECT_TRUE(window.phaseText().contains(QStringLiteral("https"))) << window.phaseText().toStdString();
    window.getbuttonClick();  // even when asked directly
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("https address")));
    QTest::qWait(200);
    EXPECT_EQ(connections, 0);
    EXPECT_EQ(window.downloadState(), Tdownload::DownloadState::None);
    EXPECT_FALSE(QFile::exists(expectedFile()));
}

TEST_F(LobbyDownload, PlayWithOthersStartsAnInstalledLobbyOrLeavesTheWayToTheTable) {
    QSignalSpy closing(&window, &Tdownload::closeGameRequested);
    QSignalSpy others(&window, &Tdownload::playWithOthersRequested);
    const QString program = folder.filePath(QStringLiteral("lobby.sh"));
    const QString marker = folder.filePath(QStringLiteral("lobby-ran"));

    window.setLobby(QString(), program);  // not there
    window.show();
    button("Button2")->click();
    EXPECT_EQ(others.count(), 1);
    EXPECT_EQ(closing.count(), 0);
    EXPECT_FALSE(window.isVisible());

    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    button("Button2")->click();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(others.count(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000));

    QSignalSpy hiding(&window, &Tdownload::hideDownloadChanged);
    window.findChild<QCheckBox*>(QStringLiteral("checkbox_hide"))->click();
    ASSERT_EQ(hiding.count(), 1);
    EXPECT_TRUE(hiding[0][0].toBool());
    button("Button1")->click();
    EXPECT_FALSE(window.isVisible());
}

// The window's wrapped status lines remember the heights they measured; a new text or font
// must be measured anew, or the line is cut off.
TEST(WrappedText, AChangedTextOrFontIsMeasuredAnew) {
    const std::unique_ptr<QLabel> label(look::plateText(QStringLiteral("Loading"), nullptr));
    const auto measuredAfresh = [&] {
        QLabel fresh;
        fresh.setTextFormat(Qt::PlainText);
        fresh.setWordWrap(true);
        fresh.setFont(label->font());
        fresh.setText(label->text());
        return fresh.heightForWidth(120);
    };
    const int oneLine = label->heightForWidth(120);
    EXPECT_EQ(oneLine, measuredAfresh());
    label->setText(QStringLiteral("No download address is set (LobbyURL in pelnorlobby.ini)."));
    EXPECT_GT(label->heightForWidth(120), oneLine);
    EXPECT_EQ(label->heightForWidth(120), measuredAfresh());
    label->setFont(look::pixelFont(24));
    EXPECT_EQ(label->heightForWidth(120), measuredAfresh());
}

}  // namespace
}  // namespace quintrel
