#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "extras/lzrw1.h"
#include "test_data.h"

namespace quintrel {
namespace {

using Generator = std::function<std::string(std::size_t, std::uint32_t)>;

struct Kind {
    const char* name;
    Generator make;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"random", testdata::randomBytes},
        {"text", testdata::textLike},
        {"runs", testdata::runs},
        {"repeats", testdata::repeats},
        {"zeros", [](std::size_t size, std::uint32_t) { return std::string(size, '\0'); }},
        {"mixed",
         [](std::size_t size, std::uint32_t seed) {
             std::string s;
             while (s.size() < size) {
                 s += testdata::textLike(700, seed);
                 s += testdata::randomBytes(300, seed + 1);
                 s += testdata::runs(500, seed + 2);
                 s += testdata::repeats(900, seed + 3);
                 seed += 4;
             }
             s.resize(size);
             return s;
         }},
    };
    return all;
}

void expectRoundTrip(Tlzrw1& codec, const std::string& plain, const char* kind) {
    const std::string packed = codec.Compress(plain);
    // Every block is at most one byte longer than its input.
    const std::size_t blocks = plain.size() / 32768 + 1;
    EXPECT_LE(packed.size(), 8 + plain.size() + 3 * blocks) << kind << " " << plain.size();
    const std::string back = codec.Decompress(packed);
    ASSERT_EQ(back.size(), plain.size()) << kind;
    EXPECT_TRUE(back == plain) << kind << " differs at size " << plain.size();
}

TEST(Lzrw1RoundTrip, EverySizeAroundTheBlockBoundary) {
    Tlzrw1 codec;
    for (const Kind& kind : kinds()) {
        const std::string source = kind.make(65536 + 40, 1234);
        for (std::size_t size = 32768 - 40; size <= 32768 + 40; ++size) {
            expectRoundTrip(codec, source.substr(0, size), kind.name);
        }
        for (std::size_t size = 65536 - 3; size <= 65536 + 3; ++size) {
            expectRoundTrip(codec, source.substr(0, size), kind.name);
        }
    }
}

TEST(Lzrw1RoundTrip, SmallAndLargeSizes) {
    Tlzrw1 codec;
    std::uint32_t seed = 1;
    for (const Kind& kind : kinds()) {
        for (std::size_t size = 0; size <= 300; ++size) {
            expectRoundTrip(codec, kind.make(size, seed++), kind.name);
        }
        for (std::size_t size : {1000u, 4095u, 4096u, 4097u, 10000u, 100000u, 250000u, 400000u}) {
            expectRoundTrip(codec, kind.make(size, seed++), kind.name);
        }
    }
}

TEST(Lzrw1RoundTrip, TextAndRunsShrink) {
    Tlzrw1 codec;
    EXPECT_LT(codec.Compress(testdata::textLike(100000, 3)).size(), 60000u);
    EXPECT_LT(codec.Compress(std::string(100000, 'a')).size(), 200u);
}

TEST(Lzrw1RoundTrip, DistantAndOverlappingCopies) {
    Tlzrw1 codec;
    // A piece repeated 4,095 bytes later is reachable, 4,096 bytes later is not.
    const std::string piece = testdata::randomBytes(18, 77);
    for (std::size_t gap : {4095u - 18u, 4096u - 18u}) {
        const std::string plain = piece + testdata::randomBytes(gap, 78) + piece;
        expectRoundTrip(codec, plain, "distance");
    }
    std::string pattern;
    for (int i = 0; i < 2000; ++i) pattern += "ab";
    expectRoundTrip(codec, pattern, "period two");
    expectRoundTrip(codec, std::string(15, 'a') + std::string(16, 'b') + std::string(4096, 'c'), "runs");
}

}  // namespace
}  // namespace quintrel
