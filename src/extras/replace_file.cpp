#include "extras/replace_file.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace quintrel {

namespace {
constexpr int kTempNameAttempts = 100;
}

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
    if (target_.empty()) return;
    // "x": never reuse a file somebody else is writing.
    for (int attempt = 0; attempt < kTempNameAttempts && file_ == nullptr; ++attempt) {
        temp_ = target_ + ".tmp" + (attempt == 0 ? std::string() : std::to_string(attempt));
        file_ = std::fopen(temp_.c_str(), "wbx");
    }
    if (file_ == nullptr) temp_.clear();
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::write(const void* data, std::size_t size) {
    if (file_ == nullptr) return false;
    return size == 0 || std::fwrite(data, 1, size, file_) == size;
}

bool ReplacingFile::commit() {
    if (file_ == nullptr) return false;
    const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        discard();
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temp_, target_, error);
    if (error) {
        discard();
        return false;
    }
    temp_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
        temp_.clear();
    }
}

}  // namespace quintrel
