// The engine plays without touching the heap once a game is under way: every operator new of
// this program is counted (it is a program of its own so that no other test pays for that).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/engine.h"
#include "engine/self_play.h"

namespace {

long allocations = 0;

void* allocate(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace quintrel {
namespace {

class DiscardingOutbox : public Outbox {
public:
    void send(int, std::string_view line) override { bytes += static_cast<long>(line.size()); }
    void close(int) override {}
    long bytes = 0;
};

// Heap allocations made by one game in which four seats and a spectator are connected, so
// that every line is built; the seats' connections have not logged in, so computers play.
long allocationsOfAGame(std::uint32_t seed, const std::string& letter) {
    HostState state;
    DiscardingOutbox out;
    RandomSource random(seed);
    Engine engine(state, out, random);
    // Names as long as a login keeps, so that the longest lines are built too.
    for (int slot = 1; slot <= kFirstSpectator; ++slot) {
        state.players[slot].connected = true;
        state.players[slot].name = std::string(64, static_cast<char>('a' + slot));
    }
    state.connectioncount = kFirstSpectator;
    state.botdelay = 1;
    const wire::parse::StartGameRequest start{state.players[1].name, letter};

    const long before = allocations;
    engine.startgame(start);
    while (state.gamestarted) engine.pacingTick();
    const long made = allocations - before;
    EXPECT_GT(out.bytes, 10000);
    return made;
}

TEST(Allocations, AGameOfTheEngineMakesNone) {
    for (const std::string letter : {"f", "h"}) {
        allocationsOfAGame(1, letter);  // whatever the library sets up on first use
        for (std::uint32_t seed = 2; seed <= 6; ++seed)
            EXPECT_EQ(allocationsOfAGame(seed, letter), 0) << "seed " << seed << ", length " << letter;
    }
}

TEST(Allocations, ASimulatedGameMakesNone) {
    SelfPlayStats stats;
    ASSERT_TRUE(selfPlayOneGame(1, "f", stats)) << stats.failure;
    const long before = allocations;
    for (std::uint32_t seed = 3; seed < 43; seed += 2)
        ASSERT_TRUE(selfPlayOneGame(seed, "f", stats)) << stats.failure;
    EXPECT_EQ(allocations - before, 0) << "over 20 games";
}

}  // namespace
}  // namespace quintrel
