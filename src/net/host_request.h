#pragma once
// A request to the host as one typed value: the routed line's fields parsed once, in range.
// The host's dispatch makes it, checks its sender against the seat or slot it names, and
// hands it to the handler of its type; the engine's handlers take these types only.

#include <optional>
#include <string_view>
#include <variant>

#include "net/dispatch.h"
#include "net/wire.h"

namespace quintrel::wire {

// CMD_action has the fields of a chat line; its own type keeps the two apart.
struct ActionRequest : parse::ChatRequest {};

using HostRequest =
    std::variant<parse::LoginInfo, parse::KickHim, parse::BotSpeed, parse::ChatRequest, ActionRequest,
                 parse::StartGameRequest, parse::SetTourney, parse::JustWatch, parse::CreateBook,
                 parse::AddToBookRequest, parse::DiscardRequest, parse::AddToCompRequest, parse::Drawing>;

// nullopt when a field is missing, not a number, or out of its range.
std::optional<HostRequest> parseHostRequest(HostCommand command, std::string_view rest);

// A visitor made of one handler per type: std::visit(Overloaded{[](const Drawing&) {...}, ...}).
// An ActionRequest falls to a parse::ChatRequest handler unless another one takes it (a
// generic handler does).
template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Compilers without aggregate deduction (clang 14) need the guide.
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace quintrel::wire
