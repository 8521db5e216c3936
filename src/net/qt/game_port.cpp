#include "net/qt/game_port.h"

#include <QByteArray>

namespace quintrel::net {
namespace {

quint16 portFromEnvironment(const char* name, quint16 fallback, bool anyAllowed) {
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || (value == 0 && !anyAllowed) || value > 65535) return fallback;
    return static_cast<quint16>(value);
}

}  // namespace

quint16 gamePort() { return portFromEnvironment("QUINTREL_PORT", kDefaultGamePort, true); }
quint16 lobbyPort() { return portFromEnvironment("QUINTREL_LOBBY_PORT", kDefaultLobbyPort, false); }

}  // namespace quintrel::net
