// quintrel-server: a table without a window. The same host as the desktop program, behind a
// listener on every address; the first connection is the hosting player.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTime>

#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "host/qt/running_host.h"
#include "net/qt/socket_texts.h"

namespace {

constexpr int kDefaultPort = 7772;
constexpr int kDefaultBotDelay = 750;

void logLine(std::string_view line) {
    const QByteArray stamp = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
    std::fprintf(stdout, "%s %.*s\n", stamp.constData(), static_cast<int>(line.size()), line.data());
    std::fflush(stdout);
}

std::optional<long long> number(const QString& text, long long low, long long high) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quintrel-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Hosts a Quintrel table without a window. Players join it with the game's join mode\n"
        "(name, this machine's address, any third argument but \"true\"). The first connection\n"
        "takes seat 1 and is the hosting player: it starts games, removes players and sets the\n"
        "computer players' speed. Seats nobody holds are played by the computer. Log lines go\n"
        "to standard output."));
    parser.addHelpOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("TCP port to listen on (default 7772; 0 picks a free one)."),
        QStringLiteral("port"), QString::number(kDefaultPort));
    const QCommandLineOption delayOption(
        QStringLiteral("bot-delay"),
        QStringLiteral(
            "Computer players' delay in ms, 1..60000, until the hosting player sets one (default 750)."),
        QStringLiteral("ms"), QString::number(kDefaultBotDelay));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral(
            "Seed the generator with the 32-bit value N instead of the clock: the same requests in the "
            "same order replay the same deals and computer moves."),
        QStringLiteral("N"));
    parser.addOption(portOption);
    parser.addOption(delayOption);
    const QCommandLineOption levelOption(
        QStringLiteral("bot-level"),
        QStringLiteral("How the computer players play: standard (the default) or expert."),
        QStringLiteral("level"), QStringLiteral("standard"));
    parser.addOption(seedOption);
    parser.addOption(levelOption);
    parser.process(app);

    const auto port = number(parser.value(portOption), 0, 65535);
    const auto botdelay = number(parser.value(delayOption), 1, quintrel::kMaxBotDelay);
    std::optional<long long> seed;
    if (parser.isSet(seedOption))
        seed = number(parser.value(seedOption), 0, std::numeric_limits<std::uint32_t>::max());
    const auto level = quintrel::botLevelFromName(parser.value(levelOption).toStdString());
    if (!port || !botdelay || (parser.isSet(seedOption) && !seed) || !level) {
        std::fprintf(stderr, "quintrel-server: bad option value; see --help\n");
        return 2;
    }

    quintrel::ServerOptions options;
    options.mode = quintrel::HostMode::Headless;
    options.botdelay = static_cast<int>(*botdelay);
    options.seed = seed ? static_cast<std::uint32_t>(*seed) : quintrel::host::clockSeed();
    options.botLevel = *level;

    quintrel::host::RunningHost host(options, logLine);
    try {
        host.startListening(quintrel::net::ListenScope::AllAddresses, static_cast<quint16>(*port));
    } catch (const quintrel::net::SocketError& error) {
        std::fprintf(stderr, "quintrel-server: %s (port %lld)\n", error.what(), *port);
        return 1;
    }
    logLine("listening on port " + std::to_string(host.listener().port()) + ", bot delay " +
            std::to_string(*botdelay) + " ms, seed " + std::to_string(options.seed) + ", computer players " +
            std::string(quintrel::botLevelName(options.botLevel)));
    const int code = app.exec();
    host.shutdown();
    return code;
}
