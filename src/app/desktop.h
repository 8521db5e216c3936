#pragma once
// The desktop program's table and its in-process host. Play with Others replaces both: the
// table asks for a new session, and a fresh host and table start in the mode it names, as if
// the program had been started with that command line.

#include "host/qt/running_host.h"
#include "table/qt/tchat.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace quintrel::app {

class Desktop : public QObject {
    Q_OBJECT
public:
    // args: the command line without the program name.
    explicit Desktop(std::vector<std::string> args, HostLog log = {});
    ~Desktop() override;

    table::Tchat& table() { return *table_; }
    host::RunningHost& host() { return *host_; }
    void show() { table_->show(); }
    // At program end: the listener and every connection close.
    void shutdown() { host_->shutdown(); }

signals:
    void tableReplaced(table::Tchat* table);

private:
    void start(std::vector<std::string> args, quint16 port);
    void restart(const QStringList& args, quint16 port);
    std::unique_ptr<host::RunningHost> makeHost() const;

    HostLog log_;
    std::unique_ptr<host::RunningHost> host_;
    std::unique_ptr<table::Tchat> table_;
};

}  // namespace quintrel::app
