#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "extras/lzrw1.h"
#include "test_data.h"

namespace quintrel {
namespace {

namespace fs = std::filesystem;

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string header(std::int32_t size) {
    std::string s = bytes({0x57, 0x52, 0x5A, 0x4C});
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(static_cast<std::uint32_t>(size) >> (8 * i)));
    return s;
}

std::string lengthField(std::size_t n) {
    return bytes({static_cast<int>(n & 0xFF), static_cast<int>(n >> 8)});
}

// The blocks of a container, each without its length field.
std::vector<std::string> blocksOf(const std::string& container) {
    std::vector<std::string> blocks;
    std::size_t pos = 8;
    while (pos + 2 <= container.size()) {
        const std::size_t n = static_cast<unsigned char>(container[pos]) |
                              (static_cast<unsigned char>(container[pos + 1]) << 8);
        blocks.push_back(container.substr(pos + 2, n));
        pos += 2 + n;
    }
    EXPECT_EQ(pos, container.size());
    return blocks;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Lzrw1Error& error) {
        return error.what();
    }
    return "(no error)";
}

const std::string kMismatch = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
const std::string kReadError = "Lzrw1 : Error reading from input file : <memory>";
const std::string kDamaged = "Lzrw1 (decompression LZRW1/KH) : damaged block in : <memory>";

TEST(Lzrw1Container, EmptyInputIsElevenBytesAndReadsBackEmpty) {
    Tlzrw1 codec;
    const std::string packed = codec.Compress("");
    EXPECT_EQ(packed, header(0) + bytes({0x01, 0x00, 0x80}));
    EXPECT_EQ(codec.Decompress(packed), "");
}

TEST(Lzrw1Container, FullBlockIsFollowedByAnEmptyBlock) {
    Tlzrw1 codec;
    for (const std::string& plain :
         {testdata::textLike(32768, 1), testdata::randomBytes(32768, 2), testdata::textLike(65536, 3)}) {
        const std::string packed = codec.Compress(plain);
        const auto blocks = blocksOf(packed);
        ASSERT_EQ(blocks.size(), plain.size() / 32768 + 1);
        EXPECT_EQ(blocks.back(), bytes({0x80}));
        EXPECT_EQ(packed.substr(0, 8), header(static_cast<std::int32_t>(plain.size())));
        EXPECT_EQ(codec.Decompress(packed), plain);
    }
}

TEST(Lzrw1Container, IncompressibleBlocksAreStoredOneByteLonger) {
    Tlzrw1 codec;
    const std::string plain = testdata::randomBytes(32768 + 1000, 7);
    const std::string packed = codec.Compress(plain);
    const auto blocks = blocksOf(packed);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], '\x80' + plain.substr(0, 32768));
    EXPECT_EQ(blocks[1], '\x80' + plain.substr(32768));
    EXPECT_EQ(packed.size(), 8 + 2 + 32769 + 2 + 1001u);
    EXPECT_EQ(codec.Decompress(packed), plain);
}

TEST(Lzrw1Container, RunsOfSixteenOrMoreAreOneRunItem) {
    Tlzrw1 codec;
    EXPECT_EQ(codec.Compress(std::string(20, 'x')),
              header(20) + lengthField(7) + bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'x'}));
    // The longest run is 4,095; the rest is a second run item.
    const std::string longRun(4095 + 16, 'y');
    EXPECT_EQ(codec.Compress(longRun),
              header(4111) + lengthField(11) +
                  bytes({0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 'y', 0x00, 0x00, 0x00, 'y'}));
    EXPECT_EQ(codec.Decompress(codec.Compress(longRun)), longRun);
}

TEST(Lzrw1Container, FifteenEqualBytesAreALiteralAndOneCopyAtDistanceOne) {
    Tlzrw1 codec;
    const std::string packed = codec.Compress(std::string(15, 'a'));
    EXPECT_EQ(packed, header(15) + lengthField(6) + bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x1B}));
    EXPECT_EQ(codec.Decompress(packed), std::string(15, 'a'));
}

TEST(Lzrw1Container, AControlWordIsReservedAfterEverySixteenItems) {
    Tlzrw1 codec;
    const std::string letters = "abcdefghijklmnopq";
    const std::string packed = codec.Compress(letters + letters);
    // 16 literals, a new control word, one literal and a copy of 17 bytes from 17 back.
    EXPECT_EQ(packed, header(34) + lengthField(24) + bytes({0x40, 0x00, 0x00}) + letters.substr(0, 16) +
                          bytes({0x40, 0x00, 'q', 0x01, 0x1E}));
    EXPECT_EQ(codec.Decompress(packed), letters + letters);
}

TEST(Lzrw1Container, BadHeadersAreRefused) {
    Tlzrw1 codec;
    EXPECT_EQ(errorOf([&] { codec.Decompress("not a container at all"); }),
              "<memory> : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(errorOf([&] {
                  codec.Decompress(bytes({0x21, 0x48, 0x5A, 0x4C, 0, 0, 0, 0, 1, 0, 0x80}));
              }),
              "Lzrw1 decompression : LZH containers are not supported : <memory>");
    EXPECT_EQ(errorOf([&] { codec.Decompress(bytes({0x57, 0x52})); }), kReadError);
    EXPECT_EQ(errorOf([&] { codec.Decompress(""); }), kReadError);
}

TEST(Lzrw1Container, EveryTruncationGivesAReadOrSizeError) {
    Tlzrw1 codec;
    // Two blocks, compressed and stored, in a container small enough to cut everywhere.
    const std::string plain =
        testdata::textLike(1500, 11) + std::string(31000, 'x') + testdata::randomBytes(1500, 12);
    const std::string packed = codec.Compress(plain);
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        const std::string error = errorOf([&] { codec.Decompress(packed.substr(0, cut)); });
        EXPECT_TRUE(error == kReadError || error == kMismatch) << "cut at " << cut << ": " << error;
    }
}

TEST(Lzrw1Container, SizeFieldMustMatchTheData) {
    Tlzrw1 codec;
    std::string packed = codec.Compress(std::string(100, 'z'));
    std::string larger = header(101) + packed.substr(8);
    std::string smaller = header(99) + packed.substr(8);
    std::string negative = header(-1) + packed.substr(8);
    EXPECT_EQ(errorOf([&] { codec.Decompress(larger); }), kMismatch);
    EXPECT_EQ(errorOf([&] { codec.Decompress(smaller); }), kMismatch);
    EXPECT_EQ(errorOf([&] { codec.Decompress(negative); }), kMismatch);
}

TEST(Lzrw1Container, DamagedBlocksAreRefused) {
    Tlzrw1 codec;
    auto one = [&](const std::string& block, std::int32_t size) {
        return errorOf([&] { codec.Decompress(header(size) + lengthField(block.size()) + block); });
    };
    // A copy from two bytes back when only one byte has been written.
    EXPECT_EQ(one(bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x2B}), 15), kDamaged);
    // Runs adding up to more than one block.
    std::string runs = bytes({0x40, 0xFF, 0xFF});
    for (int i = 0; i < 9; ++i) runs += bytes({0x00, 0x0F, 0xEF, 'r'});
    EXPECT_EQ(one(runs, 9 * 4095), kDamaged);
    // An item cut off by the end of the block, and an unknown flag.
    EXPECT_EQ(one(bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04}), 20), kDamaged);
    EXPECT_EQ(one(bytes({0x40, 0x40, 0x00, 'a', 0x00}), 15), kDamaged);
    EXPECT_EQ(one(bytes({0x13, 'a', 'b'}), 2), kDamaged);
    // A block longer than any writer makes.
    EXPECT_EQ(one('\x80' + std::string(32769, 'q'), 32769), kDamaged);
    // A full block followed by nothing: the next length field is missing.
    EXPECT_EQ(one('\x80' + std::string(32768, 'q'), 32768), kReadError);
}

TEST(Lzrw1Container, BlocksMayNotOutgrowTheStatedSize) {
    // A few bytes of runs make a full block; reading stops once the stated size is passed
    // instead of expanding block after block.
    Tlzrw1 codec;
    std::string full = bytes({0x40, 0xFF, 0x00});
    for (int i = 0; i < 7; ++i) full += bytes({0x00, 0x0F, 0xEF, 'r'});
    full += bytes({0x00, 0x0F, 0xF7, 'r'});  // 7 * 4,095 + 4,103 = 32,768
    std::string container = header(40000);
    for (int i = 0; i < 3; ++i) container += lengthField(full.size()) + full;
    EXPECT_EQ(errorOf([&] { codec.Decompress(container); }), kMismatch);
    EXPECT_EQ(codec.Decompress(header(32768) + lengthField(full.size()) + full + lengthField(1) + "\x80"),
              std::string(32768, 'r'));
}

class Lzrw1Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quintrel_lzrw1_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    static void write(const std::string& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(Lzrw1Files, CompressAndDecompressFileToFile) {
    const std::string plain = testdata::textLike(100000, 5);
    write(path("tally.txt"), plain);
    Tlzrw1 codec;
    codec.CompressMode = TCompressMode::Fast;
    int blocks = 0;
    codec.onBlock = [&] { ++blocks; };
    codec.InputFile = path("tally.txt");
    codec.OutputFile = path("tally.tld");
    const std::int64_t packedSize = codec.Compress();
    EXPECT_EQ(packedSize, static_cast<std::int64_t>(fs::file_size(path("tally.tld"))));
    EXPECT_EQ(blocks, 4);
    EXPECT_EQ(read(path("tally.tld")), codec.Compress(plain));

    codec.InputFile = path("tally.tld");
    codec.OutputFile = path("back.txt");
    EXPECT_EQ(codec.Decompress(), 100000);
    EXPECT_EQ(read(path("back.txt")), plain);
    EXPECT_EQ(entries(), 3u) << "no temporary file is left behind";
}

TEST_F(Lzrw1Files, NoValidHeaderLeavesNoOutput) {
    write(path("junk.tld"), "junk that is no container");
    Tlzrw1 codec;
    codec.InputFile = path("junk.tld");
    codec.OutputFile = path("out.txt");
    EXPECT_EQ(errorOf([&] { codec.Decompress(); }),
              path("junk.tld") + " : Lzrw1 decompression : this file has no valid header !");
    EXPECT_FALSE(fs::exists(path("out.txt")));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(Lzrw1Files, AFailureKeepsTheOldOutputFile) {
    Tlzrw1 codec;
    const std::string packed = codec.Compress(testdata::textLike(50000, 9));
    write(path("cut.tld"), packed.substr(0, packed.size() - 10));
    write(path("out.txt"), "previous contents");
    codec.InputFile = path("cut.tld");
    codec.OutputFile = path("out.txt");
    EXPECT_EQ(errorOf([&] { codec.Decompress(); }),
              "Lzrw1 : Error reading from input file : " + path("cut.tld"));
    EXPECT_EQ(read(path("out.txt")), "previous contents");
    EXPECT_EQ(entries(), 2u);
}

TEST_F(Lzrw1Files, OpenFailuresNameTheFile) {
    Tlzrw1 codec;
    codec.InputFile = path("missing.txt");
    codec.OutputFile = path("out.tld");
    EXPECT_EQ(errorOf([&] { codec.Compress(); }),
              "Lzrw1 (de)compression : Failed to open input file : " + path("missing.txt"));
    EXPECT_EQ(errorOf([&] { codec.Decompress(); }),
              "Lzrw1 (de)compression : Failed to open input file : " + path("missing.txt"));

    write(path("in.txt"), "hello");
    codec.InputFile = path("in.txt");
    codec.OutputFile = path("no/such/dir/out.tld");
    EXPECT_EQ(errorOf([&] { codec.Compress(); }),
              "Lzrw1 (de)compression : Failed to open output file : " + path("no/such/dir/out.tld"));

    codec.InputFile = dir_.string();  // a folder opens on some systems but has no size
    codec.OutputFile = path("out.tld");
    const std::string error = errorOf([&] { codec.Compress(); });
    EXPECT_TRUE(error == "Lzrw1 compression : Failed to obtain the size of : " + dir_.string() ||
                error == "Lzrw1 (de)compression : Failed to open input file : " + dir_.string())
        << error;
    EXPECT_FALSE(fs::exists(path("out.tld")));
}

TEST_F(Lzrw1Files, OutputMayReplaceTheInput) {
    const std::string plain = testdata::repeats(70000, 4);
    write(path("data"), plain);
    Tlzrw1 codec;
    codec.InputFile = codec.OutputFile = path("data");
    const std::int64_t packedSize = codec.Compress();
    const std::string packed = read(path("data"));
    EXPECT_EQ(packed, codec.Compress(plain));
    EXPECT_EQ(packedSize, static_cast<std::int64_t>(packed.size()));
    EXPECT_EQ(codec.Decompress(), 70000);
    EXPECT_EQ(read(path("data")), plain);
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace quintrel
