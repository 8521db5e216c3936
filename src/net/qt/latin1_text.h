#pragma once
// The game's texts (the wire, the files, the core's strings) are Latin-1 bytes.

#include <QString>
#include <string_view>

namespace quintrel {

inline QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quintrel
