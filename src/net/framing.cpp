#include "net/framing.h"

#include "net/wire.h"

namespace quintrel {
namespace {

std::string cut(std::string line) {
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    return line;
}

}  // namespace

LineBuffer::Result LineBuffer::append(std::string_view bytes) {
    Result result;
    if (overflowed_) {
        result.overflow = true;
        return result;
    }
    std::size_t start = 0;
    std::size_t end = bytes.find(wire::kTerminator);
    while (end != std::string_view::npos) {
        // Only the first line of this read can have a beginning held back from the last one.
        if (start == 0 && !buffer_.empty()) {
            buffer_.append(bytes.substr(0, end));
            result.lines.push_back(std::move(buffer_));
            buffer_.clear();
        } else {
            result.lines.emplace_back(bytes.substr(start, end - start));
        }
        start = end + 1;
        end = bytes.find(wire::kTerminator, start);
    }
    std::string_view tail = bytes.substr(start);
    if (buffer_.size() + tail.size() > kMaxPending) {
        overflowed_ = true;
        buffer_.clear();
        buffer_.shrink_to_fit();
        result.overflow = true;
        return result;
    }
    buffer_.append(tail);
    return result;
}

void LineBuffer::clear() {
    buffer_.clear();
    overflowed_ = false;
}

void ReceiveQueue::push(std::string line) { lines_.push_back(std::move(line)); }

std::string ReceiveQueue::take() {
    if (lines_.empty()) return {};
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    return cut(std::move(line));
}

bool TableInbox::receive(std::string_view bytes) {
    LineBuffer::Result result = buffer_.append(bytes);
    for (std::string& line : result.lines) {
        if (queue_.size() >= kMaxPendingLines) return false;
        queue_.push(std::move(line));
    }
    return !result.overflow;
}

void TableInbox::clear() {
    buffer_.clear();
    queue_.clear();
}

bool HostReceiveQueue::push(int slot, std::string line) {
    if (slot <= 0) return false;  // slot 0 means "nothing waiting" to take()'s caller
    std::deque<std::string>& lines = bySlot_[slot];
    if (lines.size() >= kMaxPendingPerSlot) return false;
    // Cut now rather than when taken: a waiting line then holds 4 KiB, not up to 64 KiB.
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    lines.push_back(std::move(line));
    ++total_;
    return true;
}

HostLine HostReceiveQueue::take() {
    if (bySlot_.empty()) return {};
    auto it = bySlot_.upper_bound(lastServed_);
    if (it == bySlot_.end()) it = bySlot_.begin();
    HostLine out{it->first, cut(std::move(it->second.front()))};
    it->second.pop_front();
    --total_;
    lastServed_ = it->first;
    if (it->second.empty()) bySlot_.erase(it);
    return out;
}

void HostReceiveQueue::dropSlot(int slot) {
    auto it = bySlot_.find(slot);
    if (it == bySlot_.end()) return;
    total_ -= it->second.size();
    bySlot_.erase(it);
}

std::size_t HostReceiveQueue::pending(int slot) const {
    auto it = bySlot_.find(slot);
    return it == bySlot_.end() ? 0 : it->second.size();
}

bool HostInbox::receive(int slot, std::string_view bytes) {
    LineBuffer::Result result = buffers_[slot].append(bytes);
    bool ok = !result.overflow;
    for (std::string& line : result.lines) {
        if (!queue_.push(slot, std::move(line))) {
            ok = false;
            break;
        }
    }
    return ok;
}

void HostInbox::disconnect(int slot) {
    buffers_.erase(slot);
    queue_.dropSlot(slot);
}

}  // namespace quintrel
