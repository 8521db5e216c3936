#pragma once
// The spy list: one entry per spectator, the slot number, ": " and the name.

#include <optional>
#include <string>
#include <vector>

namespace quintrel::chat {

// The slot that "Remove From Game" names for the entry at `index` (the entry under the
// pointer, -1 for none): the entry's text before its first ":" as a number. An index that
// names no entry, or a text that is no number, names nothing.
std::optional<int> spyEntrySlot(const std::vector<std::string>& entries, int index);

}  // namespace quintrel::chat
