#pragma once
// The player's preferences as the settings file stores them, and the rules that turn the
// file's texts into values and back.

#include "chat/colour_text.h"
#include "extras/ini_file.h"
#include "net/bot_level.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quintrel {

inline constexpr const char* kSettingsSection = "quintrel";
// The phrase editor spells the same section this way.
inline constexpr const char* kPhraseSection = "Quintrel";
inline constexpr const char* kUnableToWrite = "Unable to write to %s";

inline constexpr int kPhraseCount = 10;
inline constexpr int kDefaultTextSize = 8;
// A size outside these points would make the log unreadable or unusable.
inline constexpr int kMinTextSize = 6;
inline constexpr int kMaxTextSize = 72;
inline constexpr int kSlowBotSpeed = 1000;
inline constexpr int kNormalBotSpeed = 750;
inline constexpr int kFastBotSpeed = 500;

struct Settings {
    int textSize = kDefaultTextSize;  // the chat log's points
    chat::Colour textColour = chat::kBlack;
    chat::Colour actionColour = chat::kBlack;
    // As read: an empty one leaves the button's built-in phrase.
    std::array<std::string, kPhraseCount> phrases;
    int botSpeed = kNormalBotSpeed;  // ms
    bool playSounds = true;
    bool manualSort = true;

    std::string lobbyUrl;
    std::string lobbyPath;
    bool hideDownload = false;
    int zoom = 100;  // percent: 100, 125, 150 or 200
    BotLevel botLevel = BotLevel::Standard;
    bool eventLog = true;

    bool operator==(const Settings&) const = default;
};

// Reads the section "quintrel". A missing key gives its default; a "Textsize" that is an
// integer outside kMinTextSize..kMaxTextSize is not applied: `current` keeps its size.
Settings settingsFrom(const IniFile& file, const Settings& current = {});
Settings loadSettings(const std::string& path, const Settings& current = {});

// "Textsize", "Textcolor", "Actioncolor", "Botspeed", "Playsounds", "Manualsort", in order.
std::vector<IniEntry> optionEntries(const Settings& settings);
// "Phrase1".."Phrase10".
std::vector<IniEntry> phraseEntries(const std::array<std::string, kPhraseCount>& phrases);
// "LobbyURL", "LobbyPath", "HideDownload", "Zoom", "BotLevel", "EventLog".
std::vector<IniEntry> extraEntries(const Settings& settings);

// The keys saveinifile writes. Once the file has been read, all six; before that (the file is
// read at login) only those the player changed since the start, since writing all six would
// replace the stored choices with the state the menus have before the file is read.
class OptionsToSave {
public:
    explicit OptionsToSave(Settings start) : start_(std::move(start)) {}
    void fileRead() { fileRead_ = true; }
    std::vector<IniEntry> entries(const Settings& now);

private:
    Settings start_;
    bool fileRead_ = false;
    std::vector<std::string> changed_;  // keys, once changed before the file was read
};

// Each writes its keys and replaces the file whole; false when it cannot be written.
bool saveOptions(const std::string& path, const Settings& settings);
bool savePhrases(const std::string& path, const std::array<std::string, kPhraseCount>& phrases);
bool saveExtras(const std::string& path, const Settings& settings);

// "Unable to write to <path>".
std::string unableToWriteText(const std::string& path);

// "Textsize" as read: decimal or "0x" hexadecimal, with an optional sign; nullopt when
// the text is no integer that fits an int.
std::optional<int> parseTextSize(std::string_view text);

}  // namespace quintrel
