#pragma once
// One copy per user session. The first copy holds a lock file and listens on a local
// socket; a later copy finds the lock taken, tells the first to come to the front, and ends.

#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <memory>

namespace quintrel::net {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key keeps users (and tests) apart; see defaultInstanceKey().
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True: this is the only copy and now owns the names. False: another copy runs; it has
    // been asked to come to the front (as far as it could be reached).
    bool claim();

    QString lockPath() const;
    QString serverName() const;

signals:
    void raiseRequested();

private:
    bool askRunningCopyToRaise();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

// QUINTREL_INSTANCE if set, else the user's name; reduced to letters, digits, "-" and "_".
QString defaultInstanceKey();

}  // namespace quintrel::net
