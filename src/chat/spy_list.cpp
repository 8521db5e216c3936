#include "chat/spy_list.h"

#include <charconv>

namespace quintrel::chat {

std::optional<int> spyEntrySlot(const std::vector<std::string>& entries, int index) {
    if (index < 0 || index >= static_cast<int>(entries.size())) return std::nullopt;
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    const std::string_view number = std::string_view(entry).substr(0, entry.find(':'));
    int slot = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), slot);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return slot;
}

}  // namespace quintrel::chat
