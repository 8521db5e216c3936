#pragma once
// The tooltips of the table and the start dialog: what a control does, and what a book holds,
// for a player who is new to the game.

#include <string>
#include <string_view>

#include "table/table_types.h"

namespace quintrel::table {

// The tooltip of the control with this object name; empty for a control without one.
std::string controlTip(std::string_view objectName);

// "Normal book of Sevens: 4 cards, 3 more to complete."
std::string bookTip(const WorkingBook& book);
// "Completed Wild book of Kings."
std::string bookTip(const CompletedBook& book);

}  // namespace quintrel::table
