// The host against any peer: seeded crowds of connections send valid, mutated and random
// requests, come and go, while both timers tick. After every step the host's records must be
// sound and every line it sent must be one a table understands.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/host_state.h"
#include "host_fuzz_support.h"
#include "net/dispatch.h"
#include "net/framing.h"
#include "host/server.h"
#include "net/wire.h"
#include "table/game_start_form.h"
#include "table/table_state.h"

namespace quintrel {
namespace {

using fuzz::clientLineFault;
using fuzz::FuzzTransport;
using fuzz::kEnd;
using fuzz::kRefused;
using fuzz::PeerTable;

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
        : rng_(seed),
          mode_(mode),
          server_(transport_, ServerOptions{mode, 3, seed},
                  [this](std::string_view line) { checkLog(line); }) {
        transport_.server = &server_;
    }

    // Random traffic, then every seat to the computer: the game must still come to its end.
    void run(int steps, Tally& tally) {
        tally_ = &tally;
        const long roundsBefore = tally.roundsEnded;
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) step();
        tally.roundsInTraffic += tally.roundsEnded - roundsBefore;
        if (!::testing::Test::HasFailure()) finishByComputer();
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    HostState& s() { return server_.state(); }

    // ------------------------------------------------------------ one step and its checks
    void step() {
        ++tally_->steps;
        transport_.reentrantClose = chance(30);
        const int roll = pick(1, 100);
        if (roll <= 4) {
            connect();
        } else if (roll <= 8) {
            leave();
        } else if (roll <= 45) {
            peerSends();
        } else if (roll <= 80) {
            const int ticks = pick(1, 4);
            for (int t = 0; t < ticks; ++t) hostCall([&] { server_.drainTick(); });
        } else if (roll <= 97) {
            // The transport fires Timer1 only while the host keeps it running.
            if (server_.pacingTimerEnabled()) hostCall([&] { server_.pacingTick(); });
        } else {
            if (transport_.live[1] && honest_[1]) {
                // The hosting player's own dialog sends the start and the tournament choice.
                table::GameStartForm form(chance(50));
                form.click(static_cast<table::GameStartForm::Box>(pick(0, 5)));
                tables_[1]->state.startgame(form);
                forwardTable(1);
            } else if (transport_.live[1]) {
                sendLine(1, wire::tohost::startgame("Host", letter()));
            }
        }
        checkInvariants();
    }

    template <typename Call>
    void hostCall(Call&& call) {
        const bool wasStarted = s().gamestarted;
        const bool wasOver = s().roundover;
        call();
        transport_.afterCall();
        if (!wasStarted && s().gamestarted) ++tally_->gamesStarted;
        if ((!wasOver && s().roundover) || (wasStarted && !s().gamestarted)) ++tally_->roundsEnded;
        checkSent();
    }

    void checkSent() {
        for (int k = 1; k <= 9; ++k)
            if (!transport_.live[static_cast<std::size_t>(k)]) tables_[static_cast<std::size_t>(k)].reset();
        for (const auto& [slot, line] : transport_.sent) {
            ++tally_->linesChecked;
            ASSERT_GE(slot, 1);
            ASSERT_LE(slot, kRefused);
            if (slot == kRefused) {
                EXPECT_EQ(line, "CMD_full+");
                continue;
            }
            const std::string fault = clientLineFault(line);
            ASSERT_EQ(fault, "") << "to slot " << slot << ": " << line.substr(0, 200);
            const auto routed = routeClientLine(line);
            if (routed->command == ClientCommand::CMD_newcard) {
                // A hand is private: its cards go to its own seat only.
                EXPECT_EQ(wire::parse::newcard(routed->rest)->seat, slot) << line;
            }
            if (routed->command == ClientCommand::CMD_newbook) ++tally_->booksMade;
            if (slot <= 9 && tables_[static_cast<std::size_t>(slot)])
                tables_[static_cast<std::size_t>(slot)]->receive(line);
        }
        transport_.sent.clear();
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
    // may drop is one overtaken by events (the hosting player handed the turn to the computer).
    void checkHonestDrop(std::string_view line) {
        constexpr std::string_view kPrefix = "dropped from slot ";
        if (!line.starts_with(kPrefix) || line.size() < kPrefix.size() + 2) return;
        const int slot = line[kPrefix.size()] - '0';
        if (slot < 1 || slot > 9 || !honest_[static_cast<std::size_t>(slot)]) return;
        ++tally_->honestDrops;
        EXPECT_NE(line.find("not this seat's turn"), std::string_view::npos) << line;
    }

    void checkInvariants() {
        const HostState& st = s();
        ASSERT_GE(st.connectioncount, 0);
        ASSERT_LE(st.connectioncount, 9);
        for (int slot = 1; slot <= kRefusedSlot; ++slot) {
            const bool bound = slot <= 9 && transport_.live[static_cast<std::size_t>(slot)];
            // One person per slot: the host counts a slot connected exactly while a
            // connection is bound to it.
            ASSERT_EQ(st.players[static_cast<std::size_t>(slot)].connected, bound) << "slot " << slot;
        }
        ASSERT_EQ(st.players[1].score, st.players[3].score);
        ASSERT_EQ(st.players[2].score, st.players[4].score);
        for (int seat = 1; seat <= kSeats; ++seat) {
            for (const auto* cards : {&st.players[seat].hand, &st.players[seat].foot}) {
                for (int code : *cards) {
                    ASSERT_GE(code, 0);
                    ASSERT_LE(code, 54);
                    ASSERT_NE(code, 1) << "seat " << seat;
                    ASSERT_NE(code, 53) << "seat " << seat;
                }
            }
        }
        ASSERT_GE(st.turnseat, 0);
        ASSERT_LE(st.turnseat, kSeats);
        for (int team = 1; team <= 2; ++team) {
            ASSERT_GE(st.completedcount[team], 0);
            ASSERT_LE(st.completedcount[team], kBookSlots);
            for (int e = 1; e <= kBookSlots; ++e) {
                ASSERT_GE(st.books[team][e].count, 0);
                ASSERT_LT(st.books[team][e].count, 7);
            }
        }
        ASSERT_GE(st.botdelay, 1);
        ASSERT_LE(st.botdelay, kMaxBotDelay);
        for (int k = 1; k <= 9; ++k) checkMirror(k);
    }

    // A logged-in table shows what the host holds: its own hand, the books, the scores and
    // (for a seat) whose turn it is, also when it joined in the middle of a game.
    void checkMirror(int slot) {
        const PeerTable* peer = tables_[static_cast<std::size_t>(slot)].get();
        const HostState& st = s();
        if (peer == nullptr || !server_.loggedIn(slot)) return;
        const table::TableState& view = peer->state;
        ASSERT_EQ(view.myseat(), slot);
        SCOPED_TRACE("the table of slot " + std::to_string(slot) +
                     ", which last received:" + peer->history());
        // The roster: every person logged in, by name, and each spectator listed once.
        std::vector<std::string> spectators;
        for (int k = 1; k <= 9; ++k) {
            if (!server_.loggedIn(k)) continue;
            const std::string& name = st.players[static_cast<std::size_t>(k)].name;
            if (k <= kSeats) {
                ASSERT_EQ(peer->session.seat(k).caption, name) << "seat " << k;
            } else {
                spectators.push_back(std::to_string(k) + ": " + name);
            }
        }
        std::vector<std::string> listed = peer->session.spectators();
        std::sort(listed.begin(), listed.end());
        ASSERT_EQ(listed, spectators);
        if (!st.gamestarted) return;
        ++tally_->mirrorsChecked;
        if (slot <= kSeats && !(slot >= 3 && (st.botswatch || peer->botsHand))) {
            std::map<int, int> held, shown;
            for (int pos = 0; pos < kHandSlots; ++pos)
                if (const int code =
                        st.players[static_cast<std::size_t>(slot)].hand[static_cast<std::size_t>(pos)])
                    held[pos] = code;
            for (const auto& [pos, image] : view.cards()) shown[pos] = image.code;
            ASSERT_EQ(shown, held);
        }
        for (int team = 1; team <= 2; ++team) {
            std::map<int, int> working, shownWorking;
            for (int e = 1; e <= kBookSlots; ++e)
                if (st.books[team][e].count > 0) working[e] = st.books[team][e].count;
            for (const auto& [entry, book] : view.workingBooks(team)) shownWorking[entry] = book.count;
            ASSERT_EQ(shownWorking, working) << "working books of team " << team;
            ASSERT_EQ(view.completedBooks(team).size(), static_cast<std::size_t>(st.completedcount[team]));
        }
        for (int seat = 1; seat <= kSeats; ++seat)
            ASSERT_EQ(view.seatRow(seat).footVisible, !st.players[static_cast<std::size_t>(seat)].usefoot)
                << "seat " << seat;
        if (peer->sawDeal) {
            ASSERT_EQ(std::max(view.discardPicture(), 0), st.discardtop) << "the discard pile";
        }
        for (int seat = 1; seat <= kSeats; ++seat)
            ASSERT_EQ(view.seatRow(seat).score,
                      std::to_string(st.players[static_cast<std::size_t>(seat)].score))
                << "seat " << seat;
        // After its own discard a table shows no turn until the host has answered.
        const bool discardPending = view.whoseturn() == 0 && server_.queuedLines() > 0;
        if (slot <= kSeats && !st.roundover && !discardPending) {
            ASSERT_EQ(view.whoseturn(), st.turnseat);
        }
    }

    // ------------------------------------------------------------ connections
    void connect() {
        const bool loopback = mode_ == HostMode::Headless ? chance(50) : chance(20);
        int slot = 0;
        hostCall([&] {
            slot = server_.accept(loopback);
            // A slot handed out again is free in the host's eyes; the old connection goes.
            if (slot >= 1 && slot <= 9) {
                ASSERT_FALSE(transport_.live[static_cast<std::size_t>(slot)])
                    << "slot " << slot << " given twice";
                transport_.live[static_cast<std::size_t>(slot)] = true;
                tables_[static_cast<std::size_t>(slot)] = std::make_unique<PeerTable>();
                honest_[static_cast<std::size_t>(slot)] = chance(40);
            } else {
                ASSERT_EQ(slot, kRefused);
                ++tally_->refused;
                ASSERT_EQ(s().connectioncount, 9);
                transport_.live[kRefused] = true;
            }
            server_.accepted(slot);
            if (slot == kRefused) {
                EXPECT_FALSE(transport_.live[kRefused]) << "the refused one stays open";
            }
        });
        if (mode_ == HostMode::Desktop && slot == 1) {
            EXPECT_TRUE(loopback) << "slot 1 to a remote peer";
        }
    }

    void leave() {
        const int slot = liveSlot();
        if (slot == 0) return;
        transport_.live[static_cast<std::size_t>(slot)] = false;
        hostCall([&] { server_.connectionClosed(slot); });
        if (chance(20)) hostCall([&] { server_.connectionClosed(slot); });  // an error after the close
    }

    int liveSlot() {
        std::vector<int> slots;
        for (int k = 1; k <= 9; ++k)
            if (transport_.live[static_cast<std::size_t>(k)]) slots.push_back(k);
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
            if (kind <= 55) {
                bytes += validRequest(slot) + kEnd;
            } else if (kind <= 85) {
                bytes += mutated(validRequest(slot));
            } else if (kind <= 97) {
                bytes += randomBytes();
            } else if (kind <= 98) {
                // A line that never ends (unless a later message ends it: then it is only long).
                bytes += std::string(LineBuffer::kMaxPending + 10, 'z');
                flood = flood || m == messages - 1;
            } else {
                // A flood of lines, more than the host lets one connection queue.
                for (int n = 0; n < 600; ++n) bytes += "CMD_chat+" + std::to_string(slot) + "+x|clRed" + kEnd;
                flood = true;
            }
        }
        // The socket may deliver the bytes in pieces.
        std::size_t at = 0;
        while (at < bytes.size() && transport_.live[static_cast<std::size_t>(slot)]) {
            const std::size_t size = chance(70) ? bytes.size() - at : static_cast<std::size_t>(pick(1, 64));
            const std::string_view piece = std::string_view(bytes).substr(at, size);
            hostCall([&] { server_.receive(slot, piece); });
            at += size;
        }
        if (flood) {
            ++tally_->floods;
            EXPECT_FALSE(transport_.live[static_cast<std::size_t>(slot)])
                << "a flooding peer stays connected";
        }
    }

    // A person at a real table: clicks that make sense now and then, and whatever the table
    // sends (its login too) goes to the host.
    void honestPeerPlays(int slot) {
        PeerTable& peer = *tables_[static_cast<std::size_t>(slot)];
        table::TableState& t = peer.state;
        const bool mine = t.whoseturn() == t.myseat() && t.myseat() >= 1 && t.myseat() <= kSeats;
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
        PeerTable& peer = *tables_[static_cast<std::size_t>(slot)];
        std::string bytes;
        for (const std::string& line : std::exchange(peer.outgoing, {})) {
            ++tally_->honestRequests;
            if (line.starts_with("CMD_createbook+")) ++tally_->honestBooks;
            bytes += line + kEnd;
        }
        if (!bytes.empty()) hostCall([&] { server_.receive(slot, bytes); });
    }

    void sendLine(int slot, const std::string& line) {
        hostCall([&] { server_.receive(slot, line + kEnd); });
    }

    std::string letter() {
        static const char* const kLetters[] = {"f", "h", "t", "x", ""};
        return kLetters[pick(0, 4)];
    }

    int seatFor(int slot) { return (slot <= kSeats && chance(75)) ? slot : pick(1, 4); }

    // Positions of the seat's hand that hold a card, or any position now and then.
    int handPos(int seat) {
        std::vector<int> held;
        for (int pos = 0; pos < kHandSlots; ++pos)
            if (s().players[seat].hand[pos] != 0) held.push_back(pos);
        if (held.empty() || chance(10)) return pick(0, 20);
        return held[static_cast<std::size_t>(pick(0, static_cast<int>(held.size()) - 1))];
    }

    // Three positions that may make a book: same rank, or a pair and a wild.
    std::array<int, 3> bookPositions(int seat) {
        const auto& hand = s().players[seat].hand;
        for (int a = 0; a < kHandSlots; ++a) {
            if (hand[a] == 0 || hand[a] % 13 == 2 || hand[a] % 13 == 3) continue;
            std::vector<int> match;
            for (int b = 0; b < kHandSlots; ++b)
                if (b != a && hand[b] != 0 &&
                    (hand[b] % 13 == hand[a] % 13 || (match.size() == 1 && hand[b] % 13 == 2)))
                    match.push_back(b);
            if (match.size() >= 2 && chance(70)) return {a, match[0], match[1]};
        }
        return {handPos(seat), handPos(seat), handPos(seat)};
    }

    int workingEntry(int seat) {
        const int team = teamOf(seat);
        for (int e = 1; e <= kBookSlots; ++e)
            if (s().books[team][e].count > 0 && chance(50)) return e;
        return pick(1, 13);
    }

    std::string validRequest(int slot) {
        namespace to = wire::tohost;
        const int seat = seatFor(slot);
        const bool ownTurn = s().gamestarted && s().turnseat == seat;
        // Moves of the seat that has the turn are the interesting ones; other requests less so.
        int what = pick(0, 99);
        if (ownTurn && chance(60)) what = pick(60, 99);
        if (what < 10) {
            if (!server_.loggedIn(slot) && chance(60)) {
                return to::logininfo(slot, chance(90) ? "1.0.3" : "0.9", "P" + std::to_string(slot) + kEnd);
            }
            const int named = chance(70) ? slot : pick(1, 10);
            return to::logininfo(named, "1.0.3", std::string("Name\x01\x7F+x") + kEnd);
        }
        if (what < 20) return to::chat(slot, "hello+there|clRed");
        if (what < 24) return to::action(slot, "waves|clNavy");
        if (what < 28) return to::kickhim(chance(80) ? slot : pick(1, 9), pick(1, 9));
        if (what < 32)
            return to::botspeed(chance(80) ? slot : pick(1, 9), chance(80) ? pick(1, 20) : pick(-5, 70000));
        if (what < 36) return to::startgame("P" + std::to_string(slot), letter());
        if (what < 40) return to::settourney(chance(30), chance(50) ? "5" : "3");
        if (what < 55) return to::justwatch(seatFor(slot), pick(1, 2));
        ++tally_->personMoves;
        if (what < 70) return to::drawing(seat, pick(1, 2));
        if (what < 80) {
            const auto pos = bookPositions(seat);
            return to::createbook(seat, pos[0], pos[1], pos[2]);
        }
        if (what < 88) return to::addtobook(seat, handPos(seat), workingEntry(seat));
        if (what < 92) return to::addtocomp(seat, handPos(seat), pick(1, 13));
        return to::discard(seat, handPos(seat));
    }

    std::string weirdNumber() {
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
        return kNumbers[pick(0, static_cast<int>(std::size(kNumbers)) - 1)];
    }

    // A request with one field broken, still or no longer terminated.
    std::string mutated(std::string line) {
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t plus = line.find('+', start);
            fields.push_back(
                line.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
            if (plus == std::string::npos) break;
            start = plus + 1;
        }
        const auto at = [&] {
            return static_cast<std::size_t>(pick(0, static_cast<int>(fields.size()) - 1));
        };
        bool terminated = true;
        switch (pick(0, 9)) {
            case 0: fields[at()] = weirdNumber(); break;
            case 1:
                if (fields.size() > 1)
                    fields.erase(fields.begin() +
                                 static_cast<std::ptrdiff_t>(std::max<std::size_t>(1, at())));
                break;
            case 2: fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(at()), ""); break;
            case 3: fields[at()] = chance(50) ? "x" : "1a"; break;
            case 4: fields[at()] += kEnd; break;
            case 5:
                fields[at()] +=
                    std::string(static_cast<std::size_t>(pick(4000, 9000)), chance(50) ? '7' : 'w');
                break;
            case 6: terminated = false; break;
            case 7:
                fields.push_back(weirdNumber());
                fields.push_back("");
                break;
            case 8: fields[0] = chance(50) ? "cmd_chat" : "CMD_" + fields[0]; break;
            case 9: fields.resize(1); break;
        }
        std::string out;
        for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "+" : "") + fields[i];
        if (chance(10)) out.insert(static_cast<std::size_t>(pick(0, static_cast<int>(out.size()))), 1, kEnd);
        return terminated ? out + kEnd : out;
    }

    std::string randomBytes() {
        std::string out(static_cast<std::size_t>(pick(1, 60)), '\0');
        for (char& c : out) c = static_cast<char>(pick(0, 255));
        if (chance(50)) out += kEnd;
        return out;
    }

    // ------------------------------------------------------------ the computer finishes the game
    void finishByComputer() {
        for (int k = 1; k <= 9; ++k) {
            if (!transport_.live[static_cast<std::size_t>(k)]) continue;
            transport_.live[static_cast<std::size_t>(k)] = false;
            hostCall([&] { server_.connectionClosed(k); });
        }
        ASSERT_FALSE(::testing::Test::HasFailure());
        // The hosting player comes back (over loopback, as the own table does) and watches.
        int slot = 0;
        hostCall([&] {
            slot = server_.accept(true);
            ASSERT_EQ(slot, 1);
            transport_.live[1] = true;
            tables_[1] = std::make_unique<PeerTable>();
            honest_[1] = false;
            server_.accepted(slot);
        });
        ASSERT_EQ(slot, 1);
        sendLine(1, wire::tohost::logininfo(1, "1.0.3", std::string("Host") + kEnd));
        drain();
        ASSERT_TRUE(server_.loggedIn(1));
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
        while (server_.queuedLines() > 0) hostCall([&] { server_.drainTick(); });
    }

    template <typename Done>
    void runUntil(Done&& done) {
        drain();
        for (int tick = 0; tick < 200000 && !done(); ++tick) {
            ASSERT_TRUE(server_.pacingTimerEnabled()) << "the game waits for nobody: turn " << s().turnseat;
            hostCall([&] { server_.pacingTick(); });
            checkInvariants();
            if (::testing::Test::HasFailure()) return;
        }
        ASSERT_TRUE(done()) << "no end in sight";
    }

    std::mt19937 rng_;
    HostMode mode_;
    FuzzTransport transport_;
    TServer server_;
    std::array<std::unique_ptr<PeerTable>, 10> tables_;
    std::array<bool, 10> honest_{};  // the slot's peer sends only what its table asks
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
}  // namespace quintrel
