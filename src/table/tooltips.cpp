#include "table/tooltips.h"

#include <array>
#include <utility>

#include "table/book_layout.h"

namespace quintrel::table {

namespace {

constexpr const char* kSquare =
    "Lay a selected card here; three cards of one rank make a new book. Click a card here to take it back.";
constexpr const char* kPile = "The discard pile: click it to discard your selected card and end your turn.";

constexpr std::array<std::pair<std::string_view, const char*>, 15> kTips = {{
    {"button_pickup", "Take the top card of the discard pile."},
    {"button_draw", "Draw two cards from the shoe."},
    {"button_create", "Make a new book of the three cards on the squares."},
    {"button_clearbook", "Take the cards on the squares back into your hand."},
    {"acard_place1", kSquare},
    {"acard_place2", kSquare},
    {"acard_place3", kSquare},
    {"image_discard", kPile},
    {"Image4", kPile},
    {"full", "Rounds until a team has 10000 points."},
    {"half", "Rounds until a team has 5000 points."},
    {"round", "One round only."},
    {"checkbox_bots",
     "Only seats 1 and 2 play, one against the other; the computer players of seats 3 and 4 just watch."},
    {"checkbox_5000", "With Bots Just Watch: rounds until a player has 5000 points."},
    {"checkbox_3000", "With Bots Just Watch: rounds until a player has 3000 points."},
}};

}  // namespace

std::string controlTip(std::string_view objectName) {
    for (const auto& [name, tip] : kTips)
        if (name == objectName) return tip;
    return {};
}

std::string bookTip(const WorkingBook& book) {
    const int more = kBookComplete - book.count;
    std::string tip = kindWord(book.kind) + " book of " + bookname(book.code) + ": " +
                      std::to_string(book.count) + " cards";
    if (more > 0) tip += ", " + std::to_string(more) + " more to complete";
    return tip + ".";
}

std::string bookTip(const CompletedBook& book) {
    return "Completed " + kindWord(book.kind) + " book of " + bookname(book.code) + ".";
}

}  // namespace quintrel::table
