#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/game_audit.h"
#include "engine/self_play.h"

namespace quintrel {
namespace {

// A one-round game's lines as a spectator sees them; team 2 went out (its +200 rides on
// seat 2's penalty line).
std::vector<std::string> oneRound() {
    return {"CMD_startgame+Ann+f",         "CMD_postscores+20+20+1+3", "CMD_postscores+50+50+2+4",
            "CMD_postscores+-80+-100+1+3", "CMD_postscores+250+0+2+4", "CMD_postscores+-90+-10+3+1",
            "CMD_postscores+250+0+4+2",    "CMD_winner+2+Bob and Dee"};
}

struct AuditRun {
    HostState state;
    GameAudit audit{state};
    explicit AuditRun(const std::vector<std::string>& lines) {
        state.players[1].score = state.players[3].score = -90;
        state.players[2].score = state.players[4].score = 250;
        for (const auto& line : lines) audit.observe(line);
    }
};

TEST(GameAudit, AcceptsAConsistentRoundWithAGoingOutBonus) {
    AuditRun run(oneRound());
    EXPECT_TRUE(run.audit.ok()) << run.audit.failure();
    EXPECT_EQ(run.audit.rounds(), 1);
    EXPECT_EQ(run.audit.goingOuts(), 1);
    EXPECT_EQ(run.audit.gamesEnded(), 1);
}

TEST(GameAudit, CatchesBrokenAnnouncements) {
    auto wrongTotal = oneRound();
    wrongTotal[2] = "CMD_postscores+60+50+2+4";
    EXPECT_FALSE(AuditRun(wrongTotal).audit.ok());

    auto bonusTooLate = oneRound();  // +200 on seat 4's line: not the team's first
    bonusTooLate[4] = "CMD_postscores+50+0+2+4";
    bonusTooLate[6] = "CMD_postscores+250+0+4+2";
    EXPECT_FALSE(AuditRun(bonusTooLate).audit.ok());

    auto missingLine = oneRound();
    missingLine.erase(missingLine.begin() + 5);
    EXPECT_FALSE(AuditRun(missingLine).audit.ok());

    auto wrongWinner = oneRound();
    wrongWinner.back() = "CMD_winner+1+Ann and Cid";
    EXPECT_FALSE(AuditRun(wrongWinner).audit.ok());

    auto bonusMidRound = oneRound();  // a meld line that jumps by 200
    bonusMidRound.insert(bonusMidRound.begin() + 2, "CMD_postscores+240+20+1+3");
    EXPECT_FALSE(AuditRun(bonusMidRound).audit.ok());
}

TEST(SelfPlay, SameSeedSameGamesAndEveryInvariantHolds) {
    const SelfPlayStats a = selfPlay(300, 11, "f");
    const SelfPlayStats b = selfPlay(300, 11, "f");
    ASSERT_TRUE(a.failure.empty()) << a.failure;
    EXPECT_EQ(a.games, 300);
    EXPECT_EQ(a.rounds, 300);
    EXPECT_EQ(a.turns, b.turns);
    EXPECT_EQ(a.wins, b.wins);
    EXPECT_EQ(a.finalScoreSum, b.finalScoreSum);
    EXPECT_EQ(a.messages, b.messages);
    EXPECT_EQ(a.wins[0] + a.wins[1] + a.wins[2], 300);
    const SelfPlayStats c = selfPlay(300, 12, "f");
    EXPECT_NE(a.finalScoreSum, c.finalScoreSum);
}

TEST(SelfPlay, GamesToATargetRunSeveralRounds) {
    const SelfPlayStats s = selfPlay(40, 5, "h");
    ASSERT_TRUE(s.failure.empty()) << s.failure;
    EXPECT_EQ(s.games, 40);
    EXPECT_GT(s.rounds, 40);
    EXPECT_GE(s.finalScoreSum[1] + s.finalScoreSum[2], 40 * 5000);
}

}  // namespace
}  // namespace quintrel
