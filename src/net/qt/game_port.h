#pragma once
// Well-known ports. QUINTREL_PORT overrides the game port so that several copies (tests)
// can run side by side (0: a hosting copy listens on any free port and says which);
// QUINTREL_LOBBY_PORT does the same for the lobby link.

#include <QtGlobal>

namespace quintrel::net {

constexpr quint16 kDefaultGamePort = 7772;
constexpr quint16 kDefaultLobbyPort = 9001;

quint16 gamePort();
quint16 lobbyPort();

}  // namespace quintrel::net
