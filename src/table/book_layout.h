#pragma once
// Where a book image sits on its team's board and how its picture is layered.

#include <string>

#include "table/table_types.h"

namespace quintrel::table {

// Rank word of a book: "Kings", "Ones", "Fours" ... "Queens"; empty for Twos, Threes and
// negative codes (there are no books of those).
std::string bookname(int code);

// "Normal" for kind 1, "Wild" otherwise.
std::string kindWord(int kind);

// Working book of `count` cards: 31 + 5 x count wide, one coloured edge per card under the
// face (count is bounded to 1..7; a seventh card has no sixth edge to draw).
WorkingBook makeWorkingBook(int team, int slot, int code, int kind, int count);

// Completed books stand in columns of eight: slot 9 beside slot 1, 44 pixels to the right.
// A team rarely completes more than 16 books in a round; slots past 16 are stacked on the
// place of slot 16 (newest on top) rather than drawn off the board.
CompletedBook makeCompletedBook(int team, int slot, int code, int kind);

}  // namespace quintrel::table
