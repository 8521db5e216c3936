#pragma once
// An INI text kept line by line, so that setting a key changes that one line (or adds one)
// and leaves every other byte of the file as it was. Section and key names match without
// regard to ASCII letter case; values are written as key=value, without quotes or blanks.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quintrel {

using IniEntry = std::pair<std::string, std::string>;  // key, value

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    // The value of the first matching key in any block of the section (a section may be
    // opened more than once), trimmed of blanks; nullopt when there is none.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the line value() reads, or adds the key after the last key of the section's
    // first block, or adds the section at the end. Line breaks in the value become blanks,
    // so a value can never start a line of its own.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    struct Line {
        std::string content;  // without its line end
        std::string end;      // "\n", "\r\n" or "" for a last line without one
    };
    std::vector<Line> lines_;

    std::string newLineEnd() const;
};

// A settings file is never read past this size: a bigger file is read up to its last
// complete line within the limit, and is never rewritten (that would lose its tail).
inline constexpr std::size_t kMaxIniFileBytes = 256 * 1024;

enum class IniReadStatus {
    Read,        // the whole file
    Missing,     // no file: empty text
    TooLarge,    // over kMaxIniFileBytes: only its head was read
    Unreadable,  // a folder, a device, or no permission: empty text
};

struct IniRead {
    IniFile file;
    IniReadStatus status = IniReadStatus::Missing;
};

IniRead readIniFile(const std::string& path);

// Sets the entries in the section and replaces the file whole (temporary file + rename).
// False, with the file untouched, when it cannot be written or could not be read whole.
bool writeIniValues(const std::string& path, std::string_view section, const std::vector<IniEntry>& entries);

}  // namespace quintrel
