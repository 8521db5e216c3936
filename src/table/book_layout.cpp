#include "table/book_layout.h"

#include <algorithm>
#include <array>

namespace quintrel::table {

std::string bookname(int code) {
    static constexpr std::array<const char*, 13> kWords = {"Kings", "Ones",  "",       "",       "Fours",
                                                           "Fives", "Sixes", "Sevens", "Eights", "Nines",
                                                           "Tens",  "Jacks", "Queens"};
    if (code < 0) return {};
    return kWords[static_cast<std::size_t>(code % 13)];
}

std::string kindWord(int kind) { return kind == kindCode(BookKind::Normal) ? "Normal" : "Wild"; }

namespace {

PictureLayer faceLayer(int code, int kind, int x) {
    return {kind == kindCode(BookKind::Wild) ? PictureList::WildTop : PictureList::NormalTop,
            ((code % 13) + 13) % 13, x, 0};
}

}  // namespace

WorkingBook makeWorkingBook(int team, int slot, int code, int kind, int count) {
    WorkingBook book;
    book.team = team;
    book.slot = slot;
    book.code = code;
    book.kind = kind;
    book.count = std::clamp(count, 1, kBookComplete);
    book.left = team == 1 ? 109 : 13;
    book.top = 51 * slot - 11;
    book.width = 31 + 5 * book.count;
    book.height = 48;
    for (int c = 1; c <= book.count - 1 && c - 1 < kBlankImages; ++c)
        book.layers.push_back({PictureList::Blank, c - 1, 5 * (c - 1), 0});
    book.layers.push_back(faceLayer(code, kind, 5 * (book.count - 1)));
    return book;
}

CompletedBook makeCompletedBook(int team, int slot, int code, int kind) {
    CompletedBook book;
    book.team = team;
    book.slot = slot;
    book.code = code;
    book.kind = kind;
    const int placed = std::min(slot, 16);
    const int column = (placed - 1) / 8;
    const int row = (placed - 1) % 8 + 1;
    book.left = (team == 1 ? 13 : 90) + 44 * column;
    book.top = 51 * row - 9;
    book.face = faceLayer(code, kind, 0);
    return book;
}

}  // namespace quintrel::table
