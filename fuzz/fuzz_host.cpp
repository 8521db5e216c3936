// The host's line handling: any bytes from any slot, in any game state, with its two timers'
// ticks, connections coming and going. The input is a list of records, each
// [op][length][length bytes]: op & 7 is what happens, op >> 3 picks the slot (0..10, so
// slots that do not exist are tried too).
//   0 a connection arrives (slot's lowest bit: from loopback)   1 the bytes arrive from the slot
//   2 the slot's connection is gone        3 `length` drain ticks   4 `length` pacing ticks,
//   while the host wants its pacing timer  5..7 the same as 1
// The first byte picks the host's mode and seeds its generator.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/server.h"
#include "engine/outbox.h"
#include "net/game_limits.h"

namespace {

using quintrel::kRefusedSlot;

// Reports the closes the host asks for once its call has returned, as the Qt listener does,
// and checks what the host sends: a line must never carry the terminator, or a peer could
// forge a message of the host's.
class Transport : public quintrel::Outbox {
public:
    void send(int slot, std::string_view line) override {
        if (slot < 1 || slot > kRefusedSlot) __builtin_trap();
        if (line.find('\xFF') != std::string_view::npos) __builtin_trap();
    }
    void close(int slot) override { closing.push_back(slot); }
    std::vector<int> closing;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    Transport transport;
    quintrel::ServerOptions options;
    options.mode = data[0] & 1 ? quintrel::HostMode::Headless : quintrel::HostMode::Desktop;
    options.botdelay = 1;
    options.seed = data[0] >> 1;
    quintrel::TServer host(transport, options);
    const auto afterCall = [&] {
        while (!transport.closing.empty()) {
            const int slot = transport.closing.back();
            transport.closing.pop_back();
            host.connectionClosed(slot);
        }
    };

    std::size_t at = 1;
    while (at + 2 <= size) {
        const std::uint8_t op = data[at];
        const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
        const std::string_view bytes(reinterpret_cast<const char*>(data + at + 2), length);
        at += 2 + length;
        const int slot = (op >> 3) % (kRefusedSlot + 1);
        switch (op & 7) {
            case 0: {
                const int given = host.accept((op >> 3) & 1);
                if (given < 1 || given > kRefusedSlot) __builtin_trap();
                host.accepted(given);
                break;
            }
            case 2: host.connectionClosed(slot); break;
            case 3:
                for (std::size_t i = 0; i < length; ++i) host.drainTick();
                break;
            case 4:
                for (std::size_t i = 0; i < length && host.pacingTimerEnabled(); ++i) host.pacingTick();
                break;
            default: host.receive(slot, bytes); break;
        }
        afterCall();
    }
    // Whatever is left is handled too, with the computer players' turns in between.
    for (int i = 0; i < 64 && (host.queuedLines() > 0 || host.pacingTimerEnabled()); ++i) {
        host.drainTick();
        if (host.pacingTimerEnabled()) host.pacingTick();
        afterCall();
    }
    return 0;
}
