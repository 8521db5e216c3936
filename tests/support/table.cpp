#include "table.h"

#include <utility>

#include "net/wire.h"

namespace quintrel::kit {

Table::Table(int seat, bool host, std::string name) : state(events, roster), session(events, state) {
    roster.attach(session);
    if (name.empty()) name = seat == 1 ? "You" : "Player" + std::to_string(seat);
    session.setPlayerName(name);
    state.setPlayername(name);
    state.setIshost(host);
    if (seat == 0) return;
    session.dispatch(wire::toclient::sendlogininfo(seat));
    events.sent.clear();
}

void Table::host(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) session.dispatch(line);
}

void Table::receive(std::string_view line) {
    session.receive(std::string(line) + wire::kTerminator);
    while (session.processsocktimer()) {}
}

std::vector<std::string> Table::takeSent() { return std::exchange(events.sent, {}); }

std::vector<int> Table::rowSlots() const {
    std::vector<int> out;
    for (int k = 1; k <= table::kHandPlaces && !state.handrow(k).free; ++k)
        out.push_back(state.handrow(k).slot);
    return out;
}

std::vector<int> Table::rowCodes() const {
    std::vector<int> out;
    for (int slot : rowSlots()) out.push_back(state.card(slot)->code);
    return out;
}

void Table::deal(const std::vector<int>& codes) {
    for (std::size_t i = 0; i < codes.size(); ++i)
        state.newcard({state.myseat(), static_cast<int>(i), codes[i]});
}

void Table::myTurnDrawn(int drawn) {
    state.getnextplayer({0, 0, state.myseat()});
    state.drawFromShoe();
    int slot = 0;
    while (state.card(slot) != nullptr) ++slot;
    state.newcard({state.myseat(), slot, drawn});
}

}  // namespace quintrel::kit
