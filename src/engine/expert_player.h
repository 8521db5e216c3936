#pragma once
// The Expert computer player. It sees what its seat's person would see: its own hand, whether
// feet are taken up, every seat's card count, both teams' books, the discard pile's top and the
// card it covers (the previous discard, seen when it was laid), and the scores. It plays
// through the engine's request handlers like a table does, so it passes the same checks.
// It draws no random numbers: the same game gives the same moves.
//
// What it does better than the standard player, each kept because the simulator showed it
// wins games: it takes a discard that its team can meld or that turns a pair into a book;
// it never feeds the opponents a card of their books while it has another choice; it lays
// every card its books can take and, once the hand can be emptied, lays its wild cards too
// so that the foot comes up and the team goes out sooner.

namespace quintrel {

class Engine;

namespace expert {

// The turn's draw; the engine goes on with play() after it.
void draw(Engine& engine, int seat);
// The melds and the discard that end the turn.
void play(Engine& engine, int seat);

// Knobs the simulator can turn while the strategy is tuned; the defaults are the player.
struct Tuning {
    bool takeForWorkingBook = true;   // take a discard that fits a working book of the team
    bool takeForCompletedBook = true; // ... or a completed one
    bool takeForPair = true;          // ... or makes three of a rank with two in hand
    bool wildBookFromPair = true;     // open a Wild book with a pair and a wild card
    int wildBookMinWilds = 2;         // ... only while holding at least this many wild cards
    bool wildsToWildBooks = true;     // lay wild cards on Wild working books
    bool holdPairForNewBook = true;   // keep a pair of a completed rank for a new book
    bool dumpOnFoot = true;           // on the foot, lay everything that fits
    int dangerWorking = 1000;         // discard cost of a card the opponents' working book takes
    int dangerCompleted = 300;        // ... their completed book
    int pairKeep = 150;               // ... of breaking a pair
    int dangerSix = 5000;             // ... of completing their book
    bool completeWildWithWild = true;
    int takeWildWith = 99;            // take a wild top card while holding this many wild cards
    int penaltyWeight = 1;            // discard the dearer card first
    int takeSingleSingles = 99;       // take a top card matching a single when singles exceed this
    int remainingWeight = 0;          // keep cards of ranks with more copies still unseen
    int goOutTake = 0;                // take a layable top card that lets the hand empty: 1 partner out, 2 always
    int endNearCards = -1;            // lay everything once both opponents play their feet and one holds at most this many
};
Tuning& tuning();
// "name=0|1|n,..." over the knobs above; false on an unknown name.
bool tune(const char* text);

}  // namespace expert
}  // namespace quintrel
