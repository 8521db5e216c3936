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
        file.write(content.data(), content.size());
        return file.commit();
    }
    static unsigned modeOf(const std::string& file) {
        struct stat st {};
        return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    // The temporary files in the folder.
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
    const struct {
        const char* step;
        faults::Call call;
    } kSteps[] = {
        {"write", faults::Call::Write},
        {"fsync", faults::Call::Fsync},
        {"close", faults::Call::Close},
        {"rename", faults::Call::Rename},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.step);
        const std::string target = path("tally");
        write(target, "old contents");
        ::chmod(target.c_str(), 0640);
        ReplacingFile file(target);
        ASSERT_TRUE(file.isOpen());
        faults::failNext(step.call, ENOSPC);
        file.write("new contents", 12);  // the result is checked once, by commit
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(read(target), "old contents");
        EXPECT_EQ(modeOf(target), 0640u);
        EXPECT_EQ(names(), std::vector<std::string>{"tally"}) << "the temporary file is removed";
        faults::reset();
    }
}

TEST_F(ReplaceFile, KeepsTheTargetsPermissions) {
    for (unsigned mode : {0600u, 0640u, 0755u}) {
        const std::string target = path("settings.ini");
        write(target, "a");
        ::chmod(target.c_str(), mode);
        ASSERT_TRUE(replace(target, "b"));
        EXPECT_EQ(read(target), "b");
        EXPECT_EQ(modeOf(target), mode);
    }
    // A new file is private.
    ASSERT_TRUE(replace(path("new"), "c"));
    EXPECT_EQ(modeOf(path("new")), 0600u);
}

TEST_F(ReplaceFile, WritesThroughSymlinks) {
    fs::create_directories(dir_ / "real");
    write(path("real/tally"), "old");
    fs::create_symlink("real/tally", dir_ / "link");       // relative
    fs::create_symlink(dir_ / "link", dir_ / "linklink");  // a chain, absolute
    ASSERT_TRUE(replace(path("linklink"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "linklink"));
    EXPECT_EQ(read(path("real/tally")), "new");
    EXPECT_EQ(names(), (std::vector<std::string>{"link", "linklink", "real"}));
    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("real/later", dir_ / "dangling");
    ASSERT_TRUE(replace(path("dangling"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
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
    faults::reset();
    EXPECT_EQ(taken, 4);
    EXPECT_EQ(read(path("tally")), "mine");
    EXPECT_EQ(read(path("victim")), "not yours");
}

TEST_F(ReplaceFile, TemporariesOfAKilledWriterAreRemovedByTheNext) {
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
    const std::vector<std::string> left = temps();
    ASSERT_EQ(left.size(), 1u);
    age(left[0]);

    // A writer that is still at work keeps its file, however old.
    ReplacingFile busy(target);
    ASSERT_TRUE(busy.isOpen());
    for (const std::string& name : temps()) age(name);

    ASSERT_TRUE(replace(target, "next"));
    EXPECT_EQ(temps().size(), 1u) << "only the busy writer's file is left";
    EXPECT_NE(temps()[0], left[0]);
    EXPECT_TRUE(busy.write("busy", 4));
    EXPECT_TRUE(busy.commit());
    EXPECT_EQ(read(target), "busy");
    EXPECT_EQ(names(), std::vector<std::string>{"tally"});
}

TEST_F(ReplaceFile, AFreshTemporaryOfAnotherWriterIsKept) {
    // It may belong to a writer between creating and locking it.
    write(path("tally.tmp-abcdef"), "");
    ASSERT_TRUE(replace(path("tally"), "x"));
    EXPECT_EQ(names(), (std::vector<std::string>{"tally", "tally.tmp-abcdef"}));
    // Names that only look alike are never touched, however old.
    for (const char* name : {"tally.tmp-abc", "tally.tmp-abcdefg", "other.tmp-abcdef"}) {
        write(path(name), "");
        age(name);
    }
    age("tally.tmp-abcdef");
    ASSERT_TRUE(replace(path("tally"), "y"));
    EXPECT_EQ(names(),
              (std::vector<std::string>{"other.tmp-abcdef", "tally", "tally.tmp-abc", "tally.tmp-abcdefg"}));
}

}  // namespace
}  // namespace quintrel
