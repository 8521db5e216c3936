#pragma once
// What the command line asks for, decided once per run: solo, host or join, the names,
// whether the lobby link opens, and how the start dialog's options are set.
// Arguments are positional and compared exactly: name, host address, "true" to host,
// "t" for a tournament game. (Standard C++ only; the table window carries it out.)

#include <string>
#include <vector>

namespace quintrel::net {

enum class SessionMode {
    Solo,     // no arguments: a private table against the computer
    Host,     // argument 3 is "true"
    Join,     // argument 3 is anything else
    Waiting,  // one or two arguments: only the loading line, no connection
};

enum class StartOptions {
    Unchanged,            // the dialog keeps its defaults
    ShowTargetsDisabled,  // "Bots Just Watch", "Play to 5000", "Play to 3000" shown, the last two disabled
    HideAll,
};

struct SessionPlan {
    SessionMode mode = SessionMode::Solo;
    std::string loadingLine;
    std::string playername;
    std::string hostaddress;  // where the table connects: "127.0.0.1" whenever this copy hosts
    bool openLobbyLink = false;
    bool showDownloadWindow = false;
    StartOptions startOptions = StartOptions::Unchanged;
};

inline constexpr const char* kLoopbackAddress = "127.0.0.1";

// args: the command line without the program name.
SessionPlan planSession(const std::vector<std::string>& args);

}  // namespace quintrel::net
