#include "extras/replace_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace quintrel {

namespace fs = std::filesystem;

namespace {

constexpr int kTempNameAttempts = 100;
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kSuffixLength = 6;
// A temporary file this much older than ours, and not locked, belongs to a writer that
// died: a live writer holds a lock on its file for as long as it writes.
constexpr time_t kStaleSeconds = 60;

std::string randomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 rng{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(kSuffixLength, ' ');
    for (char& c : suffix) c = kLetters[pick(rng)];
    return suffix;
}

bool isSuffix(std::string_view s) {
    if (s.size() != kSuffixLength) return false;
    for (char c : s) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

// Follows symlinks to the file they finally name (which need not exist yet).
std::string resolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        path = next.is_absolute() ? next.string() : (fs::path(path).parent_path() / next).string();
    }
    return path;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Removes the temporary files of target that no live writer holds; ours is newer than
// them all, so its time is "now" as the file system sees it.
void removeStaleTemps(const std::string& target, const std::string& ours, time_t now) {
    const fs::path targetPath(target);
    const fs::path dir = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
    const std::string prefix = targetPath.filename().string() + ReplacingFile::kTempMarker;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const fs::path candidate = it->path();
        const std::string name = candidate.filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!isSuffix(std::string_view(name).substr(prefix.size()))) continue;
        if (candidate.string() == ours) continue;
        struct stat st {};
        if (::lstat(candidate.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (now - st.st_mtime < kStaleSeconds) continue;
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(candidate.c_str());
        ::close(fd);
    }
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(resolveLinks(std::move(target))) {
    if (target_.empty()) return;
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        keepMode_ = true;
        mode_ = st.st_mode & 07777;
    }
    // Exclusive creation: never open a file that is already there, whoever put it there
    // (a stale temporary, another writer, a planted symlink); try further names instead.
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string name = target_ + kTempMarker + randomSuffix();
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            temp_ = std::move(name);
            break;
        }
        if (errno != EEXIST && errno != EINTR) return;
    }
    if (fd_ < 0) return;
    // The lock tells a later writer that this file is in use, and goes when we do.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    struct stat ours {};
    if (::fstat(fd_, &ours) == 0) removeStaleTemps(target_, temp_, ours.st_mtime);
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::write(const void* data, std::size_t size) {
    if (fd_ < 0 || failed_) return false;
    if (!writeAll(fd_, static_cast<const char*>(data), size)) failed_ = true;
    return !failed_;
}

bool ReplacingFile::commit() {
    if (fd_ < 0 || failed_) {
        discard();
        return false;
    }
    bool ok = ::fsync(fd_) == 0;
    if (ok && keepMode_) ok = ::fchmod(fd_, mode_) == 0;
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) ok = false;
    if (!ok || std::rename(temp_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temp_.clear();
    // Make the rename itself durable; the new content is in place either way.
    const std::string dir =
        fs::path(target_).has_parent_path() ? fs::path(target_).parent_path().string() : ".";
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void ReplacingFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace quintrel
