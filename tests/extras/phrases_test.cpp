#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "extras/file_locations.h"
#include "extras/klot_talk.h"
#include "extras/phrases.h"

namespace quintrel {
namespace {

TEST(Phrases, ActionTextOfAPhrase) {
    const std::pair<std::string, std::string> cases[] = {
        {"Way To Go!", "says: Way To Go!"},
        {"", "says: "},
        {"/me dances", "dances"},
        {"/mewaves", "aves"},
        {"/me", ""},
        {"/ME shouts", "says: /ME shouts"},
        {"/me\xC3\xA9t\xC3\xA9", "t\xC3\xA9"},  // the dropped character is two bytes
    };
    for (const auto& [phrase, action] : cases) EXPECT_EQ(phraseActionText(phrase), action) << phrase;
    EXPECT_EQ(builtInPhrase(1), "Way To Go!");
    EXPECT_EQ(builtInPhrase(10), "See ya!");
    EXPECT_EQ(builtInPhrase(11), "");
}

TEST(KlotTalk, AnswersOnlyAgainstThreeComputerPlayers) {
    std::vector<int> asked;
    int next = 0;
    const RandomInt random = [&](int n) {
        asked.push_back(n);
        return next;
    };
    next = 1;
    EXPECT_FALSE(klottalk(false, random));
    EXPECT_TRUE(asked.empty());

    EXPECT_EQ(klottalk(true, random), "Klot the bot says: I need a Pepsi");
    next = 32;
    EXPECT_EQ(klottalk(true, random), "Klot the bot says: I got hit by lightening");
    next = 17;
    EXPECT_EQ(klottalk(true, random), "Klot the bot says: Why did you do that?");
    EXPECT_EQ(asked, std::vector<int>(3, 33));
    for (int silent : {0, 33, -1}) {
        next = silent;
        EXPECT_FALSE(klottalk(true, random)) << silent;
    }
}

TEST(FileLocations, UserFoldersUnlessAFileStandsBesideTheProgram) {
    const FileFolders folders{"/opt/q", "/home/p/.config", "/home/p/.local/share"};
    struct Case {
        const char* name;
        FileKind kind;
        std::string besideProgram;  // the one file that exists
        FileLocation expected;
    };
    const Case cases[] = {
        {kSettingsFileName,
         FileKind::Settings,
         "",
         {"/home/p/.config/quintrel/pelnorlobby.ini", "/home/p/.config/quintrel", false}},
        {kTallyFileName,
         FileKind::Data,
         "",
         {"/home/p/.local/share/quintrel/quintreltally.tld", "/home/p/.local/share/quintrel", false}},
        {"lobby-setup.sh",
         FileKind::Data,
         "/opt/q/pelnorlobby.ini",
         {"/home/p/.local/share/quintrel/lobby-setup.sh", "/home/p/.local/share/quintrel", false}},
        {kSettingsFileName,
         FileKind::Settings,
         "/opt/q/pelnorlobby.ini",
         {"/opt/q/pelnorlobby.ini", "", true}},
        {kTallyFileName, FileKind::Data, "/opt/q/quintreltally.tld", {"/opt/q/quintreltally.tld", "", true}},
    };
    for (const Case& c : cases) {
        const FileLocation got = locateFile(c.name, c.kind, folders,
                                            [&](const std::string& path) { return path == c.besideProgram; });
        EXPECT_EQ(got.path, c.expected.path) << c.name;
        EXPECT_EQ(got.folder, c.expected.folder) << c.name;
        EXPECT_EQ(got.portable, c.expected.portable) << c.name;
    }
    const auto none = [](const std::string&) { return false; };
    EXPECT_EQ(locateFile(kSettingsFileName, FileKind::Settings, {"/opt/q", "", "/d"}, none).path,
              "/opt/q/pelnorlobby.ini");
    for (const char* bad : {"", ".", "..", "../x.ini", "a/b", "a\\b", "/etc/passwd"})
        EXPECT_THROW(locateFile(bad, FileKind::Data, folders, none), std::invalid_argument) << bad;
}

}  // namespace
}  // namespace quintrel
