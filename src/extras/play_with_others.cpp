#include "extras/play_with_others.h"

#include "extras/settings.h"

#include <algorithm>
#include <charconv>

namespace quintrel {
namespace {

std::string hostKey(std::size_t n) { return "Host" + std::to_string(n); }
std::string portKey(std::size_t n) { return "Port" + std::to_string(n); }

int portFrom(const std::string& text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) return 0;
    return port;
}

bool printable(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || byte == 0xFF;
    });
}

}  // namespace

PlayWithOthersMemory playWithOthersFrom(const IniFile& file) {
    PlayWithOthersMemory memory;
    const std::string name = file.value(kSettingsSection, "PlayerName").value_or("");
    if (playerNameProblem(name).empty()) memory.name = name;
    for (std::size_t n = 1; n <= kRememberedHosts; ++n) {
        const std::string address = file.value(kSettingsSection, hostKey(n)).value_or("");
        const int port = portFrom(file.value(kSettingsSection, portKey(n)).value_or(""));
        if (address.empty() || port == 0 || !printable(address)) continue;
        memory.hosts.push_back({address, port});
    }
    return memory;
}

std::vector<IniEntry> playWithOthersEntries(const PlayWithOthersMemory& memory) {
    std::vector<IniEntry> entries{{"PlayerName", memory.name}};
    for (std::size_t n = 1; n <= kRememberedHosts; ++n) {
        // Emptied entries are written too, so a shorter list never leaves an old one behind.
        const RecentHost host = n <= memory.hosts.size() ? memory.hosts[n - 1] : RecentHost{};
        entries.emplace_back(hostKey(n), host.address);
        entries.emplace_back(portKey(n), host.port == 0 ? std::string() : std::to_string(host.port));
    }
    return entries;
}

void rememberHost(PlayWithOthersMemory& memory, const RecentHost& host) {
    std::erase(memory.hosts, host);
    memory.hosts.insert(memory.hosts.begin(), host);
    if (memory.hosts.size() > kRememberedHosts) memory.hosts.resize(kRememberedHosts);
}

std::string playerNameProblem(std::string_view name) {
    if (name.empty() || name.find_first_not_of(' ') == std::string_view::npos)
        return "Please type your name.";
    if (name.size() > kMaxPlayerName)
        return "A name has at most " + std::to_string(kMaxPlayerName) + " characters.";
    // A '+' would split the name across the fields of the game's messages.
    if (name.find('+') != std::string_view::npos || !printable(name))
        return "A name may not contain \"+\" or control characters.";
    return {};
}

std::vector<std::string> hostingArguments(const std::string& name) { return {name, "127.0.0.1", "true"}; }

std::vector<std::string> joiningArguments(const std::string& name, const std::string& address) {
    return {name, address, "false"};
}

}  // namespace quintrel
