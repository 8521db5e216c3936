#pragma once
// The Expert computer player. It sees what its seat's person would see: its own hand, whether
// feet are taken up, every seat's card count, both teams' books, the discard pile's top and the
// card it covers (the previous discard, seen when it was laid), and the scores. It plays
// through the engine's request handlers like a table does, so it passes the same checks.
// It draws no random numbers: the same game gives the same moves.
//
// What it does otherwise than the standard player, each kept because the simulator showed it
// wins games: it draws from the shoe unless the top card completes a book or makes three of a
// rank; it opens a pair with a wild card only while another wild card stays for the next pair;
// it lays every natural its team's books take; it discards threes first, never a card that
// completes an opponents' book while it has another, and otherwise the card least likely to
// make a book; and it lays its wild cards when the hand can be emptied or the opponents may
// go out before its next turn.

namespace quintrel {

class Engine;

namespace expert {

// The turn's draw; the engine goes on with play() after it.
void draw(Engine& engine, int seat);
// The melds and the discard that end the turn.
void play(Engine& engine, int seat);

}  // namespace expert
}  // namespace quintrel
