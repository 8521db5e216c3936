// quintrel: the desktop program. One copy per user session; the table window and its host,
// then the event loop until the table window closes.

#include "app/desktop.h"
#include "net/qt/single_instance.h"

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

    quintrel::app::Desktop desktop(std::move(args), [](std::string_view line) {
        std::fprintf(stderr, "host: %.*s\n", static_cast<int>(line.size()), line.data());
    });
    QObject::connect(&instance, &quintrel::net::SingleInstance::raiseRequested, &desktop,
                     [&desktop] { desktop.table().bringToFront(); });

    desktop.show();
    const int result = QApplication::exec();
    desktop.shutdown();
    return result;
}
