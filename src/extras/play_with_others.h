#pragma once
// What the Play with Others dialog keeps between runs (the player's name and the hosts last
// joined), and the command line it starts a table with: the arguments a lobby program would
// pass, so the table picks its mode the one usual way.

#include "extras/ini_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

inline constexpr std::size_t kRememberedHosts = 5;
inline constexpr std::size_t kMaxPlayerName = 20;

struct RecentHost {
    std::string address;
    int port = 0;
    bool operator==(const RecentHost&) const = default;
};

struct PlayWithOthersMemory {
    std::string name;
    std::vector<RecentHost> hosts;  // newest first, at most kRememberedHosts
};

// "PlayerName", "Host1".."Host5" and "Port1".."Port5" of the section "quintrel". Entries
// without an address or with a port outside 1..65535 are skipped.
PlayWithOthersMemory playWithOthersFrom(const IniFile& file);
std::vector<IniEntry> playWithOthersEntries(const PlayWithOthersMemory& memory);

// The host goes first; the same address and port seen before moves up instead of repeating.
void rememberHost(PlayWithOthersMemory& memory, const RecentHost& host);

// Empty when the name can sit at a table; otherwise the reason it cannot.
std::string playerNameProblem(std::string_view name);

std::vector<std::string> hostingArguments(const std::string& name);
std::vector<std::string> joiningArguments(const std::string& name, const std::string& address);

}  // namespace quintrel
