// quintrel-container: compress or restore a file in the tally's container format by hand.
#include <cstdio>
#include <cstring>

#include "extras/lzrw1.h"

namespace {

int usage(std::FILE* to) {
    std::fputs(
        "usage: quintrel-container compress IN OUT\n"
        "       quintrel-container decompress IN OUT\n"
        "Writes OUT only when the whole operation succeeds.\n",
        to);
    return to == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        return usage(stdout);
    }
    if (argc != 4) return usage(stderr);
    const bool compress = std::strcmp(argv[1], "compress") == 0;
    if (!compress && std::strcmp(argv[1], "decompress") != 0) return usage(stderr);

    try {
        quintrel::Tlzrw1 codec;
        codec.CompressMode = quintrel::TCompressMode::Fast;
        codec.InputFile = argv[2];
        codec.OutputFile = argv[3];
        const auto written = compress ? codec.Compress() : codec.Decompress();
        std::printf("%s: %lld bytes written\n", argv[3], static_cast<long long>(written));
        return 0;
    } catch (const quintrel::Lzrw1Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
