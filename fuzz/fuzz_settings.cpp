// The settings file's reader: any text is read, kept byte for byte, and turned into settings
// within their ranges; a value set in it reads back as one line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "extras/ini_file.h"
#include "extras/settings.h"

namespace {

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The last line of the input, if there are several, is a value to set.
    const std::size_t split = input.rfind('\x00');
    const std::string_view text = split == std::string_view::npos ? input : input.substr(0, split);
    const std::string_view value =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    quintrel::IniFile file(text);
    if (file.text() != text) __builtin_trap();  // every byte kept
    const quintrel::Settings settings = quintrel::settingsFrom(file);
    if (settings.textSize < quintrel::kMinTextSize || settings.textSize > quintrel::kMaxTextSize)
        __builtin_trap();
    (void)quintrel::parseTextSize(value);

    file.set(quintrel::kSettingsSection, "Phrase3", value);
    std::string expected(trim(value));
    for (char& c : expected)
        if (c == '\r' || c == '\n') c = ' ';
    expected = std::string(trim(expected));
    const auto readBack = file.value(quintrel::kSettingsSection, "phrase3");
    if (!readBack || *readBack != expected) __builtin_trap();
    const auto reread = quintrel::IniFile(file.text()).value(quintrel::kSettingsSection, "Phrase3");
    if (reread != readBack) __builtin_trap();
    return 0;
}
