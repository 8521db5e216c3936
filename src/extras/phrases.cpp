#include "extras/phrases.h"

#include <algorithm>
#include <array>

namespace quintrel {

std::string_view builtInPhrase(int n) {
    static constexpr std::array<std::string_view, 10> kPhrases = {
        "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
        "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!", "See ya!",
    };
    if (n < 1 || n > static_cast<int>(kPhrases.size())) return {};
    return kPhrases[static_cast<std::size_t>(n - 1)];
}

std::string phraseActionText(std::string_view phrase) {
    if (!phrase.starts_with("/me")) return "says: " + std::string(phrase);
    std::size_t start = std::min<std::size_t>(4, phrase.size());
    // The dropped character may take more than one byte.
    while (start < phrase.size() && (static_cast<unsigned char>(phrase[start]) & 0xC0) == 0x80) ++start;
    return std::string(phrase.substr(start));
}

bool PhraseLock::take() {
    if (!ready_) return false;
    ready_ = false;
    return true;
}

void PhraseLock::tick() {
    if (!ready_) ++count_;
    if (count_ > kTicks) {
        ready_ = true;
        count_ = 0;
    }
}

}  // namespace quintrel
