#pragma once
// Watches a game the way a spectator does (every line sent to all) and checks what must
// always hold: each announced team total is the previous total plus the announced points
// (plus the unannounced 200 of going out, which can only show on the team's first
// round-end line), partners' scores are equal, every round ends with four penalty lines
// for seats 1 to 4, and a game played to a target ends at or above it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/host_state.h"

namespace quintrel {

class GameAudit {
public:
    explicit GameAudit(const HostState& state) : state_(state) {}

    void observe(std::string_view line);

    bool ok() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }
    long rounds() const { return rounds_; }
    long goingOuts() const { return goingOuts_; }
    long goingOuts(int team) const { return goingOutsByTeam_[team]; }
    long gamesEnded() const { return gamesEnded_; }

private:
    struct ScoreLine {
        int seat;
        bool bonus;
    };
    void fail(std::string_view why, std::string_view line);
    // winner: the team a game's end names; none at the end of a round of a longer game.
    void roundEnded(std::string_view line, std::optional<int> winner);

    const HostState& state_;
    std::array<int, 3> announced_{};
    std::array<ScoreLine, 4> window_{};  // the last four score lines
    int windowSize_ = 0;
    long rounds_ = 0;
    long goingOuts_ = 0;
    std::array<long, 3> goingOutsByTeam_{};
    long gamesEnded_ = 0;
    std::string failure_;
};

}  // namespace quintrel
