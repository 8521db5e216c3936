#include "chat/spy_list.h"

#include <gtest/gtest.h>

namespace quintrel::chat {
namespace {

TEST(SpyList, TheEntryUnderThePointerNamesItsSlot) {
    const std::vector<std::string> entries = {"5: Sam", "7: Ann: the second", "x: Bob", ": Eve",
                                              "99999999999: Z"};
    EXPECT_EQ(spyEntrySlot(entries, 0), 5);
    EXPECT_EQ(spyEntrySlot(entries, 1), 7);  // the first ":" ends the number
    for (int nothing : {2, 3, 4, -1, 5, 1000})
        EXPECT_EQ(spyEntrySlot(entries, nothing), std::nullopt) << nothing;
    EXPECT_EQ(spyEntrySlot({}, 0), std::nullopt);
}

}  // namespace
}  // namespace quintrel::chat
