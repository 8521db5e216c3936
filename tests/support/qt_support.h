#pragma once
// Helpers for tests that run the event loop over real loopback sockets, and read the chat log.

#include <QByteArray>
#include <QHostAddress>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace quintrel::kit {

// A loopback port that is bound but never listens, for as long as this object lives: a
// connection to it is refused at once, and nobody else can take the port meanwhile.
class RefusedPort {
public:
    RefusedPort() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~RefusedPort() {
        if (fd_ >= 0) ::close(fd_);
    }
    RefusedPort(const RefusedPort&) = delete;
    RefusedPort& operator=(const RefusedPort&) = delete;
    quint16 port() const { return port_; }

private:
    int fd_;
    quint16 port_ = 0;
};

// A host name the lookup refuses by itself (an empty label), whatever the machine's resolver
// would say of a name that merely does not exist.
inline const char* const kUnknownHost = "no-such-host..invalid";

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
