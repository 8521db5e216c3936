// Random and half-valid byte streams through the framing, the queues, the dispatch tables
// and every parser of both sides: nothing may crash and every accepted value is in range.

#include "net/dispatch.h"
#include "net/framing.h"
#include "net/wire.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <string>
#include <utility>

namespace quintrel {
namespace {

using namespace wire;

constexpr int kChunks = 100000;

bool in(int v, int lo, int hi) { return v >= lo && v <= hi; }

int acceptedMessages = 0;

// Called only for a message a parser accepted. A function, not the macro, so that it can
// stand unbraced after an if.
void expectTrue(bool condition) {
    ++acceptedMessages;
    EXPECT_TRUE(condition);
}

class Stream {
public:
    explicit Stream(unsigned seed) : rng_(seed) {}

    // The next chunk of bytes as a socket might deliver it.
    std::string chunk() {
        while (pending_.size() < 256) pending_ += piece();
        if (pending_.size() > 4096) {
            // Long pieces go out whole now and then, so that lines past the cut are taken.
            if (pick(0, 1) == 0) return std::exchange(pending_, {});
        }
        std::size_t size = pick(0, 6) == 0 ? pick(0, 255) : pick(0, 40);
        std::string out = pending_.substr(0, size);
        pending_.erase(0, size);
        return out;
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::string piece() {
        switch (pick(0, 9)) {
            case 0: return pick(0, 500) == 0 ? longChat() : randomBytes();
            case 1: return std::string(1, kTerminator);
            default: return halfValidMessage() + kTerminator;
        }
    }

    std::string randomBytes() {
        std::string out(static_cast<std::size_t>(pick(1, 30)), '\0');
        for (char& c : out) c = static_cast<char>(pick(0, 255));
        return out;
    }

    std::string longChat() {
        return "CMD_chat+1+" + std::string(static_cast<std::size_t>(pick(4000, 6000)), 'w') + kTerminator;
    }

    std::string field() {
        switch (pick(0, 7)) {
            case 0: return "";
            case 1: return std::to_string(pick(-2000000000, 2000000000));
            case 2: return pick(0, 1) ? "true" : "false";
            case 3: return "Al Bo|clRed";
            case 4: return std::string(static_cast<std::size_t>(pick(1, 12)), '9');
            default: return std::to_string(pick(-2, 60));
        }
    }

    std::string halfValidMessage() {
        static const std::string kNames[] = {"CMD_logininfo",
                                             "CMD_kickhim",
                                             "CMD_botspeed",
                                             "CMD_chat",
                                             "CMD_action",
                                             "CMD_startgame",
                                             "CMD_justwatch",
                                             "CMD_createbook",
                                             "CMD_addtobook",
                                             "CMD_discard",
                                             "CMD_addtocomp",
                                             "CMD_drawing",
                                             "CMD_settourney",
                                             "CMD_sendlogininfo",
                                             "CMD_newplayerinfo",
                                             "CMD_existingplayers",
                                             "CMD_playerdisconnected",
                                             "CMD_nextplayer",
                                             "CMD_winner",
                                             "CMD_full",
                                             "CMD_newcard",
                                             "CMD_nobook",
                                             "CMD_nobookmatch",
                                             "CMD_newbook",
                                             "CMD_postscores",
                                             "CMD_complete",
                                             "CMD_usefoot",
                                             "CMD_freecard",
                                             "CMD_justwatching",
                                             "CMD_loadbooks",
                                             "CMD_loadcomp",
                                             "CMD_startround",
                                             "CMD_rwinner",
                                             "CMD_nobots",
                                             "CMD_bogus"};
        std::string out = kNames[pick(0, std::size(kNames) - 1)];
        int fields = pick(0, 14);
        for (int i = 0; i < fields; ++i) out += "+" + field();
        if (pick(0, 2) == 0) out += "+";
        return out;
    }

    std::mt19937 rng_;
    std::string pending_;
};

void checkHostLine(std::string_view line) {
    auto routed = routeHostLine(line);
    if (!routed) return;
    std::string_view rest = routed->rest;
    switch (routed->command) {
        case HostCommand::CMD_logininfo:
            if (auto m = parse::logininfo(rest)) {
                expectTrue(in(m->slot, 1, 9));
                expectTrue(m->version.find('+') == std::string::npos);
            }
            break;
        case HostCommand::CMD_kickhim:
            if (auto m = parse::kickhim(rest)) expectTrue(in(m->sender, 1, 9) && in(m->target, 1, 9));
            break;
        case HostCommand::CMD_botspeed:
            if (auto m = parse::botspeed(rest)) expectTrue(in(m->sender, 1, 9) && in(m->ms, 1, 60000));
            break;
        case HostCommand::CMD_chat:
        case HostCommand::CMD_action:
            if (auto m = parse::chatRequest(rest)) expectTrue(in(m->slot, 1, 9));
            break;
        case HostCommand::CMD_startgame:
            if (auto m = parse::startgameRequest(rest)) expectTrue(m->letter.find('+') == std::string::npos);
            break;
        case HostCommand::CMD_settourney:
            if (auto m = parse::settourney(rest)) expectTrue(m->digit.find('+') == std::string::npos);
            break;
        case HostCommand::CMD_justwatch:
            if (auto m = parse::justwatch(rest)) expectTrue(in(m->seat, 1, 4) && in(m->code, 1, 2));
            break;
        case HostCommand::CMD_drawing:
            if (auto m = parse::drawing(rest)) expectTrue(in(m->seat, 1, 4) && in(m->source, 1, 2));
            break;
        case HostCommand::CMD_discard:
            if (auto m = parse::discardRequest(rest)) expectTrue(in(m->seat, 1, 4) && in(m->pos, 0, 20));
            break;
        case HostCommand::CMD_createbook:
            if (auto m = parse::createbook(rest)) {
                expectTrue(in(m->seat, 1, 4));
                for (int p : m->pos) expectTrue(in(p, 0, 20));
            }
            break;
        case HostCommand::CMD_addtobook:
            if (auto m = parse::addtobookRequest(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->pos, 0, 20) && in(m->bookslot, 1, 13));
            break;
        case HostCommand::CMD_addtocomp:
            if (auto m = parse::addtocompRequest(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->pos, 0, 20) && in(m->compslot, 1, 13));
            break;
    }
}

void checkClientLine(std::string_view line) {
    auto routed = routeClientLine(line);
    if (!routed) return;
    std::string_view rest = routed->rest;
    using C = ClientCommand;
    switch (routed->command) {
        case C::CMD_sendlogininfo:
            if (auto m = parse::sendlogininfo(rest)) expectTrue(in(*m, 1, 10));
            break;
        case C::CMD_newplayerinfo:
        case C::CMD_existingplayers:
        case C::CMD_playerdisconnected:
            if (auto m = parse::slotName(rest)) expectTrue(in(m->slot, 1, 9));
            break;
        case C::CMD_startgame:
            if (auto m = parse::startgame(rest)) expectTrue(m->letter.find('+') == std::string::npos);
            break;
        case C::CMD_nobots:
            if (auto m = parse::nobots(rest)) expectTrue(m->find('+') == std::string::npos);
            break;
        case C::CMD_discard:
            if (auto m = parse::discard(rest)) expectTrue(in(*m, 0, 54));
            break;
        case C::CMD_newcard:
            if (auto m = parse::newcard(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->pos, 0, 20) && in(m->card, 0, 54));
            break;
        case C::CMD_freecard:
            if (auto m = parse::freecard(rest)) expectTrue(in(*m, 0, 20));
            break;
        case C::CMD_nobookmatch:
            if (auto m = parse::nobookmatch(rest)) expectTrue(in(*m, 0, 20));
            break;
        case C::CMD_usefoot:
            if (auto m = parse::usefoot(rest)) expectTrue(in(*m, 1, 4));
            break;
        case C::CMD_nextplayer:
            if (auto m = parse::nextplayer(rest))
                expectTrue(in(m->previousSeat, 0, 4) && in(m->cardsLeft, 0, 21) && in(m->nextSeat, 1, 4));
            break;
        case C::CMD_newbook:
            if (auto m = parse::newbook(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->team, 1, 2) && in(m->bookslot, 1, 13) &&
                           in(m->card, 0, 54) && in(m->kind, 1, 2));
            break;
        case C::CMD_addtobook:
            if (auto m = parse::addtobook(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->team, 1, 2) && in(m->pos, 0, 20) &&
                           in(m->bookslot, 1, 13) && in(m->count, 1, 7) && in(m->card, 0, 54) &&
                           in(m->kind, 1, 2));
            break;
        case C::CMD_complete:
            if (auto m = parse::complete(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->team, 1, 2) && in(m->bookslot, 1, 13) &&
                           in(m->compslot, 1, 13) && in(m->card, 0, 54) && in(m->kind, 1, 2));
            break;
        case C::CMD_addtocomp:
            if (auto m = parse::addtocomp(rest))
                expectTrue(in(m->seat, 1, 4) && in(m->kind, 1, 2) && in(m->card, 0, 54));
            break;
        case C::CMD_loadbooks:
            if (auto m = parse::loadbooks(rest)) {
                expectTrue(in(m->team, 1, 2));
                for (const auto& b : m->books)
                    expectTrue(in(b.bookslot, 1, 13) && in(b.card, 0, 54) && in(b.kind, 1, 2) &&
                               in(b.count, 1, 7));
            }
            break;
        case C::CMD_loadcomp:
            if (auto m = parse::loadcomp(rest)) {
                expectTrue(in(m->team, 1, 2));
                for (const auto& b : m->books)
                    expectTrue(in(b.compslot, 1, 13) && in(b.card, 0, 54) && in(b.kind, 1, 2));
            }
            break;
        case C::CMD_postscores:
            if (auto m = parse::postscores(rest)) expectTrue(in(m->seat, 1, 4) && in(m->partner, 1, 4));
            break;
        case C::CMD_rwinner:
            if (auto m = parse::rwinner(rest)) expectTrue(in(*m, 0, 2));
            break;
        case C::CMD_winner:
            if (auto m = parse::winner(rest)) expectTrue(in(m->team, 0, 2));
            break;
        case C::CMD_justwatching:
            if (auto m = parse::justwatching(rest)) expectTrue(in(m->seat, 1, 4) && in(m->code, 1, 2));
            break;
        default:  // messages without fields, and chat lines that go to the chat panel as they are
            break;
    }
}

// The longest line a handler is given, as the protocol states it.
constexpr std::size_t kLineCut = 4096;

void checkTakenLine(std::string_view line) {
    ASSERT_LE(line.size(), kLineCut);
    ASSERT_EQ(line.find(kTerminator), std::string_view::npos);
    SCOPED_TRACE(std::string(line));
    checkHostLine(line);
    checkClientLine(line);
}

std::string cutLine(std::string line) {
    if (line.size() > kLineCut) line.resize(kLineCut);
    return line;
}

// The framing written out independently of the buffer under test: everything before a
// terminator is one line, the rest waits for the next read.
struct Splitter {
    std::string held;
    std::vector<std::string> feed(const std::string& bytes) {
        held += bytes;
        std::vector<std::string> lines;
        for (std::size_t end; (end = held.find(kTerminator)) != std::string::npos; held.erase(0, end + 1))
            lines.push_back(held.substr(0, end));
        return lines;
    }
};

TEST(RandomInput, TableStreamLosesNoLineAndParsesSafely) {
    Stream stream(20261208u);
    TableInbox inbox;
    Splitter model;
    std::deque<std::string> expected;  // lines still to be taken, cut as a handler sees them
    std::size_t taken = 0;
    acceptedMessages = 0;
    auto take = [&] {
        const std::string line = inbox.take();
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(line, expected.front());
        expected.pop_front();
        ++taken;
        checkTakenLine(line);
    };
    for (int i = 0; i < kChunks; ++i) {
        const std::string bytes = stream.chunk();
        ASSERT_TRUE(inbox.receive(bytes));
        for (std::string& line : model.feed(bytes)) expected.push_back(cutLine(std::move(line)));
        ASSERT_EQ(inbox.size(), expected.size());
        if (stream.pick(0, 1) == 0 && !inbox.empty()) take();
        // A table drains steadily; only a flood fills its queue, and that is refused.
        while (inbox.size() > 10000) take();
    }
    while (!inbox.empty()) take();
    EXPECT_TRUE(expected.empty());
    EXPECT_GT(taken, 50000u);
    EXPECT_GT(acceptedMessages, 1000);  // the stream really reached the parsers' success paths
}

TEST(RandomInput, HostStreamsKeepPerSlotOrderAndParseSafely) {
    Stream stream(7772u);
    HostInbox inbox;
    std::map<int, Splitter> models;
    std::map<int, std::deque<std::string>> expected;  // per slot, lines still to be taken
    int floods = 0;
    acceptedMessages = 0;
    for (int i = 0; i < kChunks; ++i) {
        int slot = stream.pick(1, 10);
        std::string bytes = stream.chunk();
        if (stream.pick(0, 20000) == 0) {
            bytes.append(64 * 1024 + 1, 'x');  // a peer that never ends its line
            ++floods;
        }
        auto lines = models[slot].feed(bytes);
        bool ok = inbox.receive(slot, bytes);
        for (std::string& line : lines) {
            if (expected[slot].size() == 500) break;  // what one connection may have waiting
            expected[slot].push_back(cutLine(std::move(line)));
        }
        if (!ok) {
            // The owner closes the connection; a later one in the slot starts clean.
            inbox.disconnect(slot);
            models.erase(slot);
            expected.erase(slot);
            ASSERT_EQ(inbox.pending(slot), 0u);
        }
        int takes = stream.pick(0, 2);
        for (int t = 0; t < takes; ++t) {
            HostLine taken = inbox.take();
            if (taken.slot == 0) {
                ASSERT_TRUE(inbox.empty());
                continue;
            }
            ASSERT_TRUE(in(taken.slot, 1, 10));
            ASSERT_FALSE(expected[taken.slot].empty());
            ASSERT_EQ(taken.line, expected[taken.slot].front());
            expected[taken.slot].pop_front();
            checkTakenLine(taken.line);
        }
    }
    EXPECT_GT(floods, 0);
    EXPECT_GT(acceptedMessages, 1000);
}

}  // namespace
}  // namespace quintrel
