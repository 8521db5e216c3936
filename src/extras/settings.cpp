#include "extras/settings.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace quintrel {
namespace {

// Control bytes from a damaged file would reach the chat and the wire.
std::string printable(std::string text) {
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
    return text;
}

std::string phraseKey(int n) { return "Phrase" + std::to_string(n); }

const char* boolText(bool on) { return on ? "true" : "false"; }

}  // namespace

std::optional<int> parseTextSize(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

Settings settingsFrom(const IniFile& file, const Settings& current) {
    auto read = [&](const char* key) { return file.value(kSettingsSection, key).value_or(""); };
    Settings s = current;

    if (const auto size = file.value(kSettingsSection, "Textsize")) {
        const auto parsed = parseTextSize(*size);
        if (!parsed)
            s.textSize = kDefaultTextSize;
        else if (*parsed >= kMinTextSize && *parsed <= kMaxTextSize)
            s.textSize = *parsed;
    } else {
        s.textSize = kDefaultTextSize;
    }
    s.textColour = chat::colourFromText(file.value(kSettingsSection, "Textcolor").value_or("clblack"))
                       .value_or(chat::kBlack);
    s.actionColour = chat::colourFromText(file.value(kSettingsSection, "Actioncolor").value_or("clblack"))
                         .value_or(chat::kBlack);
    for (int n = 1; n <= kPhraseCount; ++n) s.phrases[n - 1] = printable(read(phraseKey(n).c_str()));

    const std::string speed = read("Botspeed");
    s.botSpeed = speed == "1000" ? kSlowBotSpeed : speed == "500" ? kFastBotSpeed : kNormalBotSpeed;
    s.playSounds = read("Playsounds") != "false";
    s.manualSort = read("Manualsort") != "false";

    s.lobbyUrl = printable(read("LobbyURL"));
    s.lobbyPath = printable(read("LobbyPath"));
    s.hideDownload = read("HideDownload") == "true";
    const std::string zoom = read("Zoom");
    s.zoom = zoom == "125" ? 125 : zoom == "150" ? 150 : zoom == "200" ? 200 : 100;
    std::string level = read("BotLevel");
    for (char& c : level) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    s.botLevel = botLevelFromName(level).value_or(BotLevel::Standard);
    s.eventLog = read("EventLog") != "false";
    return s;
}

Settings loadSettings(const std::string& path, const Settings& current) {
    return settingsFrom(readIniFile(path).file, current);
}

std::vector<IniEntry> optionEntries(const Settings& s) {
    return {
        {"Textsize", std::to_string(s.textSize)},
        {"Textcolor", chat::colourToText(s.textColour)},
        {"Actioncolor", chat::colourToText(s.actionColour)},
        {"Botspeed", std::to_string(s.botSpeed)},
        {"Playsounds", boolText(s.playSounds)},
        {"Manualsort", boolText(s.manualSort)},
    };
}

std::vector<IniEntry> phraseEntries(const std::array<std::string, kPhraseCount>& phrases) {
    std::vector<IniEntry> entries;
    for (int n = 1; n <= kPhraseCount; ++n) entries.emplace_back(phraseKey(n), phrases[n - 1]);
    return entries;
}

std::vector<IniEntry> extraEntries(const Settings& s) {
    return {
        {"LobbyURL", s.lobbyUrl},
        {"LobbyPath", s.lobbyPath},
        {"HideDownload", boolText(s.hideDownload)},
        {"Zoom", std::to_string(s.zoom)},
        {"BotLevel", std::string(botLevelName(s.botLevel))},
        {"EventLog", boolText(s.eventLog)},
    };
}

std::vector<IniEntry> OptionsToSave::entries(const Settings& now) {
    std::vector<IniEntry> all = optionEntries(now);
    if (fileRead_) return all;
    const std::vector<IniEntry> start = optionEntries(start_);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] != start[i] && std::find(changed_.begin(), changed_.end(), all[i].first) == changed_.end())
            changed_.push_back(all[i].first);
    std::erase_if(all, [&](const IniEntry& entry) {
        return std::find(changed_.begin(), changed_.end(), entry.first) == changed_.end();
    });
    return all;
}

bool saveOptions(const std::string& path, const Settings& settings) {
    return writeIniValues(path, kSettingsSection, optionEntries(settings));
}

bool savePhrases(const std::string& path, const std::array<std::string, kPhraseCount>& phrases) {
    return writeIniValues(path, kPhraseSection, phraseEntries(phrases));
}

bool saveExtras(const std::string& path, const Settings& settings) {
    return writeIniValues(path, kSettingsSection, extraEntries(settings));
}

std::string unableToWriteText(const std::string& path) {
    std::string text = kUnableToWrite;
    text.replace(text.find("%s"), 2, path);
    return text;
}

}  // namespace quintrel
