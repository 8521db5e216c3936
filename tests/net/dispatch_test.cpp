#include "net/dispatch.h"

#include "net/framing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quintrel {
namespace {

TEST(SplitCommand, CommandIsTextBeforeFirstPlusAndRestKeepsFurtherPluses) {
    SplitLine split = splitCommand("CMD_chat+1+a+b|clRed");
    EXPECT_EQ(split.command, "CMD_chat");
    EXPECT_EQ(split.rest, "1+a+b|clRed");

    split = splitCommand("CMD_full+");
    EXPECT_EQ(split.command, "CMD_full");
    EXPECT_EQ(split.rest, "");

    split = splitCommand("+orphan");
    EXPECT_EQ(split.command, "");
    EXPECT_EQ(split.rest, "orphan");
}

TEST(SplitCommand, LineWithoutPlusOrEmptyGivesEmptyCommand) {
    EXPECT_EQ(splitCommand("CMD_startround").command, "");
    EXPECT_EQ(splitCommand("").command, "");
    EXPECT_FALSE(routeHostLine("CMD_startround"));
    EXPECT_FALSE(routeClientLine("CMD_startround"));
    EXPECT_FALSE(routeHostLine(""));
    EXPECT_FALSE(routeClientLine(""));
    EXPECT_FALSE(routeClientLine("+1+2"));
}

TEST(Dispatch, JustwatchingNeverReachesJustwatch) {
    // The host knows only the shorter command, the table only the longer one.
    EXPECT_FALSE(routeHostLine("CMD_justwatching+2+1"));
    EXPECT_FALSE(routeClientLine("CMD_justwatch+2+1"));
    auto host = routeHostLine("CMD_justwatch+2+1");
    ASSERT_TRUE(host);
    EXPECT_EQ(host->command, HostCommand::CMD_justwatch);
    auto client = routeClientLine("CMD_justwatching+2+1");
    ASSERT_TRUE(client);
    EXPECT_EQ(client->command, ClientCommand::CMD_justwatching);
    EXPECT_EQ(client->rest, "2+1");
}

TEST(Dispatch, MatchingIsWholeTokenAndCaseSensitive) {
    for (const char* line : {"cmd_chat+1+x", "CMD_CHAT+1+x", "CMD_cha+1+x", "CMD_chats+1+x", " CMD_chat+1+x",
                             "CMD_chat +1+x", "CMD_nobo+", "CMD_nobotsx+", "CMD_unknown+1"}) {
        EXPECT_FALSE(routeHostLine(line)) << line;
        EXPECT_FALSE(routeClientLine(line)) << line;
    }
    // Commands of the other side's table are unknown here.
    EXPECT_FALSE(routeHostLine("CMD_newcard+1+2+3"));
    EXPECT_FALSE(routeHostLine("CMD_sendlogininfo+1"));
    EXPECT_FALSE(routeClientLine("CMD_logininfo+1+1.0.3+Bob"));
    EXPECT_FALSE(routeClientLine("CMD_createbook+1+2+3+4"));
    EXPECT_FALSE(routeClientLine("CMD_settourney+true+5+"));
}

TEST(Dispatch, EveryTableEntryLooksUpUnderItsOwnName) {
    std::set<std::string_view> hostNames;
    for (int i = 0; i <= static_cast<int>(HostCommand::CMD_settourney); ++i) {
        auto command = static_cast<HostCommand>(i);
        std::string_view name = commandName(command);
        ASSERT_TRUE(name.starts_with("CMD_"));
        EXPECT_EQ(hostCommand(name), command) << name;
        hostNames.insert(name);
    }
    EXPECT_EQ(hostNames.size(), 13u);

    std::set<std::string_view> clientNames;
    for (int i = 0; i <= static_cast<int>(ClientCommand::CMD_nobots); ++i) {
        auto command = static_cast<ClientCommand>(i);
        std::string_view name = commandName(command);
        ASSERT_TRUE(name.starts_with("CMD_"));
        EXPECT_EQ(clientCommand(name), command) << name;
        clientNames.insert(name);
    }
    EXPECT_EQ(clientNames.size(), 33u);
    EXPECT_EQ(commandName(HostCommand::CMD_logininfo), "CMD_logininfo");
    EXPECT_EQ(commandName(ClientCommand::CMD_rwinner), "CMD_rwinner");
}

TEST(Dispatch, ChatAndDiscardInOneReadDispatchOnConsecutiveTicks) {
    const std::string end(1, '\xFF');
    HostInbox inbox;
    ASSERT_TRUE(inbox.receive(2, "CMD_chat+2+gg + wp|clBlue" + end + "CMD_discard+2+7" + end));

    HostLine tick1 = inbox.take();
    auto chat = routeHostLine(tick1.line);
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->command, HostCommand::CMD_chat);
    EXPECT_EQ(chat->rest, "2+gg + wp|clBlue");

    HostLine tick2 = inbox.take();
    auto discard = routeHostLine(tick2.line);
    ASSERT_TRUE(discard);
    EXPECT_EQ(discard->command, HostCommand::CMD_discard);
    EXPECT_EQ(discard->rest, "2+7");

    EXPECT_EQ(inbox.take().line, "");
}

}  // namespace
}  // namespace quintrel
