#pragma once
// The host's lines as a test sees them: every send in order, and per slot what arrived since
// the last take.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/outbox.h"

namespace quintrel::kit {

class RecordingOutbox : public Outbox {
public:
    void send(int slot, std::string_view line) override {
        sent.emplace_back(slot, std::string(line));
        unread_[slot].emplace_back(line);
    }
    void close(int slot) override { closed.push_back(slot); }

    // Every line sent to `slot`, oldest first.
    std::vector<std::string> to(int slot) const {
        std::vector<std::string> lines;
        for (const auto& [s, line] : sent)
            if (s == slot) lines.push_back(line);
        return lines;
    }
    // The lines sent to `slot` since the last take.
    std::vector<std::string> take(int slot) { return std::exchange(unread_[slot], {}); }
    void clear() {
        sent.clear();
        closed.clear();
        unread_.clear();
    }

    std::vector<std::pair<int, std::string>> sent;
    std::vector<int> closed;

private:
    std::map<int, std::vector<std::string>> unread_;
};

// The lines that start with `prefix`.
inline std::vector<std::string> withPrefix(const std::vector<std::string>& lines, std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& line : lines)
        if (line.starts_with(prefix)) out.push_back(line);
    return out;
}

}  // namespace quintrel::kit
