#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quintrel {

// Writes a file whole or not at all: the bytes go to a new temporary file beside the
// target, and commit() renames it over the target. Until then the target is untouched;
// a writer destroyed without a successful commit removes its temporary file.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    bool write(const void* data, std::size_t size);
    // Flushes, closes and renames; false (and the target untouched) on any failure.
    bool commit();

private:
    void discard();

    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
};

}  // namespace quintrel
