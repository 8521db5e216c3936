#include "net/qt/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace quintrel::net {
namespace {

constexpr int kConnectTimeoutMs = 500;
constexpr int kRaiseAttemptsMs = 3000;

QString sanitised(const QString& text) {
    QString out;
    for (QChar c : text)
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) out += c;
    return out.isEmpty() ? QStringLiteral("user") : out;
}

}  // namespace

QString defaultInstanceKey() {
    QString key = qEnvironmentVariable("QUINTREL_INSTANCE");
    if (key.isEmpty()) key = qEnvironmentVariable("USER");
    if (key.isEmpty()) key = qEnvironmentVariable("USERNAME");
    return sanitised(key);
}

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(sanitised(key)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            peer->disconnectFromServer();
            peer->deleteLater();
            emit raiseRequested();
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_) lock_->unlock();
}

QString SingleInstance::lockPath() const {
    return QDir::temp().filePath(QStringLiteral("ronlep11-%1.lock").arg(key_));
}

QString SingleInstance::serverName() const { return QStringLiteral("quintrel-%1").arg(key_); }

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A lock is stale only when its owner process is gone, never because of its age.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        // Holding the lock, any socket left under the name is a dead copy's.
        QLocalServer::removeServer(serverName());
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(serverName());
        return true;
    }
    lock_.reset();
    askRunningCopyToRaise();
    return false;
}

bool SingleInstance::askRunningCopyToRaise() {
    // The running copy may still be starting: it holds the lock before it listens.
    QDeadlineTimer deadline(kRaiseAttemptsMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace quintrel::net
