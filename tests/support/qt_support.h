#pragma once
// Helpers for tests that run the event loop over real loopback sockets, and read the chat log.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>

#include <string>

namespace quintrel::kit {

// A port nobody listens on right now.
inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Runs the event loop until `done` holds or the time is up.
template <typename Predicate>
bool waitUntil(Predicate done, int ms = 5000) {
    return QTest::qWaitFor(done, ms);
}

// A chat log line as its runs: "*bold*" or plain text, each followed by "@" and its colour.
inline QString runsOf(const QTextBlock& block) {
    QStringList runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        const QString text = it.fragment().text();
        runs << (format.fontWeight() == QFont::Bold ? "*" + text + "*" : text) + "@" +
                    format.foreground().color().name();
    }
    return runs.join(QLatin1Char(' '));
}

inline std::string str(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quintrel::kit
