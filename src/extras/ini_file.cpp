#include "extras/ini_file.h"

#include "extras/replace_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quintrel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

ParsedLine parseLine(std::string_view content, bool firstLine) {
    // An editor may have saved the file with a byte order mark.
    if (firstLine && content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    const std::string_view text = trim(content);
    if (text.empty() || text.front() == ';' || text.front() == '#') return {};
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) return {};
        return {LineKind::Section, trim(text.substr(1, close - 1)), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view key = trim(text.substr(0, equals));
    if (key.empty()) return {};
    return {LineKind::Key, key, trim(text.substr(equals + 1))};
}

std::string oneLine(std::string_view value) {
    std::string out(trim(value));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

}  // namespace

IniFile::IniFile(std::string_view text) {
    while (!text.empty()) {
        const auto newline = text.find('\n');
        if (newline == std::string_view::npos) {
            lines_.push_back({std::string(text), {}});
            break;
        }
        std::size_t contentEnd = newline;
        if (contentEnd > 0 && text[contentEnd - 1] == '\r') --contentEnd;
        lines_.push_back({std::string(text.substr(0, contentEnd)),
                          std::string(text.substr(contentEnd, newline + 1 - contentEnd))});
        text.remove_prefix(newline + 1);
    }
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = parseLine(lines_[i].content, i == 0);
        if (line.kind == LineKind::Section) inSection = sameName(line.name, section);
        if (inSection && line.kind == LineKind::Key && sameName(line.name, key))
            return std::string(line.value);
    }
    return std::nullopt;
}

std::string IniFile::newLineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty()) return line.end;
    return "\n";
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string written = std::string(trim(key)) + "=" + oneLine(value);
    bool inSection = false;
    std::optional<std::size_t> firstBlockEnd;  // the line after which a new key goes
    bool inFirstBlock = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = parseLine(lines_[i].content, i == 0);
        if (line.kind == LineKind::Section) {
            inSection = sameName(line.name, section);
            inFirstBlock = inSection && !firstBlockEnd;
            if (inFirstBlock) firstBlockEnd = i;
            continue;
        }
        if (!inSection || line.kind != LineKind::Key) continue;
        if (sameName(line.name, key)) {
            // The file's own spelling of the key is kept.
            lines_[i].content = std::string(line.name) + "=" + oneLine(value);
            return;
        }
        if (inFirstBlock) firstBlockEnd = i;
    }
    const std::string end = newLineEnd();
    if (firstBlockEnd) {
        const std::size_t after = *firstBlockEnd;
        if (lines_[after].end.empty()) lines_[after].end = end;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, Line{written, end});
        return;
    }
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
    lines_.push_back({"[" + std::string(trim(section)) + "]", end});
    lines_.push_back({written, end});
}

std::string IniFile::text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.content;
        out += line.end;
    }
    return out;
}

IniRead readIniFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return {{}, IniReadStatus::Missing};
    // A pipe or device would block or never end.
    if (error || status.type() != std::filesystem::file_type::regular) return {{}, IniReadStatus::Unreadable};

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return {{}, IniReadStatus::Unreadable};
    std::string bytes(kMaxIniFileBytes + 1, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return {{}, IniReadStatus::Unreadable};
    bytes.resize(got);
    if (got <= kMaxIniFileBytes) return {IniFile(bytes), IniReadStatus::Read};
    // Only whole lines of the head: a cut line could give a wrong value.
    const auto lastNewline = bytes.rfind('\n', kMaxIniFileBytes - 1);
    bytes.resize(lastNewline == std::string::npos ? 0 : lastNewline + 1);
    return {IniFile(bytes), IniReadStatus::TooLarge};
}

bool writeIniValues(const std::string& path, std::string_view section, const std::vector<IniEntry>& entries) {
    IniRead read = readIniFile(path);
    if (read.status != IniReadStatus::Read && read.status != IniReadStatus::Missing) return false;
    for (const auto& [key, value] : entries) read.file.set(section, key, value);
    const std::string text = read.file.text();
    ReplacingFile out(path);
    return out.write(text.data(), text.size()) && out.commit();
}

}  // namespace quintrel
