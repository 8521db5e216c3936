#pragma once
// What the randomized host test's peers send: requests a table could send, the same with one
// field broken, and random bytes. Requests name seats, positions and book entries that make
// sense now and then, so that the game really goes on.

#include <cstdint>
#include <random>
#include <string>

#include "engine/host_state.h"
#include "host/server.h"

namespace quintrel::test {

class Dice {
public:
    explicit Dice(std::uint32_t seed) : rng_(seed) {}
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

private:
    std::mt19937 rng_;
};

class PeerTraffic {
public:
    PeerTraffic(Dice& dice, const TServer& server) : dice_(dice), server_(server) {}

    // A request the peer of `slot` could send, terminated; plays of the seat with the turn
    // are the likeliest. `personMove` says whether it is a play of a seat.
    std::string validRequest(int slot, bool& personMove);
    // The request with one field broken, still or no longer terminated.
    std::string mutated(std::string line);
    std::string randomBytes();
    // A game length letter, some of them unknown.
    std::string letter();

private:
    const HostState& s() const { return server_.state(); }
    int seatFor(int slot);
    int handPos(int seat);
    std::array<int, 3> bookPositions(int seat);
    int workingEntry(int seat);
    std::string weirdNumber();

    Dice& dice_;
    const TServer& server_;
};

}  // namespace quintrel::test
