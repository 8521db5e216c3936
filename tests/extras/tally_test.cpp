#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "extras/tally.h"

namespace quintrel {
namespace {

using Counts = std::array<int, 8>;  // columns 1..8 of a row

// Ann in seat 1 with Klot; Bob and Kling opposite.
TallyRoster table(int myseat = 1) { return {{"Ann", "Bob", "Klot", "Kling"}, myseat}; }

void tallyAll(Tally& tally, const TallyRoster& roster) {
    tally.loadchecklist(roster);
    for (int i = 0; i < static_cast<int>(tally.checklist().size()); ++i) tally.checklistClickCheck(i);
}

Counts countsOf(const Tally& tally, int row) {
    Counts counts{};
    for (int col = 1; col <= 8; ++col)
        counts[static_cast<std::size_t>(col - 1)] = std::stoi(tally.stringgrid_scores().Cells(col, row));
    return counts;
}

std::pair<int, int> totals(const Tally& tally) {
    const StringGrid& grid = tally.stringgrid_scores();
    return {std::stoi(grid.Cells(1, 0)), std::stoi(grid.Cells(2, 0))};
}

TEST(Tally, AGameCountsForTheTalliedPlayersAtTheTable) {
    const Counts none{};
    const struct Case {
        const char* what;
        TallyRoster roster;
        const char* winners;
        std::pair<int, int> own;             // total games, own wins
        std::map<std::string, Counts> rows;  // the tallied players' rows afterwards
    } kCases[] = {
        {"a team win with a tallied partner",
         table(),
         "Ann and Klot",
         {1, 1},
         {{"Bob", {1, 0, 1, 0, 1, 0, 1, 0}},
          {"Klot", {1, 0, 0, 1, 1, 0, 0, 1}},
          {"Kling", {1, 0, 1, 0, 1, 0, 1, 0}}}},
        {"a loss",
         table(),
         "Bob and Kling",
         {1, 0},
         {{"Bob", {1, 1, 0, 0, 1, 1, 0, 0}}, {"Klot", {1, 0, 0, 0, 1, 0, 0, 0}}}},
        {"a tie adds nothing", table(), "No One", {0, 0}, {{"Bob", none}, {"Klot", none}}},
        {"a name inside a longer name is not that name",
         {{"Bo", "Bob", "Ann", "Kling"}, 1},
         "Bob and Kling",
         {1, 0},
         {{"Ann", {1, 0, 0, 0, 1, 0, 0, 0}}, {"Bob", {1, 1, 0, 0, 1, 1, 0, 0}}}},
        {"a winner who was not at the table is not recorded",
         {{"Ann", "<Waiting>", "Klot", "Kling"}, 1},
         "Bob and Kling",
         {1, 0},
         {{"Bob", none}, {"Kling", {1, 1, 0, 0, 1, 1, 0, 0}}}},
        {"a spectator records nothing", table(6), "Ann and Klot", {0, 0}, {{"Ann", none}, {"Klot", none}}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Tally tally;
        // Everybody who was ever at the table is tallied; only the rows named are checked.
        tallyAll(tally, {{"Ann", "Bob", "Klot", "Kling"}, 0});
        tallyAll(tally, {{"Bo", "Bob", "Ann", "Kling"}, 0});
        tally.addgame(c.winners, c.roster);
        EXPECT_EQ(totals(tally), c.own);
        const std::vector<std::string> names = tally.talliedNames();
        for (const auto& [name, counts] : c.rows) {
            const auto at = std::find(names.begin(), names.end(), name);
            ASSERT_NE(at, names.end()) << name;
            EXPECT_EQ(countsOf(tally, static_cast<int>(at - names.begin()) + 1), counts) << name;
        }
    }
}

TEST(Tally, PlayersAreTalliedFromTheTableOnce) {
    Tally tally;
    tally.loadchecklist(table(1));
    EXPECT_EQ(tally.checklist(), (std::vector<std::string>{"Bob", "Klot", "Kling"}));
    tally.checklistClickCheck(1);  // a computer player is tallied like a person
    tally.checklistClickCheck(1);
    EXPECT_EQ(tally.talliedNames(), std::vector<std::string>{"Klot"});
    EXPECT_TRUE(tally.isTallied("Klot"));
    // A name with line breaks from a peer is kept as one line.
    tally.loadchecklist({{"Ann", "Ev\r\nil", "<Waiting>", "Kl\x01ing"}, 1});
    EXPECT_EQ(tally.checklist(), (std::vector<std::string>{"Evil", "Kling"}));
    tally.checklistClickCheck(0);
    EXPECT_EQ(tally.talliedNames(), (std::vector<std::string>{"Klot", "Evil"}));
}

TEST(Tally, DeletingARowAsksAndNoKeepsIt) {
    Tally tally;
    tallyAll(tally, table());
    tally.addgame("Ann and Klot", table());
    EXPECT_EQ(tally.deletionQuestion(1), "This will delete Klot's Tally, Are you want to delete it?");
    tally.listbox_tallyClick(2);
    tally.listbox_tallyClickCheck(1, false);
    EXPECT_EQ(tally.talliedNames(), (std::vector<std::string>{"Bob", "Klot", "Kling"}));

    // Deleting a middle row moves the rows below up, with their counts and the selection.
    tally.listbox_tallyClickCheck(1, true);
    EXPECT_EQ(tally.talliedNames(), (std::vector<std::string>{"Bob", "Kling"}));
    EXPECT_EQ(countsOf(tally, 2), (Counts{1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(tally.selected(), 1);
    EXPECT_EQ(tally.labels().label_hisnametop, "Kling's Tally");
    // Deleting the selected row, then the last one, leaves row 0 with the own totals.
    tally.listbox_tallyClickCheck(1, true);
    EXPECT_EQ(tally.selected(), -1);
    EXPECT_EQ(tally.labels().label_hisname, "");
    tally.listbox_tallyClickCheck(0, true);
    EXPECT_EQ(tally.stringgrid_scores().RowCount(), 1);
    EXPECT_EQ(totals(tally), std::make_pair(1, 1));
    tally.listbox_tallyClickCheck(0, true);  // nothing left to delete
    EXPECT_EQ(tally.stringgrid_scores().RowCount(), 1);
}

TEST(Tally, ARestartKeepsTheTotalsAndStartsANewSession) {
    Tally before;
    tallyAll(before, table());
    before.addgame("Ann and Klot", table());
    before.addgame("Bob and Kling", table());
    Tally after;
    after.load(before.save());
    EXPECT_EQ(after.talliedNames(), before.talliedNames());
    EXPECT_EQ(totals(after), std::make_pair(2, 1));
    EXPECT_EQ(countsOf(after, 1), (Counts{2, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(countsOf(after, 2), (Counts{2, 0, 0, 1, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace quintrel
