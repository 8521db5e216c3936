#include <gtest/gtest.h>

#include "table/book_layout.h"

namespace quintrel::table {
namespace {

TEST(BookLayout, RankWordsFollowCodeModThirteen) {
    EXPECT_EQ(bookname(13), "Kings");
    EXPECT_EQ(bookname(14), "Ones");    // Ace of clubs
    EXPECT_EQ(bookname(20), "Sevens");  // Seven of diamonds
    EXPECT_EQ(bookname(51), "Queens");
    EXPECT_EQ(bookname(2), "");
    EXPECT_EQ(bookname(54), "");  // joker
    EXPECT_EQ(bookname(3), "");
    EXPECT_EQ(bookname(-4), "");
}

TEST(BookLayout, WorkingBookOfFourIsFiftyOneWideWithThreeUnderCards) {
    const WorkingBook b = makeWorkingBook(1, 3, 9, 1, 4);
    EXPECT_EQ(b.name(), "book13");
    EXPECT_EQ(b.width, 51);
    EXPECT_EQ(b.height, 48);
    EXPECT_EQ(b.left, 109);
    EXPECT_EQ(b.top, 51 * 3 - 11);
    ASSERT_EQ(b.layers.size(), 4u);
    EXPECT_EQ(b.layers[0], (PictureLayer{PictureList::Blank, 0, 0, 0}));
    EXPECT_EQ(b.layers[1], (PictureLayer{PictureList::Blank, 1, 5, 0}));
    EXPECT_EQ(b.layers[2], (PictureLayer{PictureList::Blank, 2, 10, 0}));
    EXPECT_EQ(b.layers[3], (PictureLayer{PictureList::NormalTop, 9, 15, 0}));
}

TEST(BookLayout, SevenCardBookDrawsOnlyFiveEdgesAndCountIsBounded) {
    const WorkingBook seven = makeWorkingBook(2, 1, 13, 2, 7);
    EXPECT_EQ(seven.left, 13);
    EXPECT_EQ(seven.width, 66);
    ASSERT_EQ(seven.layers.size(), 6u);  // five edges and the face
    EXPECT_EQ(seven.layers.back(), (PictureLayer{PictureList::WildTop, 0, 30, 0}));

    EXPECT_EQ(makeWorkingBook(1, 1, 9, 1, 100000).width, 66);
    const WorkingBook negative = makeWorkingBook(1, 1, 9, 1, -5);
    EXPECT_EQ(negative.width, 36);
    EXPECT_EQ(negative.layers.size(), 1u);
}

TEST(BookLayout, CompletedBooksStandInTwoColumnsOfEight) {
    const CompletedBook one = makeCompletedBook(1, 1, 9, 1);
    const CompletedBook nine = makeCompletedBook(1, 9, 9, 1);
    EXPECT_EQ(one.name(), "comp11");
    EXPECT_EQ(one.left, 13);
    EXPECT_EQ(one.top, 42);
    EXPECT_EQ(nine.left, one.left + 44);
    EXPECT_EQ(nine.top, one.top);
    const CompletedBook two = makeCompletedBook(2, 2, 9, 1);
    const CompletedBook ten = makeCompletedBook(2, 10, 9, 2);
    EXPECT_EQ(ten.name(), "comp210");
    EXPECT_EQ(two.left, 90);
    EXPECT_EQ(ten.left, 134);
    EXPECT_EQ(ten.top, two.top);
    EXPECT_EQ(ten.top, 51 * 10 - 417);
    EXPECT_EQ(ten.face.list, PictureList::WildTop);
    EXPECT_EQ(makeCompletedBook(1, 8, 9, 1).top, 51 * 8 - 9);
}

TEST(BookLayout, CompletedSlotsPastSixteenStayOnTheBoard) {
    const CompletedBook sixteen = makeCompletedBook(2, 16, 9, 1);
    const CompletedBook twenty = makeCompletedBook(2, 20, 9, 1);
    EXPECT_EQ(twenty.left, sixteen.left);
    EXPECT_EQ(twenty.top, sixteen.top);
    EXPECT_EQ(twenty.name(), "comp220");
}

}  // namespace
}  // namespace quintrel::table
