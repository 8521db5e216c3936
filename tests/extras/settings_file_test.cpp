#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

#include "extras/ini_file.h"
#include "extras/settings.h"
#include "test_data.h"

namespace quintrel {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("quintrel_settings_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void spit(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

TEST(IniFile, SettingKeysKeepsEveryOtherByte) {
    const std::string before =
        "\xEF\xBB\xBF; shared with the lobby\r\n"
        "[Lobby]\r\n"
        "  Name =  Player One  \r\n"
        "Textsize=99\r\n"
        "\r\n"
        "[ QUINTREL ]  ; ours\r\n"
        "TEXTSIZE = 12\r\n"
        "a line without an equals sign\r\n"
        "Playsounds=true\r\n"
        "\r\n"
        "; about the next section\r\n"
        "[other]\r\n"
        "k=v";
    IniFile file(before);
    Settings s;
    s.textSize = 14;
    s.playSounds = false;
    for (const auto& [key, value] : optionEntries(s)) file.set(kSettingsSection, key, value);
    file.set(kPhraseSection, "Phrase1", "Hi there");

    const std::string after =
        "\xEF\xBB\xBF; shared with the lobby\r\n"
        "[Lobby]\r\n"
        "  Name =  Player One  \r\n"
        "Textsize=99\r\n"
        "\r\n"
        "[ QUINTREL ]  ; ours\r\n"
        "TEXTSIZE=14\r\n"
        "a line without an equals sign\r\n"
        "Playsounds=false\r\n"
        "Textcolor=clBlack\r\n"
        "Actioncolor=clBlack\r\n"
        "Botspeed=750\r\n"
        "Manualsort=true\r\n"
        "Phrase1=Hi there\r\n"
        "\r\n"
        "; about the next section\r\n"
        "[other]\r\n"
        "k=v";
    EXPECT_EQ(file.text(), after);
    EXPECT_EQ(file.value("Lobby", "name"), "Player One");
}

TEST(IniFile, AddsSectionsAndKeysWhereTheyAreRead) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;  // after setting Botspeed=500 in "quintrel"
    };
    const Case cases[] = {
        {"empty file", "", "[quintrel]\nBotspeed=500\n"},
        {"no newline at the end", "[other]\r\nk=v", "[other]\r\nk=v\r\n[quintrel]\r\nBotspeed=500\r\n"},
        {"section without keys, no newline", "[Quintrel]", "[Quintrel]\nBotspeed=500\n"},
        {"section opened twice, key in the second", "[quintrel]\na=1\n[x]\n[QUINTREL]\nbotspeed=1000\n",
         "[quintrel]\na=1\n[x]\n[QUINTREL]\nbotspeed=500\n"},
        {"section opened twice, no key: the first block", "[quintrel]\na=1\n\n[quintrel]\nb=2\n",
         "[quintrel]\na=1\nBotspeed=500\n\n[quintrel]\nb=2\n"},
        {"duplicate key: the first", "[quintrel]\nBotspeed=1000\nBotspeed=750\n",
         "[quintrel]\nBotspeed=500\nBotspeed=750\n"},
        {"key before any section is not in it", "Botspeed=1\n[quintrel]\n",
         "Botspeed=1\n[quintrel]\nBotspeed=500\n"},
        {"commented key is no key", "[quintrel]\n;Botspeed=1000\n",
         "[quintrel]\nBotspeed=500\n;Botspeed=1000\n"},
    };
    for (const Case& c : cases) {
        IniFile file(c.before);
        file.set("quintrel", "Botspeed", "500");
        EXPECT_EQ(file.text(), c.after) << c.what;
        EXPECT_EQ(IniFile(file.text()).value("QuinTrel", "BOTSPEED"), "500") << c.what;
    }
}

TEST(IniFile, ValueWithLineBreaksCannotAddAKeyOrSection) {
    IniFile file;
    file.set("quintrel", "Phrase1", " hi\nBotspeed=500\r\n[other] ");
    const IniFile reread(file.text());
    EXPECT_EQ(reread.value("quintrel", "Phrase1"), "hi Botspeed=500  [other]");
    EXPECT_FALSE(reread.value("quintrel", "Botspeed"));
    EXPECT_FALSE(reread.value("other", "Phrase1"));
}

// Damaged and oversized files: read without a crash, never more than the limit, and a file
// that could not be read whole is never replaced.
TEST(IniFile, DamagedOrHugeFilesAreReadBoundedAndNeverTruncated) {
    TempDir dir;
    const std::string path = dir.file("pelnorlobby.ini");

    spit(path, testdata::randomBytes(5000, 7) + "\n[quintrel]\nBotspeed=500\n" + std::string(300, '\0'));
    IniRead read = readIniFile(path);
    EXPECT_EQ(read.status, IniReadStatus::Read);
    EXPECT_EQ(settingsFrom(read.file).botSpeed, 500);

    const std::string huge = "[quintrel]\r\nBotspeed=1000\r\n" + testdata::randomBytes(10 * 1024 * 1024, 3);
    spit(path, huge);
    read = readIniFile(path);
    EXPECT_EQ(read.status, IniReadStatus::TooLarge);
    EXPECT_LE(read.file.text().size(), kMaxIniFileBytes);
    EXPECT_EQ(settingsFrom(read.file).botSpeed, 1000);
    EXPECT_FALSE(saveOptions(path, Settings{}));
    EXPECT_EQ(fs::file_size(path), huge.size());

    // One line with no line end, longer than the limit.
    spit(path, "[quintrel]Botspeed=500" + std::string(kMaxIniFileBytes, 'x'));
    read = readIniFile(path);
    EXPECT_EQ(read.status, IniReadStatus::TooLarge);
    EXPECT_EQ(read.file.text(), "");

    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(readIniFile(path).status, IniReadStatus::Unreadable);
    EXPECT_FALSE(saveOptions(path, Settings{}));
    EXPECT_TRUE(fs::is_directory(path));
}

TEST(Settings, ReadsEachKeyByItsRule) {
    using Field = std::function<std::string(const Settings&)>;
    const Field size = [](const Settings& s) { return std::to_string(s.textSize); };
    const Field colours = [](const Settings& s) {
        return chat::colourToText(s.textColour) + " " + chat::colourToText(s.actionColour);
    };
    const Field speed = [](const Settings& s) { return std::to_string(s.botSpeed); };
    const Field flags = [](const Settings& s) {
        return std::string(s.playSounds ? "sounds " : "") + (s.manualSort ? "manual " : "") +
               (s.hideDownload ? "hide " : "") + (s.eventLog ? "log" : "");
    };
    const Field phrases = [](const Settings& s) { return s.phrases[2] + "|" + s.phrases[9]; };
    const Field extras = [](const Settings& s) {
        return std::to_string(s.zoom) + (s.botLevel == BotLevel::Expert ? " expert " : " standard ") +
               s.lobbyUrl + " " + s.lobbyPath;
    };
    struct Case {
        std::string body;  // of the section "quintrel"
        Field field;
        std::string expected;
        int currentSize = kDefaultTextSize;
    };
    const Case cases[] = {
        {"", size, "8"},
        {"Textsize=12", size, "12"},
        {"Textsize=9", size, "9"},
        {"textsize = 0x0C", size, "12"},
        {"Textsize=0XA", size, "10"},
        {"Textsize=twelve", size, "8", 14},
        {"Textsize=99999999999", size, "8", 14},
        {"", size, "8", 14},
        // Out of range: kept as it is.
        {"Textsize=5", size, "14", 14},
        {"Textsize=73", size, "14", 14},
        {"Textsize=0x7FFFFFFF", size, "14", 14},
        {"Textsize=6\nTextsize=8", size, "6"},
        {"Textcolor=clRed\nActioncolor=$000000FF", colours, "clRed clRed"},
        {"Textcolor=reddish\nActioncolor=$000080FF", colours, "clBlack $000080FF"},
        {"Textcolor=CLNAVY\nActioncolor=", colours, "clNavy clBlack"},
        {"Botspeed=1000", speed, "1000"},
        {"Botspeed=500", speed, "500"},
        {"Botspeed=750", speed, "750"},
        {"Botspeed=", speed, "750"},
        {"Botspeed=fast", speed, "750"},
        {"Playsounds=FALSE\nManualsort=no", flags, "sounds manual log"},
        {"Playsounds=false\nManualsort=false", flags, "log"},
        {"HideDownload=TRUE\nEventLog=False", flags, "sounds manual log"},
        {"HideDownload=true\nEventLog=false", flags, "sounds manual hide "},
        {"Phrase3=\nPhrase10=See you", phrases, "|See you"},
        {"PHRASE3= Go team \nphrase10=/me dances", phrases, "Go team|/me dances"},
        {"Phrase3=a\x01\x7F b\x1B", phrases, "a b|"},
        {"Zoom=150\nBotLevel=Expert\nLobbyURL=http://example.org/lobby\nLobbyPath=/opt/lobby", extras,
         "150 expert http://example.org/lobby /opt/lobby"},
        {"Zoom=175\nBotLevel=hard", extras, "100 standard  "},
    };
    for (const Case& c : cases) {
        Settings current;
        current.textSize = c.currentSize;
        const Settings s = settingsFrom(IniFile("[quintrel]\n" + c.body + "\n"), current);
        EXPECT_EQ(c.field(s), c.expected) << c.body;
    }
    // Keys of another section are not ours: every default holds.
    EXPECT_EQ(settingsFrom(IniFile("[lobby]\nTextsize=12\nBotspeed=500\n")), Settings{});
}

Settings unusualSettings() {
    Settings s;
    s.textSize = 14;
    s.textColour = 0x000080FF;
    s.actionColour = chat::kNavy;
    s.phrases = {"50% off",
                 "a=b",
                 "x: y",
                 ";semi",
                 "#hash",
                 "[bracket]",
                 "Gr\xC3\xB6\xC3\x9F"
                 "e \xE2\x9C\x93",
                 "",
                 "/me dances",
                 "  padded  "};
    s.botSpeed = kFastBotSpeed;
    s.playSounds = false;
    s.manualSort = false;
    s.lobbyUrl = "http://example.org/a?b=c&d=%20";
    s.lobbyPath = "/home/p/lobby program/run.sh";
    s.hideDownload = true;
    s.zoom = 200;
    s.botLevel = BotLevel::Expert;
    s.eventLog = false;
    return s;
}

TEST(Settings, EverySettingSurvivesARestart) {
    TempDir dir;
    const std::string path = dir.file("pelnorlobby.ini");
    const Settings s = unusualSettings();
    ASSERT_TRUE(savePhrases(path, s.phrases));
    ASSERT_TRUE(saveOptions(path, s));
    ASSERT_TRUE(saveExtras(path, s));
    Settings expected = s;
    expected.phrases[9] = "padded";  // blanks around a value do not survive the file
    EXPECT_EQ(loadSettings(path), expected);
    // One section, named as the phrase editor first wrote it.
    EXPECT_TRUE(slurp(path).starts_with("[Quintrel]\n"));
    EXPECT_EQ(slurp(path).find("\n["), std::string::npos);
}

// Before the file is read, a change must not write the menus' start state over the stored
// choices: only the keys changed since the start go out, and a key changed back still does.
TEST(Settings, BeforeTheFileIsReadOnlyChangedKeysAreSaved) {
    Settings now;
    OptionsToSave save(now);
    EXPECT_TRUE(save.entries(now).empty());
    now.playSounds = false;
    now.botSpeed = kFastBotSpeed;
    EXPECT_EQ(save.entries(now), (std::vector<IniEntry>{{"Botspeed", "500"}, {"Playsounds", "false"}}));
    now.playSounds = true;
    EXPECT_EQ(save.entries(now), (std::vector<IniEntry>{{"Botspeed", "500"}, {"Playsounds", "true"}}));
    save.fileRead();
    EXPECT_EQ(save.entries(now), optionEntries(now));
}

// What another INI reader makes of the written file: Python's configparser, when present.
TEST(Settings, WrittenFileReadsTheSameInConfigparser) {
    if (std::system("python3 -c 'import configparser' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    TempDir dir;
    const std::string path = dir.file("pelnorlobby.ini");
    spit(path,
         "; shared with the lobby\n[lobby]\nServer = example.org\nPort=9001\n\n"
         "# ours\n[quintrel]\nTextsize=10\nUnknown=kept\n\n[Window]\nLeft=10\n");
    const Settings s = unusualSettings();
    ASSERT_TRUE(saveOptions(path, s));
    ASSERT_TRUE(savePhrases(path, s.phrases));
    ASSERT_TRUE(saveExtras(path, s));

    const std::string script = dir.file("read.py");
    spit(script,
         "import configparser, sys\n"
         "sys.stdout.reconfigure(encoding='utf-8')\n"
         "c = configparser.ConfigParser(interpolation=None, strict=True)\n"
         "with open(sys.argv[1], encoding='utf-8') as f:\n"
         "    c.read_file(f)\n"
         "for section in c.sections():\n"
         "    for key, value in c.items(section):\n"
         "        print(section.lower() + '\\t' + key + '\\t' + value)\n");
    const std::string out = dir.file("out.txt");
    ASSERT_EQ(std::system(("python3 '" + script + "' '" + path + "' > '" + out + "'").c_str()), 0);

    std::map<std::string, std::string> python;
    std::istringstream lines(slurp(out));
    for (std::string line; std::getline(lines, line);) {
        const auto tab1 = line.find('\t');
        const auto tab2 = line.find('\t', tab1 + 1);
        python[line.substr(0, tab2)] = line.substr(tab2 + 1);
    }
    const IniFile ours(slurp(path));
    std::vector<IniEntry> written = optionEntries(s);
    for (auto entries : {phraseEntries(s.phrases), extraEntries(s)})
        written.insert(written.end(), entries.begin(), entries.end());
    for (const auto& [key, value] : written) {
        std::string lowered = key;
        for (char& ch : lowered) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(python["quintrel\t" + lowered], ours.value("quintrel", key).value_or("<none>")) << key;
    }
    EXPECT_EQ(python["quintrel\tunknown"], "kept");
    EXPECT_EQ(python["lobby\tserver"], "example.org");
    EXPECT_EQ(python["window\tleft"], "10");
    EXPECT_EQ(python.size(), written.size() + 4);
}

}  // namespace
}  // namespace quintrel
