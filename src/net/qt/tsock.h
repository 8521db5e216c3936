#pragma once
// TSock: the event-driven stream socket every connection of the program goes through.
// One object is either a listener, an outgoing connection or an accepted connection.
//
//   listen()      bind and listen, backlog 5; throws SocketError with the text to show
//   open()        connect without blocking; a name is looked up first, asynchronously
//   accept()      take the waiting connection off a listener
//   sendText()    buffered send; throws "Send - Socket Not Connected" on a closed object. A
//                 peer that leaves more than kMaxUnsent bytes unread is cut off: the
//                 connection is aborted and reported closed, like any lost connection.
//   receiveText() every byte received so far
//   close()       orderly close after the queued bytes are out; reports "Socket Closed"
//
// Events: readReady (bytes arrived), acceptReady (a connection waits), info (progress and
// diagnostics; "Socket Closed" once per connection, "Error #n (NAME)" for a network error),
// peerDisconnected (the peer closed in order; "Socket Closed" follows).
// A connect that is not made within the connect timeout is reported as a network error.
// A network error is reported as info only; the connection is dead afterwards but no
// "Socket Closed" follows it.

#include <QByteArray>
#include <QByteArrayView>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace quintrel::net {

enum class ListenScope {
    AllAddresses,  // a table other people join
    LoopbackOnly,  // a private table (solo game)
};

class TSock : public QObject {
    Q_OBJECT
public:
    // Bytes that may wait to be sent. A catch-up is a few kilobytes; a table that reads
    // nothing would otherwise grow its sender without end.
    static constexpr qint64 kMaxUnsent = 1024 * 1024;

    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;

    void setHostName(const QString& host) { hostName_ = host; }
    const QString& hostName() const { return hostName_; }
    void setPort(quint16 port) { port_ = port; }
    quint16 port() const { return port_; }
    void setTag(int tag) { tag_ = tag; }
    // An outgoing connect not made within this time fails with "Error #10060 (WSAETIMEDOUT)".
    void setConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
    int tag() const { return tag_; }

    void listen(ListenScope scope);
    bool isListening() const;
    quint16 listeningPort() const;  // the bound port (differs from port() when that was 0)

    // Empty text: the connect is under way (its outcome arrives as events). Otherwise the
    // text of the failure ("Host Lookup - Could Not Find Host Entry"). For a dotted address
    // `done` runs before open() returns.
    using OpenDone = std::function<void(const QString& error)>;
    void open(OpenDone done = {});

    // The waiting connection, or nullptr (with info "Could Not Accept Connection").
    std::unique_ptr<TSock> accept();

    void sendText(QByteArrayView bytes);
    QByteArray receiveText();
    void close();

    bool isConnected() const;
    bool lowDelay() const;      // small messages go out at once (no-delay is on)
    bool fromLoopback() const;  // an accepted connection whose peer is this machine

signals:
    void readReady(qint64 count);
    void acceptReady();
    void info(int code, const QString& text);
    void peerDisconnected();

private:
    TSock(QTcpSocket* accepted, quint16 port, QObject* parent);
    void adopt(QTcpSocket* socket);
    void connectTo(const QHostAddress& address);
    void onError();
    void onDisconnected();
    void reportClosed();
    void cutOff();
    void dropSocket();

    QString hostName_;
    quint16 port_ = 0;
    int tag_ = 0;
    int connectTimeoutMs_ = 10000;
    QTcpServer* server_ = nullptr;
    QTcpSocket* socket_ = nullptr;
    int lookupId_ = -1;
    bool closingByUs_ = false;
    bool errorReported_ = false;
    bool closeReported_ = false;
};

}  // namespace quintrel::net
