#include "net/qt/tsock.h"

#include "net/qt/network_error.h"
#include "net/qt/socket_texts.h"

#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace quintrel::net {
namespace {

constexpr int kListenBacklog = 5;
// A peer that stops reading must not keep a closing connection alive for ever.
constexpr int kCloseGraceMs = 5000;

QHostAddress plainAddress(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4) : address;
}

}  // namespace

TSock::TSock(QObject* parent) : QObject(parent) {}

TSock::TSock(QTcpSocket* accepted, quint16 port, QObject* parent) : QObject(parent), port_(port) {
    adopt(accepted);
    accepted->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    hostName_ = plainAddress(accepted->peerAddress()).toString();
}

TSock::~TSock() {
    if (lookupId_ >= 0) QHostInfo::abortHostLookup(lookupId_);
    // Nobody hears about a connection that ends with its owner.
    if (socket_) socket_->disconnect(this);
    if (server_) server_->disconnect(this);
}

void TSock::listen(ListenScope scope) {
    if (server_) {
        server_->close();
        delete server_;
    }
    server_ = new QTcpServer(this);
    server_->setListenBacklogSize(kListenBacklog);
    const QHostAddress address = scope == ListenScope::AllAddresses ? QHostAddress(QHostAddress::Any)
                                                                    : QHostAddress(QHostAddress::LocalHost);
    if (!server_->listen(address, port_)) {
        const auto error = server_->serverError();
        delete server_;
        server_ = nullptr;
        const bool binding = error == QAbstractSocket::AddressInUseError ||
                             error == QAbstractSocket::SocketAddressNotAvailableError ||
                             error == QAbstractSocket::SocketAccessError;
        throw SocketError(binding ? kListenBindError : kListenStartError);
    }
    connect(server_, &QTcpServer::newConnection, this, &TSock::acceptReady);
    emit info(0, QString::fromLatin1(kListeningStarted));
}

bool TSock::isListening() const { return server_ && server_->isListening(); }

quint16 TSock::listeningPort() const { return server_ ? server_->serverPort() : 0; }

void TSock::open(OpenDone done) {
    if (lookupId_ >= 0) {
        QHostInfo::abortHostLookup(lookupId_);
        lookupId_ = -1;
    }
    dropSocket();
    QHostAddress address;
    if (address.setAddress(hostName_)) {
        connectTo(address);
        if (done) done(QString());
        return;
    }
    lookupId_ = QHostInfo::lookupHost(hostName_, this, [this, done](const QHostInfo& result) {
        lookupId_ = -1;
        QHostAddress chosen;
        for (const QHostAddress& candidate : result.addresses()) {
            if (chosen.isNull() || (candidate.protocol() == QAbstractSocket::IPv4Protocol &&
                                    chosen.protocol() != QAbstractSocket::IPv4Protocol))
                chosen = candidate;
        }
        if (result.error() != QHostInfo::NoError || chosen.isNull()) {
            if (done) done(QString::fromLatin1(kHostLookupError));
            return;
        }
        connectTo(chosen);
        if (done) done(QString());
    });
}

void TSock::connectTo(const QHostAddress& address) {
    auto* socket = new QTcpSocket(this);
    adopt(socket);
    socket->connectToHost(address, port_);
    // The system may go on trying for minutes while the player waits for a seat.
    QTimer::singleShot(connectTimeoutMs_, socket, [this, socket] {
        if (socket != socket_ || socket->state() == QAbstractSocket::ConnectedState || closingByUs_ ||
            errorReported_ || closeReported_)
            return;
        errorReported_ = true;
        socket->abort();
        const auto timedOut = QAbstractSocket::SocketTimeoutError;
        emit info(networkErrorCode(timedOut).code, networkErrorText(timedOut));
    });
}

void TSock::adopt(QTcpSocket* socket) {
    socket->setParent(this);
    socket_ = socket;
    closingByUs_ = false;
    errorReported_ = false;
    closeReported_ = false;
    // Game messages are a few bytes each and wait for nothing: without no-delay a line sent
    // while another is unacknowledged waits for the peer's delayed acknowledgement (~40 ms).
    connect(socket, &QTcpSocket::connected, this,
            [socket] { socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket == socket_) emit readReady(socket->bytesAvailable());
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket == socket_) onError();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == socket_) onDisconnected();
    });
}

void TSock::onError() {
    const auto error = socket_->error();
    // The peer's orderly close (or a reset) arrives as this error, then as disconnected().
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    if (closeReported_ || errorReported_) return;
    errorReported_ = true;
    emit info(networkErrorCode(error).code, networkErrorText(error));
}

void TSock::onDisconnected() {
    if (errorReported_ || closeReported_) return;
    if (!closingByUs_) emit peerDisconnected();
    reportClosed();
}

void TSock::reportClosed() {
    if (closeReported_) return;
    closeReported_ = true;
    emit info(0, QString::fromLatin1(kSocketClosed));
}

std::unique_ptr<TSock> TSock::accept() {
    if (!isListening()) throw SocketError(kAcceptNotListening);
    QTcpSocket* pending = server_->nextPendingConnection();
    if (!pending) {
        emit info(0, QString::fromLatin1(kCouldNotAccept));
        return nullptr;
    }
    return std::unique_ptr<TSock>(new TSock(pending, listeningPort(), nullptr));
}

void TSock::sendText(QByteArrayView bytes) {
    if (!socket_ || closingByUs_ || errorReported_ || closeReported_) throw SocketError(kSendNotConnected);
    const auto state = socket_->state();
    if (state != QAbstractSocket::ConnectedState && state != QAbstractSocket::ConnectingState &&
        state != QAbstractSocket::HostLookupState)
        throw SocketError(kSendNotConnected);
    if (socket_->bytesToWrite() + bytes.size() > kMaxUnsent) return cutOff();
    socket_->write(bytes.data(), bytes.size());
}

void TSock::cutOff() {
    closingByUs_ = true;
    socket_->abort();
    reportClosed();
}

QByteArray TSock::receiveText() { return socket_ ? socket_->readAll() : QByteArray(); }

void TSock::close() {
    if (lookupId_ >= 0) {
        QHostInfo::abortHostLookup(lookupId_);
        lookupId_ = -1;
    }
    if (server_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
        return;
    }
    if (!socket_ || closingByUs_) return;
    closingByUs_ = true;
    if (socket_->state() == QAbstractSocket::UnconnectedState) {
        if (!errorReported_) reportClosed();
        return;
    }
    QPointer<QTcpSocket> socket = socket_;
    QTimer::singleShot(kCloseGraceMs, this, [this, socket] {
        if (!socket || socket != socket_ || socket->state() == QAbstractSocket::UnconnectedState) return;
        socket->abort();
        if (!errorReported_) reportClosed();
    });
    socket_->disconnectFromHost();
}

bool TSock::isConnected() const {
    return socket_ && !closingByUs_ && socket_->state() == QAbstractSocket::ConnectedState;
}

bool TSock::lowDelay() const {
    return socket_ && socket_->socketOption(QAbstractSocket::LowDelayOption).toInt() == 1;
}

bool TSock::fromLoopback() const { return socket_ && plainAddress(socket_->peerAddress()).isLoopback(); }

void TSock::dropSocket() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

}  // namespace quintrel::net
