#include "net/framing.h"

#include <gtest/gtest.h>

#include <string>

namespace quintrel {
namespace {

const std::string kEnd(1, '\xFF');
// The limits peers rely on, stated here rather than read back from the header under test.
constexpr std::size_t kLineCut = 4096;
constexpr std::size_t kPendingBytes = 64 * 1024;
constexpr std::size_t kTableLines = 20000;
constexpr std::size_t kSlotLines = 500;

TEST(LineBuffer, TwoMessagesInOneReadBecomeTwoLinesInOrder) {
    LineBuffer buffer;
    auto result = buffer.append("CMD_chat+1+hi+there|clRed" + kEnd + "CMD_discard+1+4" + kEnd);
    EXPECT_FALSE(result.overflow);
    ASSERT_EQ(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[0], "CMD_chat+1+hi+there|clRed");
    EXPECT_EQ(result.lines[1], "CMD_discard+1+4");
    EXPECT_EQ(buffer.pending(), 0u);
}

TEST(LineBuffer, MessageSplitOverReadsIsQueuedOnceWhenItsTerminatorArrives) {
    LineBuffer buffer;
    EXPECT_TRUE(buffer.append("CMD_new").lines.empty());
    EXPECT_TRUE(buffer.append("card+1+").lines.empty());
    EXPECT_EQ(buffer.pending(), 14u);
    auto result = buffer.append("3+17" + kEnd + "CMD_fr");
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0], "CMD_newcard+1+3+17");
    EXPECT_EQ(buffer.pending(), 6u);
    // A terminator alone completes the held-back text.
    result = buffer.append(kEnd);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0], "CMD_fr");
}

TEST(LineBuffer, EmptyMessagesAreEmptyLines) {
    LineBuffer buffer;
    // The login name carries its own terminator, so an empty message follows it.
    auto result = buffer.append("CMD_logininfo+1+1.0.3+Bob" + kEnd + kEnd + kEnd);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0], "CMD_logininfo+1+1.0.3+Bob");
    EXPECT_EQ(result.lines[1], "");
    EXPECT_EQ(result.lines[2], "");
}

TEST(LineBuffer, UnterminatedRemainderIsCappedAndOverflowSticks) {
    LineBuffer buffer;
    EXPECT_FALSE(buffer.append(std::string(kPendingBytes - 1, 'a')).overflow);
    EXPECT_FALSE(buffer.append("b").overflow);  // exactly at the cap is still fine
    EXPECT_EQ(buffer.pending(), kPendingBytes);

    auto result = buffer.append("c");
    EXPECT_TRUE(result.overflow);
    EXPECT_TRUE(buffer.overflowed());
    EXPECT_EQ(buffer.pending(), 0u);
    // Nothing more is accepted from that stream, not even a complete line.
    result = buffer.append("CMD_chat+1+x" + kEnd);
    EXPECT_TRUE(result.overflow);
    EXPECT_TRUE(result.lines.empty());

    buffer.clear();
    EXPECT_FALSE(buffer.overflowed());
    EXPECT_EQ(buffer.append("ok" + kEnd).lines.size(), 1u);
}

TEST(LineBuffer, LinesBeforeAnOverflowingTailAreStillDelivered) {
    LineBuffer buffer;
    auto result = buffer.append("one" + kEnd + std::string(kPendingBytes + 1, 'x'));
    EXPECT_TRUE(result.overflow);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0], "one");
}

TEST(ReceiveQueue, TakesInOrderCutsLongLinesAndGivesEmptyWhenDrained) {
    ReceiveQueue queue;
    EXPECT_EQ(queue.take(), "");
    queue.push("first");
    queue.push(std::string(kLineCut, 'a'));
    queue.push(std::string(kLineCut + 1, 'b'));
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.take(), "first");
    EXPECT_EQ(queue.take(), std::string(kLineCut, 'a'));
    EXPECT_EQ(queue.take(), std::string(kLineCut, 'b'));
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(queue.take(), "");
}

TEST(TableInbox, QueuesLinesAcrossReadsAndReportsOverflow) {
    TableInbox inbox;
    EXPECT_TRUE(inbox.receive("CMD_full"));
    EXPECT_TRUE(inbox.receive("+" + kEnd + "CMD_startround+" + kEnd));
    EXPECT_EQ(inbox.take(), "CMD_full+");
    EXPECT_EQ(inbox.take(), "CMD_startround+");
    EXPECT_EQ(inbox.take(), "");
    EXPECT_FALSE(inbox.receive(std::string(kPendingBytes + 1, 'z')));
}

TEST(TableInbox, RefusesAFloodOfLinesBeyondItsCap) {
    TableInbox inbox;
    std::string burst;
    for (std::size_t i = 0; i < kTableLines; ++i) burst += "CMD_startround+" + kEnd;
    EXPECT_TRUE(inbox.receive(burst));
    EXPECT_EQ(inbox.size(), kTableLines);
    EXPECT_FALSE(inbox.receive("CMD_startround+" + kEnd));
    EXPECT_EQ(inbox.size(), kTableLines);
    inbox.take();
    EXPECT_TRUE(inbox.receive("CMD_startround+" + kEnd));
}

TEST(HostReceiveQueue, ServesConnectionsInTurnKeepingEachOnesOrder) {
    HostReceiveQueue queue;
    for (int i = 0; i < 4; ++i) queue.push(1, "a" + std::to_string(i));
    queue.push(3, "c0");
    queue.push(2, "b0");
    queue.push(2, "b1");
    std::vector<std::string> order;
    std::vector<int> slots;
    while (!queue.empty()) {
        HostLine line = queue.take();
        order.push_back(line.line);
        slots.push_back(line.slot);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"a0", "b0", "c0", "a1", "b1", "a2", "a3"}));
    EXPECT_EQ(slots, (std::vector<int>{1, 2, 3, 1, 2, 1, 1}));
    HostLine none = queue.take();
    EXPECT_EQ(none.slot, 0);
    EXPECT_EQ(none.line, "");
}

TEST(HostReceiveQueue, AFloodingSlotDoesNotDelayAQuietOne) {
    HostReceiveQueue queue;
    for (int i = 0; i < 100; ++i) queue.push(2, "flood");
    queue.take();  // slot 2 served
    queue.push(1, "quiet");
    // Slot 1 comes round as soon as the turn wraps, not after the hundred lines of slot 2.
    EXPECT_EQ(queue.take().slot, 1);
    EXPECT_EQ(queue.take().slot, 2);
}

TEST(HostReceiveQueue, CapsLinesWaitingPerSlotAndDropsASlot) {
    HostReceiveQueue queue;
    for (std::size_t i = 0; i < kSlotLines; ++i) ASSERT_TRUE(queue.push(4, "x"));
    EXPECT_FALSE(queue.push(4, "one too many"));
    EXPECT_EQ(queue.pending(4), kSlotLines);
    EXPECT_TRUE(queue.push(5, std::string(kLineCut + 10, 'y')));
    EXPECT_FALSE(queue.push(0, "no slot"));

    queue.dropSlot(4);
    EXPECT_EQ(queue.pending(4), 0u);
    EXPECT_EQ(queue.size(), 1u);
    HostLine line = queue.take();
    EXPECT_EQ(line.slot, 5);
    EXPECT_EQ(line.line.size(), kLineCut);
    EXPECT_TRUE(queue.empty());
}

TEST(HostInbox, KeepsEachConnectionsPartialLineApart) {
    HostInbox inbox;
    EXPECT_TRUE(inbox.receive(1, "CMD_chat+1+he"));
    EXPECT_TRUE(inbox.receive(2, "CMD_chat+2+yo" + kEnd));
    EXPECT_TRUE(inbox.receive(1, "llo" + kEnd));
    HostLine first = inbox.take();
    HostLine second = inbox.take();
    EXPECT_EQ(first.slot, 1);
    EXPECT_EQ(first.line, "CMD_chat+1+hello");
    EXPECT_EQ(second.slot, 2);
    EXPECT_EQ(second.line, "CMD_chat+2+yo");
}

TEST(HostInbox, ANewConnectionInASlotStartsClean) {
    HostInbox inbox;
    EXPECT_TRUE(inbox.receive(3, "CMD_chat+3+queued" + kEnd + "CMD_cha"));
    inbox.disconnect(3);
    EXPECT_TRUE(inbox.empty());
    EXPECT_TRUE(inbox.receive(3, "CMD_drawing+3+1" + kEnd));
    EXPECT_EQ(inbox.take().line, "CMD_drawing+3+1");
}

TEST(HostInbox, ReportsAPeerThatOverflowsItsBufferOrItsQueue) {
    HostInbox inbox;
    EXPECT_FALSE(inbox.receive(6, std::string(kPendingBytes + 1, 'n')));
    EXPECT_TRUE(inbox.receive(7, "fine" + kEnd));

    std::string burst;
    for (std::size_t i = 0; i <= kSlotLines; ++i) burst += "CMD_chat+8+x" + kEnd;
    EXPECT_FALSE(inbox.receive(8, burst));
    EXPECT_EQ(inbox.pending(8), kSlotLines);
    EXPECT_EQ(inbox.pending(7), 1u);
}

}  // namespace
}  // namespace quintrel
