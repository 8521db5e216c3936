// The host against any peer: seeded crowds of connections send valid, mutated and random
// requests, come and go, while both timers tick. After every step the host's records must be
// sound and every line it sent must be one a table understands (host_fuzz_checks.h); what
// the peers send is in host_fuzz_traffic.h.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "host_fuzz_checks.h"
#include "host_fuzz_traffic.h"
#include "net/dispatch.h"
#include "net/framing.h"
#include "net/wire.h"
#include "network.h"
#include "table/game_start_form.h"

namespace quintrel::test {
namespace {

constexpr char kEnd = wire::kTerminator;

struct Tally {
    long steps = 0;
    long linesChecked = 0;
    long gamesStarted = 0;
    long roundsEnded = 0;
    long roundsInTraffic = 0;
    long booksMade = 0;
    long refused = 0;
    long personMoves = 0;     // cards a peer's own request moved
    long mirrorsChecked = 0;  // a logged-in table compared with the host during a game
    long floods = 0;          // peers cut off for flooding the host
    long honestRequests = 0;  // lines an honest peer's table sent
    long honestDrops = 0;     // of those, dropped by the host as out of turn (a race, not a fault)
    long honestBooks = 0;     // books an honest peer's table created
};

class HostFuzz {
public:
    HostFuzz(std::uint32_t seed, HostMode mode)
        : dice_(seed),
          mode_(mode),
          net_(ServerOptions{mode, 3, seed}, [this](std::string_view line) { checkLog(line); }),
          traffic_(dice_, net_.server) {}

    // Random traffic, then every seat to the computer: the game must still come to its end.
    void run(int steps, Tally& tally) {
        tally_ = &tally;
        const long roundsBefore = tally.roundsEnded;
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) step();
        tally.roundsInTraffic += tally.roundsEnded - roundsBefore;
        if (!::testing::Test::HasFailure()) finishByComputer();
    }

private:
    int pick(int lo, int hi) { return dice_.pick(lo, hi); }
    bool chance(int percent) { return dice_.chance(percent); }
    const HostState& s() const { return net_.server.state(); }
    TServer& server() { return net_.server; }

    // ------------------------------------------------------------ one step and its checks
    void step() {
        ++tally_->steps;
        net_.reentrantClose = chance(30);
        const int roll = pick(1, 100);
        if (roll <= 4) {
            connect();
        } else if (roll <= 8) {
            leave();
        } else if (roll <= 45) {
            peerSends();
        } else if (roll <= 80) {
            const int ticks = pick(1, 4);
            for (int t = 0; t < ticks; ++t) hostCall([&] { server().drainTick(); });
        } else if (roll <= 97) {
            // The transport fires Timer1 only while the host keeps it running.
            if (server().pacingTimerEnabled()) hostCall([&] { server().pacingTick(); });
        } else if (net_.live(1) && honest_[1]) {
            // The hosting player's own dialog sends the start and the tournament choice.
            table::GameStartForm form(chance(50));
            form.click(static_cast<table::GameStartForm::Box>(pick(0, 5)));
            net_.table(1)->state.startgame(form);
            forwardTable(1);
        } else if (net_.live(1)) {
            sendLine(1, wire::tohost::startgame("Host", traffic_.letter()));
        }
        checkAll();
    }

    void checkAll() {
        checkHostRecords(net_);
        for (int slot = 1; slot <= kLastSlot; ++slot)
            checkMirror(slot, net_, notes_[static_cast<std::size_t>(slot)], tally_->mirrorsChecked);
    }

    template <typename Call>
    void hostCall(Call&& call) {
        const bool wasStarted = s().gamestarted;
        const bool wasOver = s().roundover;
        call();
        net_.afterCall();
        if (!wasStarted && s().gamestarted) ++tally_->gamesStarted;
        if ((!wasOver && s().roundover) || (wasStarted && !s().gamestarted)) ++tally_->roundsEnded;
        checkSent();
    }

    // Every line the host sent is one a table understands, a hand goes to its own seat only;
    // then the tables take their lines.
    void checkSent() {
        for (const auto& [slot, line] : net_.sent) {
            ++tally_->linesChecked;
            ASSERT_GE(slot, 1);
            ASSERT_LE(slot, kRefusedSlot);
            if (slot == kRefusedSlot) {
                EXPECT_EQ(line, "CMD_full+");
                continue;
            }
            const std::string fault = clientLineFault(line);
            ASSERT_EQ(fault, "") << "to slot " << slot << ": " << line.substr(0, 200);
            const auto routed = routeClientLine(line);
            if (routed->command == ClientCommand::CMD_newcard) {
                EXPECT_EQ(wire::parse::newcard(routed->rest)->seat, slot) << line;
            }
            if (routed->command == ClientCommand::CMD_newbook) ++tally_->booksMade;
            if (net_.table(slot)) notes_[static_cast<std::size_t>(slot)].heard(line);
        }
        net_.sent.clear();
        net_.gone.clear();
        for (int slot = 1; slot <= kLastSlot; ++slot)
            if (kit::Table* peer = net_.table(slot))
                while (peer->session.processsocktimer()) {}
    }

    // The log is read by people and scripts: one short printable line per event, whatever a
    // peer put into its request.
    void checkLog(std::string_view line) {
        checkHonestDrop(line);
        EXPECT_LE(line.size(), 300u) << line.substr(0, 100);
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F || byte == 0xFF) {
                ADD_FAILURE() << "control byte " << int(byte) << " in the log: " << line.substr(0, 100);
                break;
            }
        }
    }

    // A table plays by the rules the host checks: the only request of an honest peer the host
    // may drop is one overtaken by events (the hosting player handed the turn to the computer,
    // and the table had not yet read that the turn was over, or that it came round again).
    void checkHonestDrop(std::string_view line) {
        constexpr std::string_view kPrefix = "dropped from slot ";
        if (!line.starts_with(kPrefix) || line.size() < kPrefix.size() + 2) return;
        const int slot = line[kPrefix.size()] - '0';
        if (!isSlot(slot) || !honest_[static_cast<std::size_t>(slot)]) return;
        ++tally_->honestDrops;
        const bool overtaken = line.find("not this seat's turn") != std::string_view::npos ||
                               line.find("before the draw") != std::string_view::npos;
        EXPECT_TRUE(overtaken) << line;
    }

    // ------------------------------------------------------------ connections
    void connect() {
        const bool loopback = mode_ == HostMode::Headless ? chance(50) : chance(20);
        int slot = 0;
        hostCall([&] { slot = net_.connect(loopback, "Peer"); });
        if (isSlot(slot)) {
            notes_[static_cast<std::size_t>(slot)] = {};
            honest_[static_cast<std::size_t>(slot)] = chance(40);
        } else {
            ASSERT_EQ(slot, kRefusedSlot);
            ++tally_->refused;
            ASSERT_EQ(s().connectioncount, kLastSlot);
            EXPECT_FALSE(net_.live(kRefusedSlot)) << "the refused one stays open";
        }
        if (mode_ == HostMode::Desktop && slot == 1) {
            EXPECT_TRUE(loopback) << "slot 1 to a remote peer";
        }
    }

    void leave() {
        const int slot = liveSlot();
        if (slot == 0) return;
        hostCall([&] { net_.disconnect(slot); });
        if (chance(20)) hostCall([&] { server().connectionClosed(slot); });  // an error after the close
    }

    int liveSlot() {
        std::vector<int> slots;
        for (int k = 1; k <= kLastSlot; ++k)
            if (net_.live(k)) slots.push_back(k);
        if (slots.empty()) return 0;
        return slots[static_cast<std::size_t>(pick(0, static_cast<int>(slots.size()) - 1))];
    }

    // ------------------------------------------------------------ what a peer sends
    void peerSends() {
        const int slot = liveSlot();
        if (slot == 0) return;
        if (honest_[static_cast<std::size_t>(slot)]) return honestPeerPlays(slot);
        std::string bytes;
        bool flood = false;
        const int messages = chance(90) ? 1 : pick(2, 6);
        for (int m = 0; m < messages; ++m) {
            const int kind = pick(1, 100);
            bool personMove = false;
            if (kind <= 55) {
                bytes += traffic_.validRequest(slot, personMove) + kEnd;
            } else if (kind <= 85) {
                bytes += traffic_.mutated(traffic_.validRequest(slot, personMove));
            } else if (kind <= 97) {
                bytes += traffic_.randomBytes();
            } else if (kind <= 98) {
                // A line that never ends (unless a later message ends it: then it is only long).
                bytes += std::string(LineBuffer::kMaxPending + 10, 'z');
                flood = flood || m == messages - 1;
            } else {
                // A flood of lines, more than the host lets one connection queue.
                for (int n = 0; n < 600; ++n) bytes += "CMD_chat+" + std::to_string(slot) + "+x|clRed" + kEnd;
                flood = true;
            }
            if (personMove) ++tally_->personMoves;
        }
        // The socket may deliver the bytes in pieces.
        std::size_t at = 0;
        while (at < bytes.size() && net_.live(slot)) {
            const std::size_t size = chance(70) ? bytes.size() - at : static_cast<std::size_t>(pick(1, 64));
            const std::string_view piece = std::string_view(bytes).substr(at, size);
            hostCall([&] { net_.read(slot, piece); });
            at += size;
        }
        if (flood) {
            ++tally_->floods;
            EXPECT_FALSE(net_.live(slot)) << "a flooding peer stays connected";
        }
    }

    // A person at a real table: clicks that make sense now and then, and whatever the table
    // sends (its login too) goes to the host.
    void honestPeerPlays(int slot) {
        table::TableState& t = net_.table(slot)->state;
        const bool mine = t.whoseturn() == t.myseat() && isSeat(t.myseat());
        if (mine && t.drawButton().visible) {
            if (t.pickupButton().visible && chance(30))
                t.takeDiscardPile();
            else
                t.drawFromShoe();
        } else if (mine && chance(25) && layOutBook(t)) {
            t.createFromSquares();
        } else {
            const int roll = pick(1, 100);
            if (roll <= 35 && !t.cards().empty()) {
                auto it = t.cards().begin();
                std::advance(it, pick(0, static_cast<int>(t.cards().size()) - 1));
                t.pressCard(it->first, chance(95) ? table::MouseButton::Left : table::MouseButton::Right);
            } else if (roll <= 50) {
                t.placeOnSquare(pick(1, 3));
            } else if (roll <= 60) {
                t.createFromSquares();
            } else if (roll <= 64) {
                t.clearSquares();
            } else if (roll <= 76) {
                const int team = teamOf(t.myseat());
                const auto& books = t.workingBooks(team);
                if (!books.empty()) {
                    auto it = books.begin();
                    std::advance(it, pick(0, static_cast<int>(books.size()) - 1));
                    t.playOnBook(team, it->first);
                }
            } else if (roll <= 80) {
                const int team = teamOf(t.myseat());
                const auto& books = t.completedBooks(team);
                if (!books.empty()) t.playOnCompletedBook(team, books.begin()->first);
            } else if (roll <= 92) {
                t.discardSelected();
            } else {
                t.toggleJustWatch();
            }
        }
        forwardTable(slot);
    }

    // Puts three shown cards of one rank (no threes, no wilds) on the squares, as a person
    // lays out a new book. False when the hand has none.
    static bool layOutBook(table::TableState& t) {
        std::map<int, std::vector<int>> byRank;
        for (int place = 1; place <= table::kHandPlaces; ++place) {
            const table::HandPlace& p = t.handrow(place);
            if (p.free) break;
            const int code = t.card(p.slot)->code;
            if (code % 13 != 2 && code % 13 != 3) byRank[code % 13].push_back(p.slot);
        }
        for (const auto& [rank, slots] : byRank) {
            if (slots.size() < 3) continue;
            t.clearSquares();
            for (int n = 0; n < 3; ++n) {
                if (t.selectedslot() != -1) t.pressCard(t.selectedslot(), table::MouseButton::Left);
                t.pressCard(slots[static_cast<std::size_t>(n)], table::MouseButton::Left);
                t.placeOnSquare(n + 1);
            }
            return true;
        }
        return false;
    }

    void forwardTable(int slot) {
        std::string bytes;
        for (const std::string& line : net_.table(slot)->takeSent()) {
            ++tally_->honestRequests;
            if (line.starts_with("CMD_createbook+")) ++tally_->honestBooks;
            bytes += line + kEnd;
        }
        if (!bytes.empty()) hostCall([&] { net_.read(slot, bytes); });
    }

    void sendLine(int slot, const std::string& line) {
        hostCall([&] { net_.read(slot, line + kEnd); });
    }

    // ------------------------------------------------------------ the computer finishes the game
    void finishByComputer() {
        for (int k = 1; k <= kLastSlot; ++k)
            if (net_.live(k)) hostCall([&] { net_.disconnect(k); });
        drain();  // what they sent before they went, then their departures
        ASSERT_FALSE(::testing::Test::HasFailure());
        // The hosting player comes back (over loopback, as the own table does) and watches.
        int slot = 0;
        hostCall([&] { slot = net_.connect(true, "Host"); });
        ASSERT_EQ(slot, 1);
        notes_[1] = {};
        honest_[1] = false;
        sendLine(1, wire::tohost::logininfo(1, "1.0.3", std::string("Host") + kEnd));
        drain();
        ASSERT_TRUE(server().loggedIn(1));
        if (s().gamestarted) {
            // The game in play goes on without anybody: a round ends.
            sendLine(1, wire::tohost::justwatch(1, 1));
            const long before = tally_->roundsEnded;
            runUntil([&] { return tally_->roundsEnded > before; });
        }
        sendLine(1, wire::tohost::startgame("Host", "f"));
        drain();
        ASSERT_TRUE(s().gamestarted);
        sendLine(1, wire::tohost::justwatch(1, 1));
        runUntil([&] { return !s().gamestarted; });
    }

    void drain() {
        while (server().queuedLines() > 0) hostCall([&] { server().drainTick(); });
    }

    template <typename Done>
    void runUntil(Done&& done) {
        drain();
        for (int tick = 0; tick < 200000 && !done(); ++tick) {
            ASSERT_TRUE(server().pacingTimerEnabled()) << "the game waits for nobody: turn " << s().turnseat;
            hostCall([&] { server().pacingTick(); });
            checkAll();
            if (::testing::Test::HasFailure()) return;
        }
        ASSERT_TRUE(done()) << "no end in sight";
    }

    Dice dice_;
    HostMode mode_;
    kit::Network net_;
    PeerTraffic traffic_;
    std::array<PeerNotes, kLastSlot + 1> notes_{};
    std::array<bool, kLastSlot + 1> honest_{};  // the slot's peer sends only what its table asks
    Tally* tally_ = nullptr;
};

// QUINTREL_FUZZ_SEEDS=N runs N seeds (more than the default) for a longer search by hand.
std::uint32_t seedCount(std::uint32_t fallback) {
    const char* text = std::getenv("QUINTREL_FUZZ_SEEDS");
    const long n = text ? std::strtol(text, nullptr, 10) : 0;
    return n > static_cast<long>(fallback) ? static_cast<std::uint32_t>(n) : fallback;
}

TEST(HostFuzz, AnyPeerTrafficKeepsTheHostSoundAndTheGameGoing) {
    Tally tally;
    for (std::uint32_t seed = 1; seed <= seedCount(32); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        HostFuzz fuzz(seed * 2654435761u, seed % 2 ? HostMode::Headless : HostMode::Desktop);
        fuzz.run(3000, tally);
        if (HasFailure()) return;
    }
    // The crowd really played: games ran, books were made, the table filled up.
    EXPECT_GT(tally.gamesStarted, 32);
    EXPECT_GT(tally.roundsEnded, 64);
    EXPECT_GT(tally.booksMade, 100);
    EXPECT_GT(tally.refused, 0);
    EXPECT_GT(tally.floods, 10);
    EXPECT_GT(tally.personMoves, 1000);
    EXPECT_GT(tally.mirrorsChecked, 10000);
    EXPECT_GT(tally.honestRequests, 500);
    EXPECT_GT(tally.honestBooks, 20);
    std::printf(
        "steps %ld, lines %ld, games %ld, rounds %ld (%ld in traffic), books %ld, refused %ld, mirrors %ld\n"
        "honest requests %ld (%ld create, %ld dropped as late)\n",
        tally.steps, tally.linesChecked, tally.gamesStarted, tally.roundsEnded, tally.roundsInTraffic,
        tally.booksMade, tally.refused, tally.mirrorsChecked, tally.honestRequests, tally.honestBooks,
        tally.honestDrops);
}

}  // namespace
}  // namespace quintrel::test
