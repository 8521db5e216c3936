#include "chat/link_finder.h"

#include <algorithm>
#include <array>

namespace quintrel::chat {
namespace {

// Searched in this order; the first one that occurs in the word wins. "https://" is ours:
// without it a secure link is found at its "www." or not at all.
constexpr std::array<std::string_view, 9> kPrefixes{
    "http://", "https://", "ftp://", "file://", "gopher://", "telnet://", "news:", "mailto:", "www.",
};

bool isBreak(char c) { return c == ' ' || c == '\r' || c == '\n'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool keptAtEnd(char lowered) {
    return (lowered >= '0' && lowered <= '9') || (lowered >= 'a' && lowered <= 'z') || lowered == '/';
}

}  // namespace

std::size_t wordBreakLeft(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    while (pos > 0 && !isBreak(text[pos - 1])) --pos;
    return pos;
}

std::size_t wordBreakRight(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !isBreak(text[pos])) ++pos;
    return pos;
}

std::optional<FoundLink> FindURL(std::string_view text, std::size_t start, std::size_t end) {
    const bool single = start == end;
    const std::size_t position = start;
    if (single) {
        start = wordBreakLeft(text, position);
        end = wordBreakRight(text, start);
    } else {
        ++end;
    }
    start = std::min(start, text.size());
    end = std::clamp(end, start, text.size());
    const std::string_view chars = text.substr(start, end - start);
    if (chars.empty()) return std::nullopt;

    // The word: widened from the position (or the first character) to the nearest breaks,
    // the breaks themselves included.
    std::size_t from = single ? std::min(position - start, chars.size() - 1) : 0;
    std::size_t to = from;
    while (from > 0 && !isBreak(chars[from])) --from;
    while (to + 1 < chars.size() && !isBreak(chars[to])) ++to;
    const std::string_view word = chars.substr(from, to - from + 1);

    std::string lowered(word);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
    for (std::string_view prefix : kPrefixes) {
        const auto at = lowered.find(prefix);
        if (at == std::string::npos) continue;
        std::size_t stop = std::min(lowered.find('\n', at), lowered.size());
        while (stop > at && !keptAtEnd(lowered[stop - 1])) --stop;
        if (stop - at <= prefix.size()) return std::nullopt;
        return FoundLink{start + from + at, stop - at, std::string(word.substr(at, stop - at))};
    }
    return std::nullopt;
}

std::optional<FoundLink> linkAt(std::string_view text, std::size_t index) {
    if (index >= text.size()) return std::nullopt;
    return FindURL(text, wordBreakLeft(text, index), wordBreakRight(text, index));
}

std::optional<std::string> linkToOpen(std::string_view link) {
    std::string lowered(link);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
    for (std::string_view web : {"http://", "https://", "mailto:"})
        if (lowered.starts_with(web)) return std::string(link);
    if (lowered.starts_with("www.")) return "http://" + std::string(link);
    return std::nullopt;
}

}  // namespace quintrel::chat
