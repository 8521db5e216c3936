// Melds: new working books, adding to working and completed books, completion.

#include "engine/engine.h"
#include "engine/scoring.h"
#include "net/wire.h"

namespace quintrel {

namespace out = wire::toclient;
using wire::Line;

void Engine::createbook(const wire::parse::CreateBook& request) {
    const int seat = request.seat;
    const int first = request.pos[0];
    const int second = request.pos[1];
    const int third = request.pos[2];
    if (!mayMeld(seat) || !isHandSlot(first) || !isHandSlot(second) || !isHandSlot(third)) return;
    const Hand& hand = state_.players[seat].hand;
    const int cards[3] = {hand[first], hand[second], hand[third]};
    if (cards[0] == kNoCard || cards[1] == kNoCard || cards[2] == kNoCard) return;
    // One card named twice would count as two or three cards.
    if (first == second || first == third || second == third) {
        sendToOne(seat, out::nobook<Line>);
        return;
    }
    int wilds = 0;
    for (int card : cards) {
        if (isThree(card)) {
            sendToOne(seat, out::nothree<Line>);
            return;
        }
        if (isWild(card)) ++wilds;
    }
    if (wilds == 3) {
        sendToOne(seat, out::notwo<Line>);
        return;
    }
    int natural[3];
    int naturals = 0;
    for (int card : cards) {
        if (!isWild(card)) natural[naturals++] = card;
    }
    const bool sameRank =
        naturals == 3 ? rankOf(natural[0]) == rankOf(natural[1]) && rankOf(natural[1]) == rankOf(natural[2])
                      : naturals == 2 && rankOf(natural[0]) == rankOf(natural[1]);
    if (!sameRank) {
        sendToOne(seat, out::nobook<Line>);
        return;
    }
    const int team = teamOf(seat);
    int entry = 0;
    for (int e = 1; e <= kNewBookSlots; ++e) {
        if (state_.books[team][e].count == 0) {
            entry = e;
            break;
        }
    }
    if (entry == 0) {
        sendToOne(seat, out::toomany<Line>);
        return;
    }
    for (int slot : {first, second, third}) {
        setHandCard(seat, slot, kNoCard);
        sendToOne(seat, out::freecard<Line>, slot);
    }
    BookEntry& book = state_.books[team][entry];
    book.count = 3;
    book.kind = wilds > 0 ? BookKind::Wild : BookKind::Normal;
    book.card = natural[0];
    bookChanged(team, entry);
    sendToAll(out::newbook<Line>(seat, team, entry, book.card, kindCode(book.kind)));
    for (int card : cards) addscore(seat, card);
    checkforfoot(seat, false);
}

void Engine::addtobook(const wire::parse::AddToBookRequest& request) {
    const int seat = request.seat;
    const int slot = request.pos;
    const int entry = request.bookslot;
    if (!mayMeld(seat) || !isHandSlot(slot) || !isBookSlot(entry)) return;
    const Hand& hand = state_.players[seat].hand;
    const int card = hand[slot];
    if (card == kNoCard) return;
    const int team = teamOf(seat);
    BookEntry& book = state_.books[team][entry];
    const bool fits =
        book.count > 0 && (isWild(card) || (!isThree(card) && rankOf(card) == rankOf(book.card)));
    // A team holds at most 13 completed books a round; a card that would complete a
    // fourteenth is refused like one that does not fit.
    const bool roomToComplete = book.count + 1 < kBookComplete || state_.completedcount[team] < kBookSlots;
    if (!fits || !roomToComplete) {
        sendToOne(seat, out::nobookmatch<Line>, slot);
        return;
    }
    if (isWild(card)) book.kind = BookKind::Wild;
    ++book.count;
    sendToAll(out::addtobook<Line>(seat, team, slot, entry, book.count, card, kindCode(book.kind)));
    addscore(seat, card);
    setHandCard(seat, slot, kNoCard);
    sendToOne(seat, out::freecard<Line>, slot);
    if (book.count == kBookComplete) createcomplete(seat, entry, book.card);
    bookChanged(team, entry);
    checkforfoot(seat, false);
}

void Engine::createcomplete(int seat, int entry, int card) {
    const int team = teamOf(seat);
    BookEntry& book = state_.books[team][entry];
    const int n = ++state_.completedcount[team];
    state_.completedbooks[team][n] = BookEntry{book.count, card, book.kind};
    const int bonus = book.kind == BookKind::Normal ? kNormalBookBonus : kWildBookBonus;
    book.count = 0;
    sendToAll(out::complete<Line>(seat, team, entry, n, card, kindCode(book.kind)));
    addPoints(seat, bonus);
}

void Engine::addtocomp(const wire::parse::AddToCompRequest& request) {
    const int seat = request.seat;
    const int slot = request.pos;
    const int entry = request.compslot;
    if (!mayMeld(seat) || !isHandSlot(slot) || !isBookSlot(entry)) return;
    const Hand& hand = state_.players[seat].hand;
    const int card = hand[slot];
    if (card == kNoCard) return;
    const int team = teamOf(seat);
    BookEntry& book = state_.completedbooks[team][entry];
    const bool exists = entry <= state_.completedcount[team] && book.count > 0;
    const bool fits = exists && (isWild(card) ? book.kind == BookKind::Wild
                                              : !isThree(card) && rankOf(card) == rankOf(book.card));
    if (!fits) {
        sendToOne(seat, out::nobookmatch<Line>, slot);
        return;
    }
    ++book.count;
    addscore(seat, card);
    setHandCard(seat, slot, kNoCard);
    sendToOne(seat, out::freecard<Line>, slot);
    sendToAll(out::addtocomp<Line>(seat, kindCode(book.kind), book.card));
    checkforfoot(seat, false);
}

}  // namespace quintrel
