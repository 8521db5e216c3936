#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace quintrel::testdata {

inline std::string randomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
}

// Lines of words, like the tally's text.
inline std::string textLike(std::size_t size, std::uint32_t seed) {
    static const char* const kWords[] = {"Klot",    "Klick",  "Kling", "games", "won",    "with",
                                         "against", "Green",  "Blue",  "team",  "1",      "0",
                                         "42",      "played", "the",   "table", "Player", "17"};
    std::mt19937 rng(seed);
    std::string s;
    s.reserve(size + 16);
    while (s.size() < size) {
        s += kWords[rng() % std::size(kWords)];
        s += (rng() % 7 == 0) ? "\r\n" : (rng() % 3 == 0 ? "\t" : " ");
    }
    s.resize(size);
    return s;
}

// Long and short runs of equal bytes.
inline std::string runs(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string s;
    s.reserve(size);
    while (s.size() < size) {
        const std::size_t len = (rng() % 4 == 0) ? rng() % 6000 : rng() % 40;
        s.append(len, static_cast<char>(rng() % 4));
    }
    s.resize(size);
    return s;
}

// Random pieces repeated at random distances, near and far.
inline std::string repeats(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string s = randomBytes(std::min<std::size_t>(size, 64), seed ^ 0x5A5A);
    while (s.size() < size) {
        const std::size_t len = 1 + rng() % 40;
        const std::size_t back = 1 + rng() % std::min<std::size_t>(s.size(), 5000);
        const std::size_t from = s.size() - back;
        for (std::size_t k = 0; k < len; ++k) s.push_back(s[from + k]);
        if (rng() % 5 == 0) s.push_back(static_cast<char>(rng()));
    }
    s.resize(size);
    return s;
}

}  // namespace quintrel::testdata
