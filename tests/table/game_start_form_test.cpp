#include <gtest/gtest.h>

#include "table/game_start_form.h"
#include "table.h"

namespace quintrel::table {
namespace {

using Box = GameStartForm::Box;
using kit::Table;

std::vector<std::string> start(Table& t, GameStartForm& form) {
    t.events.sent.clear();
    t.state.openStartDialog(form);
    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(t.state.startButton().visible);
    t.state.startgame(form);
    EXPECT_FALSE(form.visible());
    return t.events.sent;
}

TEST(GameStartForm, DefaultSendsFullGameWithoutWatchingBots) {
    Table t(1);
    GameStartForm form(true);
    EXPECT_EQ(start(t, form), (std::vector<std::string>{"CMD_startgame+You+t", "CMD_settourney+false+0+"}));
    GameStartForm multi(false);
    EXPECT_FALSE(multi.box(Box::Bots).visible);
    multi.setChecked(Box::Bots, true);  // a hidden box never asks the bots to watch
    EXPECT_EQ(start(t, multi)[1], "CMD_settourney+false+0+");
}

TEST(GameStartForm, LengthBoxesExcludeEachOther) {
    Table t(1);
    GameStartForm form(true);
    form.click(Box::Half);
    EXPECT_FALSE(form.box(Box::Full).checked);
    EXPECT_TRUE(form.box(Box::Half).checked);
    EXPECT_FALSE(form.box(Box::Round).checked);
    EXPECT_EQ(start(t, form)[0], "CMD_startgame+You+h");
    form.click(Box::Round);
    EXPECT_FALSE(form.box(Box::Half).checked);
    EXPECT_TRUE(form.box(Box::Round).checked);
}

TEST(GameStartForm, ClickingTheCheckedLengthKeepsIt) {
    Table t(1);
    GameStartForm form(true);
    form.click(Box::Round);
    form.click(Box::Round);
    EXPECT_FALSE(form.box(Box::Full).checked);
    EXPECT_TRUE(form.box(Box::Round).checked);
    EXPECT_EQ(start(t, form)[0], "CMD_startgame+You+f");
}

// Closing the dialog gives the start button back unless a game runs, and a running game is
// only replaced when the player says so.
TEST(GameStartForm, ClosingBringsTheStartButtonBackAndARunningGameIsReplacedOnlyWhenConfirmed) {
    Table t(1);
    GameStartForm form(true);
    for (bool running : {false, true}) {
        if (running) t.state.startthegame({"You", "t"});
        t.state.openStartDialog(form);
        t.state.closeStartDialog(form);
        EXPECT_NE(t.state.startButton().visible, running);
    }
    t.events.answer = false;
    EXPECT_TRUE(start(t, form).empty());
    EXPECT_EQ(t.events.order.back(), "confirm:A game is in progress. Start a new one?");
    t.events.answer = true;
    EXPECT_EQ(start(t, form).size(), 2u);
}

TEST(GameStartForm, BotsJustWatchEnablesTheTargetsWhichExcludeEachOther) {
    Table t(1);
    GameStartForm form(true);
    form.click(Box::To3000);  // disabled: no effect
    EXPECT_FALSE(form.box(Box::To3000).checked);
    form.click(Box::Bots);
    EXPECT_TRUE(form.box(Box::To3000).enabled);
    form.click(Box::To3000);
    EXPECT_EQ(start(t, form)[1], "CMD_settourney+true+3+");
    form.click(Box::To5000);
    EXPECT_TRUE(form.box(Box::To5000).checked);
    EXPECT_FALSE(form.box(Box::To3000).checked);
    form.click(Box::To3000);
    EXPECT_FALSE(form.box(Box::To5000).checked);
}

TEST(GameStartForm, TargetLeftCheckedAfterBotsIsUncheckedStillCounts) {
    Table t(1);
    GameStartForm form(true);
    form.click(Box::Bots);
    form.click(Box::To5000);
    form.click(Box::Bots);
    EXPECT_FALSE(form.box(Box::To5000).enabled);
    EXPECT_FALSE(form.box(Box::To3000).enabled);
    EXPECT_TRUE(form.box(Box::To5000).checked);
    EXPECT_EQ(start(t, form)[1], "CMD_settourney+false+5+");
}

TEST(GameStartForm, NotConnectedSendsNothing) {
    Table t(0);
    GameStartForm form(true);
    EXPECT_TRUE(start(t, form).empty());
    EXPECT_EQ(t.events.boxes, (std::vector<std::string>{"You are not connected"}));
}

}  // namespace
}  // namespace quintrel::table
