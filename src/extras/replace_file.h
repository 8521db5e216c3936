#pragma once

#include <cstddef>
#include <string>

namespace quintrel {

// Writes a file whole or not at all: the bytes go to a new temporary file beside the
// target, and commit() renames it over the target. Until then the target is untouched;
// a writer destroyed without a successful commit removes its temporary file.
//
// The temporary file is "<target>.tmp-XXXXXX", created exclusively and private (0600)
// while it is written. A symlinked target is written through: the link stays, the file
// it points to is replaced. An existing target keeps its permissions. Temporary files
// of the same target that a killed writer left behind are removed by the next writer.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // False on a failed write; commit() then fails too, so checking it once is enough.
    bool write(const void* data, std::size_t size);
    // Syncs, closes and renames; false (and the target untouched) on any failure.
    bool commit();

    // The temporary files are named target + kTempMarker + six letters or digits.
    static constexpr const char* kTempMarker = ".tmp-";

private:
    void discard();

    std::string target_;  // the file finally replaced: the symlink's target if it is one
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
    bool keepMode_ = false;
    unsigned mode_ = 0600;
};

}  // namespace quintrel
