#include "extras/tally_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "extras/lzrw1.h"
#include "extras/replace_file.h"

namespace quintrel {

namespace fs = std::filesystem;

namespace {

constexpr int kAsideAttempts = 100;

// The container's stated original size, or -1 when it has no header.
long long statedSize(const std::string& container) {
    if (container.size() < 8) return -1;
    std::uint32_t size = 0;
    for (int i = 7; i >= 4; --i)
        size = (size << 8) | static_cast<unsigned char>(container[static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(size);
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TallyFileError(std::string("cannot open it: ") + std::strerror(errno));
    std::string bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > TallyFile::kMaxFileSize) throw TallyFileError("too large for a tally file");
    }
    if (in.bad()) throw TallyFileError("read error");
    return bytes;
}

std::string dateStamp(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Renames path to a free dated name beside it; the new name, or empty on failure.
std::string moveAside(const std::string& path, std::time_t now) {
    const std::string base = path + ".damaged-" + dateStamp(now);
    for (int attempt = 0; attempt < kAsideAttempts; ++attempt) {
        const std::string name = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        std::error_code error;
        if (fs::exists(fs::symlink_status(name, error))) continue;
        return std::rename(path.c_str(), name.c_str()) == 0 ? name : std::string();
    }
    return {};
}

}  // namespace

TallyLoad TallyFile::load(Tally& tally, std::time_t now) {
    TallyLoad outcome;
    std::error_code error;
    if (!fs::exists(fs::status(path_, error))) return outcome;  // a first run: an empty tally
    try {
        const std::string container = readWhole(path_);
        const long long stated = statedSize(container);
        if (stated > static_cast<long long>(kMaxTextSize)) throw TallyFileError("too large for a tally file");
        Tlzrw1 doit;
        doit.CompressMode = TCompressMode::Fast;
        tally.load(doit.Decompress(container));
        outcome.result = TallyLoad::Result::Loaded;
        return outcome;
    } catch (const std::exception& failure) {
        outcome.problem = failure.what();
    }
    outcome.movedTo = moveAside(path_, now);
    if (outcome.movedTo.empty()) {
        outcome.result = TallyLoad::Result::Kept;
        mayWrite_ = false;
    } else {
        outcome.result = TallyLoad::Result::MovedAside;
    }
    return outcome;
}

void TallyFile::save(const Tally& tally) {
    if (!mayWrite_)
        throw TallyFileError(path_ + " could not be read and is kept as it is; the tally is not saved");
    std::error_code ignored;
    const fs::path folder = fs::path(path_).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ignored);
    Tlzrw1 doit;
    doit.CompressMode = TCompressMode::Fast;
    const std::string container = doit.Compress(tally.save());
    ReplacingFile file(path_);
    if (!file.isOpen()) throw TallyFileError("cannot create a file beside " + path_);
    file.write(container.data(), container.size());
    if (!file.commit()) throw TallyFileError("cannot write " + path_);
}

}  // namespace quintrel
