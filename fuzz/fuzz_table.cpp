// The table's line handling: any bytes from the host, cut into reads anywhere, each read
// followed by some ticks of the drain timer, through the real session and table state.
// The first byte is the read size (1..256), the second the ticks after each read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "table/client_session.h"
#include "table/table_roster.h"
#include "table/table_state.h"

namespace {

class Events final : public quintrel::ClientEvents {
public:
    void addlinetochat(std::string_view, std::uint32_t) override {}
    void playsounds(std::string_view) override {}
    void sendToHost(std::string_view line) override {
        // A request with the terminator inside would be two requests at the host; only the
        // login ends its name with one (the host reads the empty line after it as nothing).
        const std::size_t end = line.find('\xFF');
        if (end == std::string_view::npos) return;
        if (!line.starts_with("CMD_logininfo+") || end + 1 != line.size()) __builtin_trap();
    }
    void closeTable() override { closed = true; }
    void messageBox(std::string_view) override {}
    bool closed = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Events events;
    quintrel::table::SessionRoster roster;
    quintrel::table::TableState state(events, roster);
    quintrel::ClientSession session(events, state);
    roster.attach(session);
    session.setPlayerName("Fuzz");
    state.setPlayername("Fuzz");

    const std::size_t readSize = std::size_t{data[0]} + 1;
    const int ticks = data[1];
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    while (!rest.empty() && !events.closed) {
        const std::string_view read = rest.substr(0, readSize);
        rest.remove_prefix(read.size());
        session.receive(read);
        for (int i = 0; i < ticks && session.processsocktimer(); ++i) {}
    }
    while (!events.closed && session.processsocktimer()) {}
    return 0;
}
