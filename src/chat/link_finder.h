#pragma once
// Links in the chat log, found in its plain text by the word around a position: the first
// link prefix that occurs in the word starts the link, trailing punctuation is cut off.
// Positions are character indexes into `text`, the log's text with lines ended by LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel::chat {

struct FoundLink {
    std::size_t start = 0;  // in the text
    std::size_t length = 0;
    std::string text;  // letter case as in the log
};

// A word ends at a blank, CR or LF. Left: the start of the word holding `pos` (just after
// the nearest break before it). Right: the first break at or after `pos`, or the end.
std::size_t wordBreakLeft(std::string_view text, std::size_t pos);
std::size_t wordBreakRight(std::string_view text, std::size_t pos);

// The link in the range [start, end), or in the word around `start` when start == end.
std::optional<FoundLink> FindURL(std::string_view text, std::size_t start, std::size_t end);

// The link under the character at `index`, as the mouse finds it; none at or past the end.
std::optional<FoundLink> linkAt(std::string_view text, std::size_t index);

// What a click hands to the desktop for a found link: web and mail links only, a "www."
// link as "http://" + link. Anything else (a local file, ftp, telnet, ...) is not opened:
// a peer must not be able to make a click run something on this machine.
std::optional<std::string> linkToOpen(std::string_view link);

}  // namespace quintrel::chat
