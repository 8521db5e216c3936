#pragma once
// quintreltally.tld: the tally's text in the compressed container, replaced whole on
// every save. A file that cannot be read is never replaced by an empty tally: it is moved
// aside under a dated name, or, when even that fails, the tally is not saved at all.

#include <ctime>
#include <stdexcept>
#include <string>

#include "extras/tally.h"

namespace quintrel {

class TallyFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What happened when the tally file was read.
struct TallyLoad {
    enum class Result { Missing, Loaded, MovedAside, Kept } result = Result::Missing;
    std::string problem;  // why the file could not be read
    std::string movedTo;  // MovedAside: where the file is now
};

class TallyFile {
public:
    explicit TallyFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads the file into the tally. One that cannot be read goes to
    // "<path>.damaged-YYYYMMDD-HHMMSS" (now's local time) and the tally stays empty; if it
    // cannot be moved (Kept), saving is refused for as long as this object lives.
    TallyLoad load(Tally& tally, std::time_t now);

    // Writes the whole tally or nothing (creating the folder when missing); throws
    // TallyFileError on failure, the previous file then being intact.
    void save(const Tally& tally);
    bool mayWrite() const { return mayWrite_; }

    // Beyond these a file is not taken for a tally (about 40,000 tallied players).
    static constexpr std::size_t kMaxFileSize = 1 << 20;
    static constexpr std::size_t kMaxTextSize = 2 << 20;

private:
    std::string path_;
    bool mayWrite_ = true;
};

}  // namespace quintrel
