#include "engine/expert_player.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "engine/engine.h"
#include "engine/scoring.h"
#include "net/wire.h"

namespace quintrel::expert {
namespace {

constexpr int kRanks = 13;
constexpr int kWildRank = 2;

// What the seat knows at one moment, by rank. Rebuilt after every request it makes.
struct View {
    int team = 0;
    int opponents = 0;
    std::array<int, kRanks> naturals{};  // natural cards in hand per rank
    int wilds = 0;
    int threes = 0;
    std::array<int, kRanks> ownWorking{};    // entry of the team's fullest working book, 0 none
    std::array<int, kRanks> ownCompleted{};  // entry of a completed book, 0 none
    std::array<int, kRanks> theirWorking{};  // count of the opponents' fullest working book
    int ownWildWorking = 0;                  // fullest Wild working book, 0 none
    int ownFullest = 0;                      // fullest working book of any kind, 0 none
    int ownWildCompleted = 0;                // a Wild completed book, 0 none
    int workingInUse = 0;
    bool endNear = false;              // the opponents may go out on their next turn
    std::array<int, kRanks> unseen{};  // copies of the rank neither in this hand nor in a book (a
                                       // Wild book's count is taken as half naturals)
};

View look(const HostState& s, int seat) {
    View v;
    v.team = teamOf(seat);
    v.opponents = v.team == 1 ? 2 : 1;
    const tplayer& p = s.players[seat];
    {
        const int left = seat % kSeats + 1;
        const int right = partnerOf(left);
        const auto held = [&](int who) {
            int n = 0;
            for (int card : s.players[who].hand) n += card != kNoCard;
            return n;
        };
        v.endNear =
            s.players[left].usefoot && s.players[right].usefoot && std::min(held(left), held(right)) <= 1;
    }
    for (int card : p.hand) {
        if (card == kNoCard) continue;
        if (isWild(card)) {
            ++v.wilds;
        } else if (isThree(card)) {
            ++v.threes;
        } else {
            ++v.naturals[rankOf(card)];
        }
    }
    const TeamBooks& own = s.books[v.team];
    for (int e = 1; e <= kBookSlots; ++e) {
        const BookEntry& b = own[e];
        if (b.count <= 0) continue;
        ++v.workingInUse;
        const int r = rankOf(b.card);
        if (v.ownWorking[r] == 0 || own[v.ownWorking[r]].count < b.count) v.ownWorking[r] = e;
        if (b.kind == BookKind::Wild && (v.ownWildWorking == 0 || own[v.ownWildWorking].count < b.count))
            v.ownWildWorking = e;
        if (v.ownFullest == 0 || own[v.ownFullest].count < b.count) v.ownFullest = e;
    }
    for (int n = 1; n <= s.completedcount[v.team]; ++n) {
        const BookEntry& b = s.completedbooks[v.team][n];
        if (b.count <= 0) continue;
        if (v.ownCompleted[rankOf(b.card)] == 0) v.ownCompleted[rankOf(b.card)] = n;
        if (b.kind == BookKind::Wild && v.ownWildCompleted == 0) v.ownWildCompleted = n;
    }
    for (int e = 1; e <= kBookSlots; ++e) {
        const BookEntry& b = s.books[v.opponents][e];
        if (b.count > 0 && b.count > v.theirWorking[rankOf(b.card)]) v.theirWorking[rankOf(b.card)] = b.count;
    }
    for (int r = 0; r < kRanks; ++r) v.unseen[r] = (r == 1 ? 15 : 20) - v.naturals[r];
    for (int team = 1; team <= kTeams; ++team) {
        for (int e = 1; e <= kBookSlots; ++e) {
            const BookEntry& b = s.books[team][e];
            if (b.count > 0) v.unseen[rankOf(b.card)] -= b.kind == BookKind::Normal ? b.count : b.count / 2;
        }
        for (int n = 1; n <= s.completedcount[team]; ++n) {
            const BookEntry& b = s.completedbooks[team][n];
            v.unseen[rankOf(b.card)] -= b.kind == BookKind::Normal ? b.count : b.count / 2;
        }
    }
    return v;
}

bool myTurn(const HostState& s, int seat) { return s.gamestarted && !s.roundover && s.turnseat == seat; }

int handCount(const HostState& s, int seat) {
    int n = 0;
    for (int card : s.players[seat].hand) n += card != kNoCard;
    return n;
}

bool hasFreeDrawSlot(const HostState& s, int seat) {
    for (int slot = 0; slot <= kLastDrawSlot; ++slot) {
        if (s.players[seat].hand[slot] == kNoCard) return true;
    }
    return false;
}

// Cards that stay in hand whatever is laid: threes and naturals of ranks without a book and
// fewer than three in hand (a pair counts as layable when a wild card can open it).
int strandedCards(const View& v) {
    int stranded = v.threes;
    int wildsLeft = v.wilds;
    for (int r = 0; r < kRanks; ++r) {
        const int k = v.naturals[r];
        if (k == 0 || v.ownWorking[r] != 0 || v.ownCompleted[r] != 0 || k >= 3) continue;
        if (k == 2 && wildsLeft > 0) {
            --wildsLeft;
            continue;
        }
        stranded += k;
    }
    // Wild cards need a working or Wild completed book to go to.
    if (wildsLeft > 0 && v.workingInUse == 0 && v.ownWildCompleted == 0) stranded += wildsLeft;
    return stranded;
}

class Turn {
public:
    Turn(Engine& engine, int seat) : engine_(engine), s_(engine.state()), seat_(seat) {}

    void play() {
        for (int guard = 0; guard < 4 * kHandSlots && myTurn(s_, seat_); ++guard) {
            if (!meldOnce()) break;
        }
        if (myTurn(s_, seat_) && handCount(s_, seat_) > 0) discardOne();
    }

private:
    const std::array<int, kHandSlots>& hand() const { return s_.players[seat_].hand; }

    // One request; true when the hand changed (the host took it).
    template <typename Request>
    bool ask(const Request& request, int slot) {
        const int before = handCount(s_, seat_);
        const bool wasFoot = s_.players[seat_].usefoot;
        if constexpr (std::is_same_v<Request, wire::parse::CreateBook>) {
            engine_.createbook(request);
        } else if constexpr (std::is_same_v<Request, wire::parse::AddToBookRequest>) {
            engine_.addtobook(request);
        } else {
            engine_.addtocomp(request);
        }
        const bool tookFoot = s_.players[seat_].usefoot != wasFoot;
        const bool taken = handCount(s_, seat_) != before || tookFoot || !myTurn(s_, seat_);
        if (tookFoot) refused_.fill(false);  // the slots hold the foot's cards now
        if (!taken) refused_[slot] = true;
        return taken;
    }

    int slotOf(int rank, int skip1 = -1, int skip2 = -1) const {
        for (int slot = 0; slot < kHandSlots; ++slot) {
            const int c = hand()[slot];
            if (slot == skip1 || slot == skip2 || refused_[slot]) continue;
            if (c != kNoCard && !isThree(c) && rankOf(c) == rank) return slot;
        }
        return -1;
    }

    bool addTo(int slot, int entry) { return ask(wire::parse::AddToBookRequest{seat_, slot, entry}, slot); }
    bool addToCompleted(int slot, int n) { return ask(wire::parse::AddToCompRequest{seat_, slot, n}, slot); }

    // The most useful meld now, made; false when nothing more is worth laying.
    bool meldOnce() {
        const View v = look(s_, seat_);
        // Wild cards are kept to open pairs, unless the hand can be emptied or the
        // opponents may go out before our next turn (a wild left in hand costs 50).
        const bool dump = strandedCards(v) <= 1 || v.endNear;

        // Naturals onto the team's working books: points now, and closer to a bonus.
        for (int r = 0; r < kRanks; ++r) {
            if (r == kWildRank || r == 3 || v.naturals[r] == 0 || v.ownWorking[r] == 0) continue;
            const int slot = slotOf(r);
            if (slot >= 0 && addTo(slot, v.ownWorking[r])) return true;
        }
        // A new Normal book from three naturals, the fullest rank first; also of a completed
        // rank, which may then earn its bonus a second time.
        if (v.workingInUse < kNewBookSlots) {
            int best = -1;
            for (int r = 0; r < kRanks; ++r) {
                if (r == kWildRank || r == 3 || v.ownWorking[r] != 0 || v.naturals[r] < 3) continue;
                if (best < 0 || v.naturals[r] > v.naturals[best]) best = r;
            }
            if (best >= 0) {
                const int a = slotOf(best);
                const int b = slotOf(best, a);
                const int c = slotOf(best, a, b);
                if (a >= 0 && b >= 0 && c >= 0 && ask(wire::parse::CreateBook{seat_, {a, b, c}}, a))
                    return true;
            }
        }
        // A pair and a wild card open a rank, so that later cards of it can be laid: worth a
        // Wild book's smaller bonus, while a second wild card stays for the next pair.
        if (v.wilds >= (dump ? 1 : 2) && v.workingInUse < kNewBookSlots) {
            for (int r = 0; r < kRanks; ++r) {
                if (r == kWildRank || r == 3 || v.ownWorking[r] != 0 || v.naturals[r] != 2) continue;
                const int w = slotOf(kWildRank);
                const int a = slotOf(r);
                const int b = slotOf(r, a);
                if (w >= 0 && a >= 0 && b >= 0 && ask(wire::parse::CreateBook{seat_, {w, a, b}}, w))
                    return true;
            }
        }
        // Naturals of a completed rank: points, and a card fewer to carry.
        for (int r = 0; r < kRanks; ++r) {
            if (r == kWildRank || r == 3 || v.naturals[r] == 0 || v.ownCompleted[r] == 0 ||
                v.ownWorking[r] != 0)
                continue;
            const int slot = slotOf(r);
            if (slot >= 0 && addToCompleted(slot, v.ownCompleted[r])) return true;
        }
        if (v.wilds == 0 || !dump) return false;
        const int w = slotOf(kWildRank);
        if (w < 0) return false;
        // A Wild book loses no bonus by another wild card; a Normal one does, so last.
        if (v.ownWildWorking != 0 && addTo(w, v.ownWildWorking)) return true;
        if (v.ownFullest != 0 && addTo(w, v.ownFullest)) return true;
        if (v.ownWildCompleted != 0 && addToCompleted(w, v.ownWildCompleted)) return true;
        return false;
    }

    // What a card costs to throw away; the cheapest goes.
    static int discardCost(int card, const View& v) {
        if (isThree(card)) return -100000;  // never laid, dearest at the end, and nobody takes it
        if (isWild(card)) return 100000;
        const int r = rankOf(card);
        int cost = 0;
        // A card that completes the opponents' book is worth 500 to them. Feeding their
        // smaller books did not lose games: a taker gets one card instead of two.
        if (v.theirWorking[r] == kBookComplete - 1) cost += 5000;
        // Pairs, and ranks with many copies still unseen, are the next books.
        cost += 150 * (v.naturals[r] - 1) + 5 * std::max(0, v.unseen[r]);
        // The dearer card first: it costs more if the round ends.
        cost += penaltyValue(card);
        return cost;
    }

    void discardOne() {
        const View v = look(s_, seat_);
        int best = -1;
        int bestCost = 0;
        for (int slot = 0; slot < kHandSlots; ++slot) {
            const int card = hand()[slot];
            if (card == kNoCard) continue;
            const int cost = discardCost(card, v);
            if (best < 0 || cost < bestCost) {
                best = slot;
                bestCost = cost;
            }
        }
        if (best >= 0) engine_.discard(wire::parse::DiscardRequest{seat_, best});
    }

    Engine& engine_;
    const HostState& s_;
    int seat_;
    std::array<bool, kHandSlots> refused_{};
};

}  // namespace

void draw(Engine& engine, int seat) {
    const HostState& s = engine.state();
    if (!myTurn(s, seat)) return;
    const int top = s.discardtop;
    bool take = false;
    // Two cards from the shoe are worth more than one known card, unless that card completes
    // a book (a bonus now) or makes three of a rank (a Normal book now).
    if (isNatural(top) && !isThree(top) && hasFreeDrawSlot(s, seat)) {
        const View v = look(s, seat);
        const int r = rankOf(top);
        const int working = v.ownWorking[r];
        take = working != 0 ? s.books[v.team][working].count == kBookComplete - 1 : v.naturals[r] >= 2;
    }
    engine.drawing(wire::parse::Drawing{seat, take ? 2 : 1});
}

void play(Engine& engine, int seat) {
    if (!myTurn(engine.state(), seat)) return;
    Turn(engine, seat).play();
}

}  // namespace quintrel::expert

namespace quintrel {

void Engine::setBotLevel(int seat, BotLevel level) {
    if (isSeat(seat)) botLevels_[seat] = level;
}

BotLevel Engine::botLevel(int seat) const { return isSeat(seat) ? botLevels_[seat] : BotLevel::Standard; }

void Engine::botDraw(int seat) {
    if (botLevel(seat) == BotLevel::Expert)
        expert::draw(*this, seat);
    else
        computerdraw(seat);
}

void Engine::botPlay(int seat) {
    if (botLevel(seat) == BotLevel::Expert)
        expert::play(*this, seat);
    else
        computerplay(seat);
}

}  // namespace quintrel
