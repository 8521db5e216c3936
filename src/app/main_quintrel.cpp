// quintrel: the desktop program. One copy per user session; the table window, then the host,
// then the event loop until the table window closes.

#include "net/qt/host_listener.h"
#include "net/qt/server_events.h"
#include "net/qt/single_instance.h"
#include "engine/thedeck.h"
#include "net/server.h"
#include "table/qt/tchat.h"

#include <QApplication>
#include <QTime>

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

    quintrel::net::HostListener listener;
    quintrel::ServerOptions options;
    const QTime now = QTime::currentTime();
    options.seed = quintrel::RandomSource::clockSeed(now.hour(), now.minute(), now.second(), now.msec());
    // The computer players' pace until the hosting table sends its own choice.
    options.botdelay = 750;
    quintrel::TServer server(listener, options, [](std::string_view line) {
        std::fprintf(stderr, "host: %.*s\n", static_cast<int>(line.size()), line.data());
    });
    quintrel::net::TServerEvents events(server);
    listener.attach(&events);
    table.setHostListener(&listener);

    QObject::connect(&instance, &quintrel::net::SingleInstance::raiseRequested, &table,
                     &quintrel::table::Tchat::bringToFront);

    table.show();
    const int result = QApplication::exec();
    listener.shutdown();
    listener.attach(nullptr);
    return result;
}
