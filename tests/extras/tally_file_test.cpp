#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "extras/lzrw1.h"
#include "extras/tally_file.h"
#include "fault_injection.h"
#include "scratch_dir.h"

namespace quintrel {
namespace {

constexpr std::time_t kNoon = 1714557600;  // some day at noon, local time unknown

class TallyFileTest : public testdata::ScratchDir {
protected:
    void TearDown() override {
        faults::reset();
        ScratchDir::TearDown();
    }
    static std::string packed(const std::string& text) {
        Tlzrw1 codec;
        return codec.Compress(text);
    }
    static std::string lines(const std::vector<std::string>& cells) {
        std::string text;
        for (const std::string& cell : cells) text += cell + "\r\n";
        return text;
    }
    // A tally of one player with these nine cells of row 1 (row 0 all "5").
    static std::string oneRow(const std::vector<std::string>& row) {
        std::vector<std::string> cells{"9", "2"};
        for (std::size_t col = 0; col < 9; ++col) {
            cells.push_back(col == 0 ? "0" : "5");
            cells.push_back(row[col]);
        }
        return lines(cells);
    }
    static Tally played() {
        Tally tally;
        const TallyRoster roster{{"Ann", "Bob", "Klot", "Kling"}, 1};
        tally.loadchecklist(roster);
        tally.checklistClickCheck(1);
        tally.addgame("Ann and Klot", roster);
        return tally;
    }
};

TEST_F(TallyFileTest, DamagedFilesNeverCrashAndAreKeptAside) {
    const std::string good = oneRow({"Klot", "3", "1", "1", "1", "9", "9", "9", "9"});
    std::string hugeStated = packed(good);
    hugeStated[7] = 0x10;  // 256 MiB promised
    const struct Case {
        const char* what;
        std::string bytes;
        bool readable;
        std::string text;  // the tally's text once read
    } kCases[] = {
        {"a counter that is no number reads as 0",
         packed(oneRow({"Klot", "x", "", "-4", "99999999999", "1", "1", "1", "1"})), true,
         lines({"9", "2", "0", "Klot", "5", "0", "5", "0", "0", "0",
                "0", "0", "0", "0",    "0", "0", "0", "0", "0", "0"})},
        {"bare LF line ends", packed("9\n1\n0\n7\n3\n0\n0\n0\n0\n0\n0\n"), true,
         lines({"9", "1", "0", "7", "3", "0", "0", "0", "0", "0", "0"})},
        {"no container", lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}), false, {}},
        {"a cut container", packed(good).substr(0, 20), false, {}},
        {"a container promising too much", hugeStated, false, {}},
        {"fewer cells than the counts say", packed(good.substr(0, good.size() - 6)), false, {}},
        {"more cells than the counts say", packed(good + "7\r\n"), false, {}},
        {"fewer than 9 columns",
         packed(lines({"8", "1", "0", "1", "1", "0", "0", "0", "0", "0"})),
         false,
         {}},
        {"a huge row count", packed(lines({"9", "2000000000", "0", "1"})), false, {}},
        {"a column count that is no number", packed("nine\r\n1\r\n" + std::string(9 * 3, '0')), false, {}},
        {"an empty file", "", false, {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::string file = path("quintreltally.tld");
        write(file, c.bytes);
        Tally tally;
        TallyFile store(file);
        const TallyLoad loaded = store.load(tally, kNoon);
        if (c.readable) {
            EXPECT_EQ(loaded.result, TallyLoad::Result::Loaded) << loaded.problem;
            EXPECT_EQ(tally.save(), c.text);
            std::filesystem::remove(file);
            continue;
        }
        ASSERT_EQ(loaded.result, TallyLoad::Result::MovedAside);
        EXPECT_FALSE(loaded.problem.empty());
        EXPECT_EQ(tally.stringgrid_scores().RowCount(), 1);
        // The damaged file is kept, under a dated name, and a save does not touch it.
        EXPECT_EQ(loaded.movedTo.rfind(file + ".damaged-20", 0), 0u) << loaded.movedTo;
        EXPECT_EQ(read(loaded.movedTo), c.bytes);
        store.save(played());
        EXPECT_EQ(read(loaded.movedTo), c.bytes);
        Tally back;
        EXPECT_EQ(TallyFile(file).load(back, kNoon).result, TallyLoad::Result::Loaded);
        EXPECT_EQ(back.talliedNames(), std::vector<std::string>{"Klot"});
        std::filesystem::remove(loaded.movedTo);
        std::filesystem::remove(file);
    }
}

TEST_F(TallyFileTest, AFileThatCanNeitherBeReadNorMovedIsNeverReplaced) {
    const std::string file = path("quintreltally.tld");
    write(file, "junk");
    faults::failNext(faults::Call::Rename);
    Tally tally;
    TallyFile store(file);
    EXPECT_EQ(store.load(tally, kNoon).result, TallyLoad::Result::Kept);
    EXPECT_THROW(store.save(played()), TallyFileError);
    EXPECT_EQ(read(file), "junk");
}

TEST_F(TallyFileTest, AFailedSaveKeepsThePreviousTally) {
    const std::string file = path("data/quintrel/quintreltally.tld");  // the folder is made
    TallyFile store(file);
    store.save(played());
    const std::string before = read(file);
    Tally more = played();
    more.addgame("Bob and Kling", {{"Ann", "Bob", "Klot", "Kling"}, 1});
    faults::failNext(faults::Call::Fsync, ENOSPC);
    EXPECT_THROW(store.save(more), TallyFileError);
    EXPECT_EQ(read(file), before);
    Tally back;
    EXPECT_EQ(TallyFile(file).load(back, kNoon).result, TallyLoad::Result::Loaded);
    Tally expected;  // the first save, read back
    expected.load(played().save());
    EXPECT_EQ(back.save(), expected.save());
}

TEST_F(TallyFileTest, TheContainerToolDecodesASavedTally) {
    const std::string file = path("quintreltally.tld");
    TallyFile(file).save(played());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        ::execl(QUINTREL_CONTAINER_PATH, QUINTREL_CONTAINER_PATH, "decompress", file.c_str(),
                path("tally.txt").c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(read(path("tally.txt")), lines({"9", "2", "0", "Klot", "1", "1", "1", "0", "0", "0",
                                              "0", "1", "0", "1",    "0", "0", "0", "0", "0", "1"}));
}

}  // namespace
}  // namespace quintrel
