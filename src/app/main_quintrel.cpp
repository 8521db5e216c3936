// quintrel: the desktop program. One copy per user session; the table window, then the host,
// then the event loop until the table window closes.

#include "host/qt/running_host.h"
#include "net/qt/single_instance.h"
#include "table/qt/tchat.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Taken before Qt removes the options it knows: a player may well be called "-style".
    std::vector<std::string> args(argv + 1, argv + argc);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintrel"));

    quintrel::net::SingleInstance instance(quintrel::net::defaultInstanceKey());
    if (!instance.claim()) return 0;

    quintrel::table::Tchat table(std::move(args));

    quintrel::ServerOptions options;
    options.seed = quintrel::host::clockSeed();
    // The computer players' pace until the hosting table sends its own choice.
    options.botdelay = 750;
    quintrel::host::RunningHost host(options, [](std::string_view line) {
        std::fprintf(stderr, "host: %.*s\n", static_cast<int>(line.size()), line.data());
    });
    // The table asks for the listener when its command line says this copy hosts.
    table.setStartListening([&host](quintrel::net::ListenScope scope, quint16 port) {
        host.startListening(scope, port);
        return host.listener().port();
    });

    QObject::connect(&instance, &quintrel::net::SingleInstance::raiseRequested, &table,
                     &quintrel::table::Tchat::bringToFront);

    table.show();
    const int result = QApplication::exec();
    host.shutdown();
    return result;
}
