#include "net/qt/session_plan.h"

#include <gtest/gtest.h>

namespace quintrel::net {
namespace {

TEST(SessionPlan, NoArgumentsIsASoloGameAgainstTheComputer) {
    const auto plan = planSession({});
    EXPECT_EQ(plan.mode, SessionMode::Solo);
    EXPECT_EQ(plan.loadingLine, "Loading Solo Game..Please wait.");
    EXPECT_EQ(plan.playername, "You");
    EXPECT_EQ(plan.hostaddress, "127.0.0.1");
    EXPECT_TRUE(plan.showDownloadWindow);
    EXPECT_FALSE(plan.openLobbyLink);
    EXPECT_EQ(plan.startOptions, StartOptions::ShowTargetsDisabled);
}

TEST(SessionPlan, OneOrTwoArgumentsOnlyShowTheLoadingLine) {
    for (const auto& args : {std::vector<std::string>{"Bob"}, std::vector<std::string>{"Bob", "host"}}) {
        const auto plan = planSession(args);
        EXPECT_EQ(plan.mode, SessionMode::Waiting);
        EXPECT_EQ(plan.loadingLine, "Loading Multi-player Game.. Please Wait.");
        EXPECT_FALSE(plan.openLobbyLink);
        EXPECT_FALSE(plan.showDownloadWindow);
        EXPECT_EQ(plan.startOptions, StartOptions::Unchanged);
    }
}

TEST(SessionPlan, OnlyExactlyTrueHostsAndTheHostAlwaysUsesLoopback) {
    const auto host = planSession({"Bob", "10.0.0.5", "true"});
    EXPECT_EQ(host.mode, SessionMode::Host);
    EXPECT_EQ(host.playername, "Bob");
    EXPECT_EQ(host.hostaddress, "127.0.0.1");
    EXPECT_TRUE(host.openLobbyLink);

    for (const char* other : {"TRUE", "True", "true ", "yes", "false", ""}) {
        const auto join = planSession({"Bob", "game.example", other});
        EXPECT_EQ(join.mode, SessionMode::Join) << other;
        EXPECT_EQ(join.hostaddress, "game.example");
        EXPECT_TRUE(join.openLobbyLink);
    }
}

TEST(SessionPlan, FourthArgumentSetsTheStartOptions) {
    EXPECT_EQ(planSession({"a", "b", "true"}).startOptions, StartOptions::Unchanged);
    EXPECT_EQ(planSession({"a", "b", "true", "t"}).startOptions, StartOptions::ShowTargetsDisabled);
    EXPECT_EQ(planSession({"a", "b", "false", "T"}).startOptions, StartOptions::HideAll);
    EXPECT_EQ(planSession({"a", "b", "false", "x", "t"}).startOptions, StartOptions::HideAll);
}

TEST(SessionPlan, NamesKeepTheirBytes) {
    const auto plan = planSession({"J\xF6rg+Co", "h", "x"});
    EXPECT_EQ(plan.playername, "J\xF6rg+Co");
}

}  // namespace
}  // namespace quintrel::net
