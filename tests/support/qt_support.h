#pragma once
// Helpers for tests that run the event loop over real loopback sockets.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTest>

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

inline std::string str(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quintrel::kit
