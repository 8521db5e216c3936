#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>

#include "extras/replace_file.h"
#include "fault_injection.h"
#include "scratch_dir.h"

namespace quintrel {
namespace {

namespace fs = std::filesystem;

class ReplaceFile : public testdata::ScratchDir {
protected:
    void TearDown() override {
        faults::reset();
        ScratchDir::TearDown();
    }
    static bool replace(const std::string& target, const std::string& content) {
        ReplacingFile file(target);
        file.write(content.data(), content.size());  // checked once, by commit
        return file.commit();
    }
    static unsigned modeOf(const std::string& file) {
        struct stat st {};
        return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    std::vector<std::string> temps() const {
        std::vector<std::string> found;
        for (const std::string& name : names())
            if (name.find(ReplacingFile::kTempMarker) != std::string::npos) found.push_back(name);
        return found;
    }
    void age(const std::string& name) const {
        fs::last_write_time(dir_ / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
};

TEST_F(ReplaceFile, EveryFailedStepIsReportedAndLeavesTheTargetAsItWas) {
    for (faults::Call call :
         {faults::Call::Write, faults::Call::Fsync, faults::Call::Close, faults::Call::Rename}) {
        SCOPED_TRACE(static_cast<int>(call));
        const std::string target = path("tally");
        write(target, "old contents");
        ::chmod(target.c_str(), 0640);
        ReplacingFile file(target);
        ASSERT_TRUE(file.isOpen());
        faults::failNext(call, ENOSPC);
        file.write("new contents", 12);
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(read(target), "old contents");
        EXPECT_EQ(modeOf(target), 0640u);
        EXPECT_EQ(names(), std::vector<std::string>{"tally"}) << "the temporary file is removed";
        faults::reset();
    }
}

TEST_F(ReplaceFile, KeepsTheTargetsModeAndWritesThroughSymlinks) {
    for (unsigned mode : {0600u, 0755u}) {
        write(path("settings.ini"), "a");
        ::chmod(path("settings.ini").c_str(), mode);
        ASSERT_TRUE(replace(path("settings.ini"), "b"));
        EXPECT_EQ(read(path("settings.ini")), "b");
        EXPECT_EQ(modeOf(path("settings.ini")), mode);
    }
    ASSERT_TRUE(replace(path("new"), "c"));
    EXPECT_EQ(modeOf(path("new")), 0600u) << "a new file is private";

    fs::create_directories(dir_ / "real");
    write(path("real/tally"), "old");
    fs::create_symlink("real/tally", dir_ / "link");       // relative
    fs::create_symlink(dir_ / "link", dir_ / "linklink");  // a chain, absolute
    fs::create_symlink("real/later", dir_ / "dangling");   // to a file not made yet
    ASSERT_TRUE(replace(path("linklink"), "new"));
    ASSERT_TRUE(replace(path("dangling"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link") && fs::is_symlink(dir_ / "linklink") &&
                fs::is_symlink(dir_ / "dangling"));
    EXPECT_EQ(read(path("real/tally")), "new");
    EXPECT_EQ(read(path("real/later")), "made");
}

TEST_F(ReplaceFile, TakenTemporaryNamesAreSkippedNeverOpened) {
    // Whatever holds the first names (a stale file, another writer, a planted link) is left
    // alone, and further names are tried.
    write(path("victim"), "not yours");
    int taken = 0;
    faults::beforeOpen(ReplacingFile::kTempMarker, [&](const char* name) {
        if (taken++ < 3) fs::create_symlink(dir_ / "victim", name);
    });
    ASSERT_TRUE(replace(path("tally"), "mine"));
    EXPECT_EQ(taken, 4);
    EXPECT_EQ(read(path("tally")), "mine");
    EXPECT_EQ(read(path("victim")), "not yours");
}

TEST_F(ReplaceFile, OnlyTheTemporariesOfDeadWritersAreRemoved) {
    const std::string target = path("tally");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ReplacingFile file(target);
        file.write("half", 4);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::vector<std::string> killed = temps();
    ASSERT_EQ(killed.size(), 1u);

    // Kept: a writer still at work (however old its file), a fresh file of a writer that
    // may not have locked it yet, names that only look alike.
    ReplacingFile busy(target);
    ASSERT_TRUE(busy.isOpen());
    for (const std::string& name : temps()) age(name);
    write(path("tally.tmp-abcdef"), "");
    for (const char* name : {"tally.tmp-abc", "tally.tmp-abcdefg", "other.tmp-abcdef"}) {
        write(path(name), "");
        age(name);
    }
    ASSERT_TRUE(replace(target, "next"));
    const std::vector<std::string> left = temps();
    EXPECT_EQ(left.size(), 5u);
    EXPECT_EQ(std::count(left.begin(), left.end(), killed[0]), 0);
    EXPECT_TRUE(busy.write("busy", 4));
    EXPECT_TRUE(busy.commit());
    EXPECT_EQ(read(target), "busy");
}

}  // namespace
}  // namespace quintrel
