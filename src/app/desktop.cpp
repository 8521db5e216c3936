#include "app/desktop.h"

#include "net/qt/game_port.h"

namespace quintrel::app {

Desktop::Desktop(std::vector<std::string> args, HostLog log) : log_(std::move(log)), host_(makeHost()) {
    start(std::move(args), net::gamePort());
}

Desktop::~Desktop() {
    // The table goes first: the host closing its connection would close the table.
    table_.reset();
    host_.reset();
}

std::unique_ptr<host::RunningHost> Desktop::makeHost() const {
    ServerOptions options;
    options.seed = host::clockSeed();
    // The computer players' pace until the hosting table sends its own choice.
    options.botdelay = 750;
    return std::make_unique<host::RunningHost>(options, log_);
}

void Desktop::start(std::vector<std::string> args, quint16 port) {
    table_ = std::make_unique<table::Tchat>(std::move(args));
    table_->setGamePort(port);
    // The host runs in this process: the table sets its computer players' level directly.
    table_->setChooseBotLevel([this](BotLevel level) { host_->server().setBotLevel(level); });
    // The table asks for the listener when its command line says this copy hosts.
    table_->setStartListening([this](net::ListenScope scope, quint16 listenPort) {
        host_->startListening(scope, listenPort);
        return host_->listener().port();
    });
    // Queued: the old table is deleted here, never inside its own click.
    connect(table_.get(), &table::Tchat::restartRequested, this, &Desktop::restart, Qt::QueuedConnection);
}

void Desktop::restart(const QStringList& args, quint16 port) {
    std::vector<std::string> arguments;
    for (const QString& arg : args) arguments.push_back(arg.toLatin1().toStdString());
    std::unique_ptr<table::Tchat> old = std::move(table_);
    start(std::move(arguments), port);
    // Shown before the old window goes, so the program never stands without a window.
    table_->show();
    old.reset();
    host_->shutdown();
    host_ = makeHost();
    emit tableReplaced(table_.get());
}

}  // namespace quintrel::app
