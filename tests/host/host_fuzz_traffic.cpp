#include "host_fuzz_traffic.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <vector>

#include "net/wire.h"

namespace quintrel::test {
namespace {

constexpr char kEnd = wire::kTerminator;

}  // namespace

std::string PeerTraffic::letter() {
    static const char* const kLetters[] = {"f", "h", "t", "x", ""};
    return kLetters[dice_.pick(0, 4)];
}

int PeerTraffic::seatFor(int slot) { return (slot <= kSeats && dice_.chance(75)) ? slot : dice_.pick(1, 4); }

// Positions of the seat's hand that hold a card, or any position now and then.
int PeerTraffic::handPos(int seat) {
    std::vector<int> held;
    for (int pos = 0; pos < kHandSlots; ++pos)
        if (s().players[seat].hand[pos] != 0) held.push_back(pos);
    if (held.empty() || dice_.chance(10)) return dice_.pick(0, 20);
    return held[static_cast<std::size_t>(dice_.pick(0, static_cast<int>(held.size()) - 1))];
}

// Three positions that may make a book: same rank, or a pair and a wild.
std::array<int, 3> PeerTraffic::bookPositions(int seat) {
    const auto& hand = s().players[seat].hand;
    for (int a = 0; a < kHandSlots; ++a) {
        if (hand[a] == 0 || hand[a] % 13 == 2 || hand[a] % 13 == 3) continue;
        std::vector<int> match;
        for (int b = 0; b < kHandSlots; ++b)
            if (b != a && hand[b] != 0 &&
                (hand[b] % 13 == hand[a] % 13 || (match.size() == 1 && hand[b] % 13 == 2)))
                match.push_back(b);
        if (match.size() >= 2 && dice_.chance(70)) return {a, match[0], match[1]};
    }
    return {handPos(seat), handPos(seat), handPos(seat)};
}

int PeerTraffic::workingEntry(int seat) {
    const int team = teamOf(seat);
    for (int e = 1; e <= kBookSlots; ++e)
        if (s().books[team][e].count > 0 && dice_.chance(50)) return e;
    return dice_.pick(1, 13);
}

std::string PeerTraffic::validRequest(int slot, bool& personMove) {
    namespace to = wire::tohost;
    const int seat = seatFor(slot);
    const bool ownTurn = s().gamestarted && s().turnseat == seat;
    // Moves of the seat that has the turn are the interesting ones; other requests less so.
    int what = dice_.pick(0, 99);
    if (ownTurn && dice_.chance(60)) what = dice_.pick(60, 99);
    if (what < 10) {
        if (!server_.loggedIn(slot) && dice_.chance(60)) {
            return to::logininfo(slot, dice_.chance(90) ? "1.0.3" : "0.9", "P" + std::to_string(slot) + kEnd);
        }
        const int named = dice_.chance(70) ? slot : dice_.pick(1, 10);
        return to::logininfo(named, "1.0.3", std::string("Name\x01\x7F+x") + kEnd);
    }
    if (what < 20) return to::chat(slot, "hello+there|clRed");
    if (what < 24) return to::action(slot, "waves|clNavy");
    if (what < 28) return to::kickhim(dice_.chance(80) ? slot : dice_.pick(1, 9), dice_.pick(1, 9));
    if (what < 32)
        return to::botspeed(dice_.chance(80) ? slot : dice_.pick(1, 9),
                            dice_.chance(80) ? dice_.pick(1, 20) : dice_.pick(-5, 70000));
    if (what < 36) return to::startgame("P" + std::to_string(slot), letter());
    if (what < 40) return to::settourney(dice_.chance(30), dice_.chance(50) ? "5" : "3");
    if (what < 55) return to::justwatch(seatFor(slot), dice_.pick(1, 2));
    personMove = true;
    if (what < 70) return to::drawing(seat, dice_.pick(1, 2));
    if (what < 80) {
        const auto pos = bookPositions(seat);
        return to::createbook(seat, pos[0], pos[1], pos[2]);
    }
    if (what < 88) return to::addtobook(seat, handPos(seat), workingEntry(seat));
    if (what < 92) return to::addtocomp(seat, handPos(seat), dice_.pick(1, 13));
    return to::discard(seat, handPos(seat));
}

std::string PeerTraffic::weirdNumber() {
    static const char* const kNumbers[] = {"2147483647",
                                           "2147483648",
                                           "-2147483648",
                                           "-2147483649",
                                           "99999999999999999999",
                                           "999999999",
                                           "1000000000",
                                           "0",
                                           "-0",
                                           "-1",
                                           "+1",
                                           "0001",
                                           " 1",
                                           "1 ",
                                           "21",
                                           "20",
                                           "13",
                                           "14",
                                           "55",
                                           "53",
                                           "10",
                                           "11",
                                           "4294967297",
                                           "1e3",
                                           "0x1",
                                           "\xB9",
                                           "1\xFF"
                                           "2",
                                           "-",
                                           "--1",
                                           "\t2"};
    return kNumbers[dice_.pick(0, static_cast<int>(std::size(kNumbers)) - 1)];
}

// A request with one field broken, still or no longer terminated.
std::string PeerTraffic::mutated(std::string line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t plus = line.find('+', start);
        fields.push_back(line.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    const auto at = [&] {
        return static_cast<std::size_t>(dice_.pick(0, static_cast<int>(fields.size()) - 1));
    };
    bool terminated = true;
    switch (dice_.pick(0, 9)) {
        case 0: fields[at()] = weirdNumber(); break;
        case 1:
            if (fields.size() > 1)
                fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(1, at())));
            break;
        case 2: fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(at()), ""); break;
        case 3: fields[at()] = dice_.chance(50) ? "x" : "1a"; break;
        case 4: fields[at()] += kEnd; break;
        case 5:
            fields[at()] +=
                std::string(static_cast<std::size_t>(dice_.pick(4000, 9000)), dice_.chance(50) ? '7' : 'w');
            break;
        case 6: terminated = false; break;
        case 7:
            fields.push_back(weirdNumber());
            fields.push_back("");
            break;
        case 8: fields[0] = dice_.chance(50) ? "cmd_chat" : "CMD_" + fields[0]; break;
        case 9: fields.resize(1); break;
    }
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "+" : "") + fields[i];
    if (dice_.chance(10))
        out.insert(static_cast<std::size_t>(dice_.pick(0, static_cast<int>(out.size()))), 1, kEnd);
    return terminated ? out + kEnd : out;
}

std::string PeerTraffic::randomBytes() {
    std::string out(static_cast<std::size_t>(dice_.pick(1, 60)), '\0');
    for (char& c : out) c = static_cast<char>(dice_.pick(0, 255));
    if (dice_.chance(50)) out += kEnd;
    return out;
}

}  // namespace quintrel::test
