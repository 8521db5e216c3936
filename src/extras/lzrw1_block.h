#pragma once

#include <cstddef>
#include <cstdint>

// The LZRW1/KH block codec: one block of at most kLzrw1BlockSize bytes at a time.
// Blocks are independent: a copy never reaches into an earlier block.
namespace quintrel {

inline constexpr std::size_t kLzrw1BlockSize = 32768;
// The encoder may run a few bytes past the input length before it notices that the
// block does not shrink; the output buffer needs this much room beyond the input.
inline constexpr std::size_t kLzrw1Slack = 16;
inline constexpr std::size_t kLzrw1HashSize = 4096;

inline constexpr std::uint8_t kLzrw1FlagCompressed = 0x40;
inline constexpr std::uint8_t kLzrw1FlagStored = 0x80;

// Compresses in[0..len) (len <= kLzrw1BlockSize) into out, which must hold
// len + kLzrw1Slack bytes; hash must hold kLzrw1HashSize entries (scratch).
// Returns the block's length: the compressed items, or len + 1 when stored.
std::size_t lzrw1CompressBlock(const std::uint8_t* in, std::size_t len, std::uint8_t* out,
                               std::int16_t* hash);

// Decodes the block in[0..n) into out, which must hold kLzrw1BlockSize bytes.
// Returns the number of bytes written, or -1 when the block is damaged (an item cut
// off, a copy reaching before the block's start, output beyond kLzrw1BlockSize, an
// unknown flag). Never reads or writes outside the two buffers.
long lzrw1DecompressBlock(const std::uint8_t* in, std::size_t n, std::uint8_t* out);

}  // namespace quintrel
