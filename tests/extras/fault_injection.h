#pragma once
// Failures of the file system on demand, for the code that must report them. The test
// program defines write, fsync, close, rename and open itself; they pass every call on to
// the C library unless a test asked for a failure.

#include <cerrno>
#include <functional>

namespace quintrel::faults {

enum class Call { Write, Fsync, Close, Rename };

// The next call of that kind fails with the given error (a failing close still closes).
void failNext(Call call, int error = EIO);
// Called with the path before each open() whose path contains marker; empty to stop.
void beforeOpen(const char* marker, std::function<void(const char* path)> hook);
void reset();

}  // namespace quintrel::faults
