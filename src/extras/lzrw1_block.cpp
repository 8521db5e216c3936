#include "extras/lzrw1_block.h"

#include <algorithm>
#include <cstring>

namespace quintrel {

namespace {

constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kWindow = 4096;

inline std::uint16_t pushBit(std::uint16_t control, unsigned bit) {
    return static_cast<std::uint16_t>((control << 1) | bit);
}

inline void putBigEndian(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::size_t lzrw1CompressBlock(const std::uint8_t* in, std::size_t len, std::uint8_t* out,
                               std::int16_t* hash) {
    std::fill(hash, hash + kLzrw1HashSize, std::int16_t{-1});
    out[0] = kLzrw1FlagCompressed;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t controlSlot = 1;
    unsigned count = 0;
    std::uint16_t control = 0;

    while (x < len && y <= len) {
        if (count == 16) {
            putBigEndian(out + controlSlot, control);
            controlSlot = y;
            y += 2;
            count = 0;
        }
        const std::uint8_t key = in[x];
        std::size_t run = 1;
        while (run < kMaxRun && x + run < len && in[x + run] == key) ++run;

        if (run >= kMinRun) {
            out[y] = 0;
            out[y + 1] = static_cast<std::uint8_t>((run - kMinRun) >> 8);
            out[y + 2] = static_cast<std::uint8_t>((run - kMinRun) & 0xFF);
            out[y + 3] = key;
            y += 4;
            x += run;
            control = pushBit(control, 1);
        } else {
            // Bytes past the end hash as zero; no match can start there, so they never
            // change the output.
            const std::uint32_t b1 = x + 1 < len ? in[x + 1] : 0;
            const std::uint32_t b2 = x + 2 < len ? in[x + 2] : 0;
            const std::uint32_t index =
                (((((std::uint32_t{key} << 4) ^ b1) << 4) ^ b2) * 40543u >> 4) & 0x0FFF;
            const std::int16_t candidate = hash[index];
            hash[index] = static_cast<std::int16_t>(x);

            std::size_t size = 0;
            std::size_t distance = 0;
            if (candidate != -1 && x - static_cast<std::size_t>(candidate) < kWindow) {
                const std::size_t pos = static_cast<std::size_t>(candidate);
                const std::size_t limit = std::min(kMaxCopy, len - x);
                while (size < limit && in[x + size] == in[pos + size]) ++size;
                distance = x - pos;
            }
            if (size >= kMinCopy) {
                putBigEndian(out + y, static_cast<std::uint16_t>((distance << 4) | (size - kMinCopy)));
                y += 2;
                x += size;
                control = pushBit(control, 1);
            } else {
                out[y++] = in[x++];
                control = pushBit(control, 0);
            }
        }
        ++count;
    }
    putBigEndian(out + controlSlot, static_cast<std::uint16_t>(control << (16 - count)));

    if (y <= len) return y;
    out[0] = kLzrw1FlagStored;
    if (len > 0) std::memmove(out + 1, in, len);
    return len + 1;
}

long lzrw1DecompressBlock(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
    if (n < 2) return 0;
    if (in[0] == kLzrw1FlagStored) {
        if (n - 1 > kLzrw1BlockSize) return -1;
        std::memcpy(out, in + 1, n - 1);
        return static_cast<long>(n - 1);
    }
    if (in[0] != kLzrw1FlagCompressed || n < 3) return -1;

    std::size_t x = 3;
    std::size_t y = 0;
    unsigned control = (unsigned{in[1]} << 8) | in[2];
    unsigned bitsLeft = 16;
    while (x < n) {
        if (bitsLeft == 0) {
            // A control word is only written when an item follows it.
            if (x + 3 > n) return -1;
            control = (unsigned{in[x]} << 8) | in[x + 1];
            x += 2;
            bitsLeft = 16;
        }
        if ((control & 0x8000) == 0) {
            if (y >= kLzrw1BlockSize) return -1;
            out[y++] = in[x++];
        } else {
            if (x + 2 > n) return -1;
            const std::size_t offset = (std::size_t{in[x]} << 4) | (in[x + 1] >> 4);
            if (offset != 0) {
                const std::size_t size = (in[x + 1] & 0x0F) + kMinCopy;
                if (offset > y || y + size > kLzrw1BlockSize) return -1;
                std::uint8_t* dst = out + y;
                const std::uint8_t* src = dst - offset;
                if (offset >= kMaxCopy && y + kMaxCopy <= kLzrw1BlockSize) {
                    // A fixed-size copy is a few moves; bytes past size lie beyond the output so far.
                    std::memcpy(dst, src, kMaxCopy);
                } else if (offset >= size) {
                    std::memcpy(dst, src, size);
                } else {
                    // Overlapping: each byte may be one this copy has just written.
                    for (std::size_t k = 0; k < size; ++k) dst[k] = src[k];
                }
                y += size;
                x += 2;
            } else {
                if (x + 4 > n) return -1;
                const std::size_t size = ((std::size_t{in[x + 1]} << 8) | in[x + 2]) + kMinRun;
                if (y + size > kLzrw1BlockSize) return -1;
                std::memset(out + y, in[x + 3], size);
                y += size;
                x += 4;
            }
        }
        control <<= 1;
        --bitsLeft;
    }
    return static_cast<long>(y);
}

}  // namespace quintrel
