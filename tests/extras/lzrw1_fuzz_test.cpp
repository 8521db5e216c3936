#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "extras/lzrw1.h"
#include "test_data.h"

namespace quintrel {
namespace {

constexpr int kCases = 100000;

// Decoding must either give exactly the stated number of bytes or one of our errors;
// the sanitizers catch any access outside a buffer.
void decodeOrRefuse(Tlzrw1& codec, const std::string& container, int& accepted) {
    try {
        const std::string plain = codec.Decompress(container);
        const std::uint32_t stated =
            static_cast<unsigned char>(container[4]) | (static_cast<unsigned char>(container[5]) << 8) |
            (static_cast<unsigned char>(container[6]) << 16) |
            (static_cast<std::uint32_t>(static_cast<unsigned char>(container[7])) << 24);
        ASSERT_EQ(plain.size(), stated);
        ++accepted;
    } catch (const Lzrw1Error&) {}
}

std::string mutate(std::string s, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !s.empty(); ++e) {
        const std::size_t at = rng() % s.size();
        switch (rng() % 7) {
            case 0: s[at] = static_cast<char>(s[at] ^ (1 << (rng() % 8))); break;
            case 1: s[at] = static_cast<char>(rng()); break;
            case 2: s.resize(at); break;
            case 3: s.insert(at, 1, static_cast<char>(rng())); break;
            case 4: s.erase(at, 1 + rng() % 8); break;
            case 5: {  // a block length or size field, the most sensitive bytes
                const std::size_t field = std::min<std::size_t>(s.size() - 1, 4 + rng() % 8);
                s[field] = static_cast<char>(rng());
                break;
            }
            default: s[at] = static_cast<char>(s[at] + 1); break;
        }
    }
    return s;
}

TEST(Lzrw1Fuzz, RandomAndMutatedContainersNeverCrash) {
    Tlzrw1 codec;
    std::mt19937 rng(20261208);
    std::vector<std::string> seeds;
    for (std::uint32_t i = 0; i < 40; ++i) {
        const std::size_t size = (i % 8 == 0) ? 32768 + rng() % 64 : rng() % 1500;
        std::string plain;
        switch (i % 4) {
            case 0: plain = testdata::textLike(size, i); break;
            case 1: plain = testdata::runs(size, i); break;
            case 2: plain = testdata::repeats(size, i); break;
            default: plain = testdata::randomBytes(size, i); break;
        }
        seeds.push_back(codec.Compress(plain));
    }
    const std::string validHeader = seeds.front().substr(0, 4);

    int accepted = 0;
    for (int i = 0; i < kCases; ++i) {
        std::string container;
        if (i % 5 == 0) {
            // A valid id and random bytes after it: blocks of arbitrary items.
            container = validHeader + testdata::randomBytes(rng() % 200, rng());
            if (container.size() >= 8) container[7] = static_cast<char>(container[7] & 0x3F);
        } else {
            container = mutate(seeds[rng() % seeds.size()], rng);
        }
        if (container.size() < 8) container.resize(8, '\0');
        decodeOrRefuse(codec, container, accepted);
        if (HasFatalFailure()) return;
    }
    // Some mutations (a changed literal) still decode; the check above must have run.
    EXPECT_GT(accepted, 0);
}

TEST(Lzrw1Fuzz, RandomSmallInputsRoundTrip) {
    Tlzrw1 codec;
    std::mt19937 rng(99);
    for (int i = 0; i < 3000; ++i) {
        // Few distinct byte values give runs, copies and literals in every mix.
        std::string plain(rng() % 300, '\0');
        const unsigned alphabet = 1 + rng() % 6;
        for (auto& c : plain) c = static_cast<char>('a' + rng() % alphabet);
        ASSERT_EQ(codec.Decompress(codec.Compress(plain)), plain);
    }
}

}  // namespace
}  // namespace quintrel
