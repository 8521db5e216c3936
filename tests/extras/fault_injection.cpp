#include "fault_injection.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace quintrel::faults {
namespace {

std::array<int, 4> pending{};  // per Call: the errno of the next failure, 0 for none
std::string openMarker;
std::function<void(const char*)> openHook;

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// True (and errno set) when a failure of this kind was asked for.
bool fails(Call call) {
    int& error = pending[static_cast<std::size_t>(call)];
    if (error == 0) return false;
    errno = std::exchange(error, 0);
    return true;
}

}  // namespace

void failNext(Call call, int error) { pending[static_cast<std::size_t>(call)] = error; }

void beforeOpen(const char* marker, std::function<void(const char* path)> hook) {
    openMarker = marker;
    openHook = std::move(hook);
}

void reset() {
    pending = {};
    openMarker.clear();
    openHook = nullptr;
}

}  // namespace quintrel::faults

using quintrel::faults::Call;

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = quintrel::faults::real<ssize_t (*)(int, const void*, size_t)>("write");
    if (quintrel::faults::fails(Call::Write)) return -1;
    return next(fd, data, size);
}

extern "C" int fsync(int fd) {
    static const auto next = quintrel::faults::real<int (*)(int)>("fsync");
    if (quintrel::faults::fails(Call::Fsync)) return -1;
    return next(fd);
}

extern "C" int close(int fd) {
    static const auto next = quintrel::faults::real<int (*)(int)>("close");
    const int result = next(fd);
    if (quintrel::faults::fails(Call::Close)) return -1;
    return result;
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto next = quintrel::faults::real<int (*)(const char*, const char*)>("rename");
    if (quintrel::faults::fails(Call::Rename)) return -1;
    return next(from, to);
}

extern "C" int open(const char* path, int flags, ...) {
    static const auto next = quintrel::faults::real<int (*)(const char*, int, ...)>("open");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, unsigned));
        va_end(args);
    }
    if (quintrel::faults::openHook && !quintrel::faults::openMarker.empty() &&
        std::strstr(path, quintrel::faults::openMarker.c_str()) != nullptr) {
        quintrel::faults::openHook(path);
    }
    return next(path, flags, mode);
}
