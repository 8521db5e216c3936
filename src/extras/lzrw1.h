#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The compressed file container around the tally file.
//
// Layout (integers little-endian): a 4-byte id, the signed 32-bit original size, then
// blocks, each a 2-byte length and that many bytes of one LZRW1/KH block (see
// lzrw1_block.h). Every block but the last holds 32,768 bytes of input; the last holds
// fewer, so a size that is a multiple of 32,768 ends with an empty block.
namespace quintrel {

enum class TCompressMode { Good = 0, Fast = 1, Auto = 2 };

// Every failure of the compressor; what() is the text shown to the player.
class Lzrw1Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::uint32_t kLzrw1ContainerId = 0x4C5A5257;  // "WRZL"
inline constexpr std::uint32_t kLzhContainerId = 0x4C5A4821;    // "!HZL"

class Tlzrw1 {
public:
    // Throws Lzrw1Error when the hash table cannot be allocated.
    Tlzrw1();

    // Only the LZRW1/KH codec is built: every mode writes LZRW1/KH containers, and a
    // container with the LZH id is refused when read.
    TCompressMode CompressMode = TCompressMode::Good;
    std::string InputFile;
    std::string OutputFile;
    // Called after each block, so that a window can keep handling its events.
    std::function<void()> onBlock;

    // InputFile -> OutputFile. The output is replaced only on success; on failure an
    // existing output file is left as it was. Return the number of bytes written
    // (the container's size, header included, or the original size).
    std::int64_t Compress();
    std::int64_t Decompress();

    // The same on bytes in memory.
    std::string Compress(std::string_view plain);
    std::string Decompress(std::string_view container);

private:
    std::vector<std::int16_t> hash_;
};

}  // namespace quintrel
