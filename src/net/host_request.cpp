#include "net/host_request.h"

#include <utility>

namespace quintrel::wire {
namespace {

template <typename Parsed>
std::optional<HostRequest> request(std::optional<Parsed> parsed) {
    if (!parsed) return std::nullopt;
    return HostRequest{std::move(*parsed)};
}

}  // namespace

std::optional<HostRequest> parseHostRequest(HostCommand command, std::string_view rest) {
    using enum HostCommand;
    switch (command) {
        case CMD_logininfo: return request(parse::logininfo(rest));
        case CMD_kickhim: return request(parse::kickhim(rest));
        case CMD_botspeed: return request(parse::botspeed(rest));
        case CMD_chat: return request(parse::chatRequest(rest));
        case CMD_action: {
            auto chat = parse::chatRequest(rest);
            if (!chat) return std::nullopt;
            return HostRequest{ActionRequest{std::move(*chat)}};
        }
        case CMD_startgame: return request(parse::startgameRequest(rest));
        case CMD_settourney: return request(parse::settourney(rest));
        case CMD_justwatch: return request(parse::justwatch(rest));
        case CMD_createbook: return request(parse::createbook(rest));
        case CMD_addtobook: return request(parse::addtobookRequest(rest));
        case CMD_discard: return request(parse::discardRequest(rest));
        case CMD_addtocomp: return request(parse::addtocompRequest(rest));
        case CMD_drawing: return request(parse::drawing(rest));
    }
    return std::nullopt;
}

}  // namespace quintrel::wire
