#include <gtest/gtest.h>

#include "extras/play_with_others.h"

namespace quintrel {
namespace {

TEST(PlayWithOthersMemory, KeepsTheLastFiveHostsNewestFirstWithoutRepeats) {
    PlayWithOthersMemory memory;
    for (const RecentHost& host : std::vector<RecentHost>{
             {"a", 7772}, {"b", 7772}, {"a", 7800}, {"c", 1}, {"d", 2}, {"e", 3}, {"b", 7772}})
        rememberHost(memory, host);
    const std::vector<RecentHost> expected = {{"b", 7772}, {"e", 3}, {"d", 2}, {"c", 1}, {"a", 7800}};
    EXPECT_EQ(memory.hosts, expected);

    // Through the settings file and back; a shorter list empties the entries it no longer uses.
    memory.name = "Ann";
    IniFile file("[quintrel]\nHost5=old\nPort5=9\n");
    for (const auto& [key, value] : playWithOthersEntries(memory)) file.set("quintrel", key, value);
    const PlayWithOthersMemory read = playWithOthersFrom(file);
    EXPECT_EQ(read.name, "Ann");
    EXPECT_EQ(read.hosts, expected);
    memory.hosts.resize(1);
    for (const auto& [key, value] : playWithOthersEntries(memory)) file.set("quintrel", key, value);
    EXPECT_EQ(playWithOthersFrom(file).hosts.size(), 1u);
}

TEST(PlayWithOthersMemory, SkipsDamagedEntriesAndUnusableNames) {
    const IniFile file(
        "[quintrel]\nPlayerName=a+b\nHost1=x\nPort1=0\nHost2=y\nPort2=70000\nHost3=\nPort3=5\n"
        "Host4=z\nPort4=12ab\nHost5=ok.example\nPort5=7772\n");
    const PlayWithOthersMemory read = playWithOthersFrom(file);
    EXPECT_EQ(read.name, "");
    EXPECT_EQ(read.hosts, (std::vector<RecentHost>{{"ok.example", 7772}}));

    const std::vector<std::pair<std::string, bool>> names = {
        {"Ann", true},
        {"", false},
        {"   ", false},
        {"a+b", false},
        {"a\tb", false},
        {"\xFF", false},
        {"Zo\xEB", true},
        {std::string(20, 'x'), true},
        {std::string(21, 'x'), false},
    };
    for (const auto& [name, usable] : names) EXPECT_EQ(playerNameProblem(name).empty(), usable) << name;
}

}  // namespace
}  // namespace quintrel
