// The compressed container's decoder: any bytes are refused or decoded, and what decodes
// compresses and decodes back to itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "extras/lzrw1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quintrel::Tlzrw1 codec;
    std::string plain;
    try {
        plain = codec.Decompress(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const quintrel::Lzrw1Error&) {
        return 0;
    }
    if (codec.Decompress(codec.Compress(plain)) != plain) __builtin_trap();
    return 0;
}
