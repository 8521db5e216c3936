#include "engine/game_audit.h"

#include <cstring>

#include "engine/scoring.h"
#include "net/wire.h"

namespace quintrel {
namespace {

// Whether the line is that command's; rest then holds what follows the command's "+".
template <std::size_t N>
bool isCommand(std::string_view line, const char (&commandAndPlus)[N], std::string_view& rest) {
    constexpr std::size_t size = N - 1;
    if (line.size() < size || std::memcmp(line.data(), commandAndPlus, size) != 0) return false;
    rest = line.substr(size);
    return true;
}

}  // namespace

void GameAudit::fail(std::string_view why, std::string_view line) {
    if (!failure_.empty()) return;
    failure_ = std::string(why) + ": " + std::string(line);
}

void GameAudit::observe(std::string_view line) {
    if (!failure_.empty()) return;
    // Four commands bear on what is checked; every other line is passed over unparsed.
    std::string_view rest;
    if (isCommand(line, "CMD_startgame+", rest)) {
        announced_ = {0, 0, 0};
        windowSize_ = 0;
    } else if (isCommand(line, "CMD_postscores+", rest)) {
        const auto s = wire::parse::postscores(rest);
        if (!s) return fail("unreadable score line", line);
        if (s->partner != partnerOf(s->seat)) return fail("wrong partner", line);
        for (int seat = 1; seat <= 2; ++seat) {
            if (state_.players[seat].score != state_.players[partnerOf(seat)].score) {
                return fail("partners' scores differ", line);
            }
        }
        const int team = teamOf(s->seat);
        const int expected = announced_[team] + s->points;
        const bool bonus = s->teamScore == expected + kGoingOutBonus;
        if (!bonus && s->teamScore != expected) return fail("total does not follow from the points", line);
        announced_[team] = s->teamScore;
        if (windowSize_ == 4) {
            if (window_[0].bonus) return fail("going-out bonus outside a round end", line);
            for (int i = 0; i < 3; ++i) window_[i] = window_[i + 1];
            windowSize_ = 3;
        }
        window_[windowSize_++] = ScoreLine{s->seat, bonus};
    } else if (isCommand(line, "CMD_rwinner+", rest)) {
        roundEnded(line, std::nullopt);
    } else if (isCommand(line, "CMD_winner+", rest)) {
        const auto w = wire::parse::winner(rest);
        if (!w) return fail("unreadable winner", line);
        roundEnded(line, w->team);
    }
}

void GameAudit::roundEnded(std::string_view line, std::optional<int> winner) {
    if (windowSize_ != 4) return fail("round result without four penalty lines", line);
    int bonuses = 0;
    for (int i = 0; i < 4; ++i) {
        if (window_[i].seat != i + 1) return fail("penalty lines out of seat order", line);
        if (window_[i].bonus) {
            // Seat 1's line is team 1's first, seat 2's line team 2's first.
            if (i > 1) return fail("going-out bonus on a team's second penalty line", line);
            ++bonuses;
            ++goingOutsByTeam_[i + 1];
        }
    }
    if (bonuses > 1) return fail("both teams went out", line);
    goingOuts_ += bonuses;
    ++rounds_;
    windowSize_ = 0;
    if (winner) {
        ++gamesEnded_;
        const int s1 = state_.players[1].score;
        const int s2 = state_.players[2].score;
        if (*winner != (s1 > s2 ? 1 : s2 > s1 ? 2 : 0)) return fail("wrong winner", line);
        if (state_.playtotarget && s1 < state_.targetscore && s2 < state_.targetscore) {
            return fail("game ended below its target", line);
        }
    }
}

}  // namespace quintrel
