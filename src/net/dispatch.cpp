#include "net/dispatch.h"

#include <array>
#include <utility>

namespace quintrel {
namespace {

using enum HostCommand;
constexpr std::array<std::pair<std::string_view, HostCommand>, 13> kHostTable{{
    {"CMD_logininfo", CMD_logininfo},
    {"CMD_kickhim", CMD_kickhim},
    {"CMD_botspeed", CMD_botspeed},
    {"CMD_chat", CMD_chat},
    {"CMD_action", CMD_action},
    {"CMD_startgame", CMD_startgame},
    {"CMD_justwatch", CMD_justwatch},
    {"CMD_createbook", CMD_createbook},
    {"CMD_addtobook", CMD_addtobook},
    {"CMD_discard", CMD_discard},
    {"CMD_addtocomp", CMD_addtocomp},
    {"CMD_drawing", CMD_drawing},
    {"CMD_settourney", CMD_settourney},
}};

using C = ClientCommand;
constexpr std::array<std::pair<std::string_view, ClientCommand>, 33> kClientTable{{
    {"CMD_sendlogininfo", C::CMD_sendlogininfo},
    {"CMD_chat", C::CMD_chat},
    {"CMD_action", C::CMD_action},
    {"CMD_newplayerinfo", C::CMD_newplayerinfo},
    {"CMD_havewrongversion", C::CMD_havewrongversion},
    {"CMD_wrongversion", C::CMD_wrongversion},
    {"CMD_existingplayers", C::CMD_existingplayers},
    {"CMD_playerdisconnected", C::CMD_playerdisconnected},
    {"CMD_startgame", C::CMD_startgame},
    {"CMD_nextplayer", C::CMD_nextplayer},
    {"CMD_winner", C::CMD_winner},
    {"CMD_full", C::CMD_full},
    {"CMD_newcard", C::CMD_newcard},
    {"CMD_nobook", C::CMD_nobook},
    {"CMD_nothree", C::CMD_nothree},
    {"CMD_notwo", C::CMD_notwo},
    {"CMD_nobookmatch", C::CMD_nobookmatch},
    {"CMD_newbook", C::CMD_newbook},
    {"CMD_addtobook", C::CMD_addtobook},
    {"CMD_postscores", C::CMD_postscores},
    {"CMD_complete", C::CMD_complete},
    {"CMD_invaliddiscard", C::CMD_invaliddiscard},
    {"CMD_discard", C::CMD_discard},
    {"CMD_usefoot", C::CMD_usefoot},
    {"CMD_addtocomp", C::CMD_addtocomp},
    {"CMD_toomany", C::CMD_toomany},
    {"CMD_freecard", C::CMD_freecard},
    {"CMD_justwatching", C::CMD_justwatching},
    {"CMD_loadbooks", C::CMD_loadbooks},
    {"CMD_loadcomp", C::CMD_loadcomp},
    {"CMD_startround", C::CMD_startround},
    {"CMD_rwinner", C::CMD_rwinner},
    {"CMD_nobots", C::CMD_nobots},
}};

template <typename Table>
auto lookup(const Table& table, std::string_view command)
    -> std::optional<typename Table::value_type::second_type> {
    if (command.empty()) return std::nullopt;
    for (const auto& [name, value] : table)
        if (name == command) return value;
    return std::nullopt;
}

template <typename Table, typename Command>
std::string_view nameOf(const Table& table, Command command) {
    for (const auto& [name, value] : table)
        if (value == command) return name;
    return {};
}

template <typename Command, typename Table>
std::optional<RoutedLine<Command>> route(const Table& table, std::string_view line) {
    SplitLine split = splitCommand(line);
    std::optional<Command> command = lookup(table, split.command);
    if (!command) return std::nullopt;
    return RoutedLine<Command>{*command, split.rest};
}

}  // namespace

SplitLine splitCommand(std::string_view line) {
    std::size_t plus = line.find('+');
    if (plus == std::string_view::npos) return {};
    return {line.substr(0, plus), line.substr(plus + 1)};
}

std::optional<HostCommand> hostCommand(std::string_view command) { return lookup(kHostTable, command); }
std::optional<ClientCommand> clientCommand(std::string_view command) { return lookup(kClientTable, command); }

std::string_view commandName(HostCommand command) { return nameOf(kHostTable, command); }
std::string_view commandName(ClientCommand command) { return nameOf(kClientTable, command); }

std::optional<RoutedLine<HostCommand>> routeHostLine(std::string_view line) {
    return route<HostCommand>(kHostTable, line);
}
std::optional<RoutedLine<ClientCommand>> routeClientLine(std::string_view line) {
    return route<ClientCommand>(kClientTable, line);
}

}  // namespace quintrel
