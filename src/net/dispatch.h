#pragma once
// Recognising the command of a message line. Each side has its own table; a command is
// matched by whole-token, case-sensitive equality, so no command is taken for a longer one.

#include <optional>
#include <string_view>

namespace quintrel {

struct SplitLine {
    std::string_view command;  // text before the first "+"; empty for a line without "+"
    std::string_view rest;     // text after the first "+"
};

SplitLine splitCommand(std::string_view line);

// Commands the host handles, in the order of its dispatch table.
enum class HostCommand {
    CMD_logininfo,
    CMD_kickhim,
    CMD_botspeed,
    CMD_chat,
    CMD_action,
    CMD_startgame,
    CMD_justwatch,
    CMD_createbook,
    CMD_addtobook,
    CMD_discard,
    CMD_addtocomp,
    CMD_drawing,
    CMD_settourney,
};

// Commands the table handles, in the order of its dispatch table.
enum class ClientCommand {
    CMD_sendlogininfo,
    CMD_chat,
    CMD_action,
    CMD_newplayerinfo,
    CMD_havewrongversion,
    CMD_wrongversion,
    CMD_existingplayers,
    CMD_playerdisconnected,
    CMD_startgame,
    CMD_nextplayer,
    CMD_winner,
    CMD_full,
    CMD_newcard,
    CMD_nobook,
    CMD_nothree,
    CMD_notwo,
    CMD_nobookmatch,
    CMD_newbook,
    CMD_addtobook,
    CMD_postscores,
    CMD_complete,
    CMD_invaliddiscard,
    CMD_discard,
    CMD_usefoot,
    CMD_addtocomp,
    CMD_toomany,
    CMD_freecard,
    CMD_justwatching,
    CMD_loadbooks,
    CMD_loadcomp,
    CMD_startround,
    CMD_rwinner,
    CMD_nobots,
};

// nullopt for a command in no entry of the table (the line is dropped).
std::optional<HostCommand> hostCommand(std::string_view command);
std::optional<ClientCommand> clientCommand(std::string_view command);

std::string_view commandName(HostCommand command);
std::string_view commandName(ClientCommand command);

template <typename Command>
struct RoutedLine {
    Command command;
    std::string_view rest;  // points into the routed line
};

// A line split and looked up in one step; nullopt for an empty line, a line without "+"
// or an unknown command.
std::optional<RoutedLine<HostCommand>> routeHostLine(std::string_view line);
std::optional<RoutedLine<ClientCommand>> routeClientLine(std::string_view line);

}  // namespace quintrel
