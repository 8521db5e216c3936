#pragma once
// Cutting received bytes into message lines and queueing them for the drain timers.
//
// A connection's bytes go through a LineBuffer, which cuts them at the terminator 0xFF.
// The table keeps one ReceiveQueue; the host keeps one HostReceiveQueue for all its
// connections and takes their lines in turn. Both hand out one line per tick.

#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

// Longest line a handler ever sees; longer ones are cut when taken from a queue.
constexpr std::size_t kMaxLineLength = 4096;

class LineBuffer {
public:
    // Unterminated bytes kept at most; a peer that sends more is cut off.
    static constexpr std::size_t kMaxPending = 64 * 1024;

    struct Result {
        std::vector<std::string> lines;  // complete lines in arrival order, without terminator
        bool overflow = false;           // the remainder passed kMaxPending: close the connection
    };

    // Adds received bytes. Text after the last terminator waits for the next call. On
    // overflow the remainder is discarded and every later call reports overflow too.
    Result append(std::string_view bytes);

    std::size_t pending() const { return buffer_.size(); }
    bool overflowed() const { return overflowed_; }
    void clear();

private:
    std::string buffer_;
    bool overflowed_ = false;
};

// The table's queue: first in, first out.
class ReceiveQueue {
public:
    void push(std::string line);
    // The oldest line, cut to kMaxLineLength; an empty line when the queue is empty.
    std::string take();
    bool empty() const { return lines_.empty(); }
    std::size_t size() const { return lines_.size(); }
    void clear() { lines_.clear(); }

private:
    std::deque<std::string> lines_;
};

// The table's receiving side: one connection's buffer feeding its queue.
class TableInbox {
public:
    // Lines the table may have waiting. A catch-up is a few hundred lines and the table drains
    // about a thousand a second, so a host past this is flooding it.
    static constexpr std::size_t kMaxPendingLines = 20000;

    // False when the host's stream overflowed the buffer or the queue; stop reading it.
    bool receive(std::string_view bytes);
    std::string take() { return queue_.take(); }
    bool empty() const { return queue_.empty(); }
    std::size_t size() const { return queue_.size(); }
    void clear();

private:
    LineBuffer buffer_;
    ReceiveQueue queue_;
};

struct HostLine {
    int slot = 0;      // 0 when the queue was empty
    std::string line;  // cut to kMaxLineLength
};

// The host's queue. Each connection's lines keep their order; connections are served in
// turn, so one busy peer cannot starve the others.
class HostReceiveQueue {
public:
    // Lines one connection may have waiting; a peer past this floods the host.
    static constexpr std::size_t kMaxPendingPerSlot = 500;

    // False (and the line is not queued) when the slot already has kMaxPendingPerSlot lines
    // waiting: close that connection. Slots are positive; others are refused.
    bool push(int slot, std::string line);
    // The next line of the next slot after the one served last; {0, ""} when all are empty.
    HostLine take();
    // Forgets the lines still waiting from a slot (its connection is gone).
    void dropSlot(int slot);

    std::size_t pending(int slot) const;
    std::size_t size() const { return total_; }
    bool empty() const { return total_ == 0; }

private:
    std::map<int, std::deque<std::string>> bySlot_;  // only slots with lines waiting
    int lastServed_ = 0;
    std::size_t total_ = 0;
};

// The host's receiving side: one LineBuffer per slot feeding the shared queue.
class HostInbox {
public:
    // False when the slot overflowed its buffer or its queue; the connection must be closed
    // (and disconnect() called). Lines cut before the overflow are kept.
    bool receive(int slot, std::string_view bytes);
    // Drops the slot's partial line and its waiting lines, so a new connection in the
    // slot starts clean.
    void disconnect(int slot);
    HostLine take() { return queue_.take(); }
    bool empty() const { return queue_.empty(); }
    std::size_t size() const { return queue_.size(); }
    std::size_t pending(int slot) const { return queue_.pending(slot); }

private:
    std::map<int, LineBuffer> buffers_;
    HostReceiveQueue queue_;
};

}  // namespace quintrel
