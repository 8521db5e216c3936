#pragma once
// How well the host's computer players play: the server's option, the simulator's and the
// settings file's word for it. Standard is the fixed procedure that peers and old tables
// expect, and the default; Expert is the engine's stronger player.

#include <optional>
#include <string_view>

namespace quintrel {

enum class BotLevel { Standard, Expert };

constexpr std::string_view botLevelName(BotLevel level) {
    return level == BotLevel::Expert ? "expert" : "standard";
}

constexpr std::optional<BotLevel> botLevelFromName(std::string_view name) {
    if (name == "standard") return BotLevel::Standard;
    if (name == "expert") return BotLevel::Expert;
    return std::nullopt;
}

}  // namespace quintrel
