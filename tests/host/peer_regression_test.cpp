// Faults the randomized host tests found, each kept as the case that showed it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fixture.h"
#include "table.h"

namespace quintrel::test {
namespace {

class HostLogFromPeers : public HostTest {};

// Found by the randomized host test: the version a peer claims went into the log as it came,
// so one login could write thousands of bytes, line breaks and terminal controls into it.
TEST_F(HostLogFromPeers, AForeignVersionIsLoggedAsOneShortPrintableLine) {
    seatPeople({"Host"});
    const int ann = connect();
    log.clear();
    login(ann, "Ann", "9.9\nfake: game started\x1B[2J" + std::string(1000, 'v'));
    ASSERT_FALSE(log.empty());
    for (const std::string& line : log) {
        EXPECT_LE(line.size(), 120u);
        EXPECT_EQ(line.find_first_of("\n\x1B"), std::string::npos) << line;
    }
    // The hosting player is still told.
    EXPECT_EQ(outbox.to(1).back(), "CMD_havewrongversion+Ann");
}

// Found by the randomized host test: a table that connected while a spectator logged in
// heard the announcement and then the introduction of the same spectator, and listed it twice.
class RosterFromPeers : public HostTest {};

TEST_F(RosterFromPeers, ASpectatorAnnouncedBeforeTheLoginIsListedOnce) {
    seatPeople({"Host", "Ann", "Bob", "Cid"});
    const int early = connect();  // slot 5: its table waits for the login to reach the host
    const int sam = connect();    // slot 6
    login(sam, "Sam");
    login(early, "Eve");

    kit::Table table(0);
    for (const std::string& line : outbox.to(early)) table.session.dispatch(line);
    EXPECT_EQ(table.session.spectators(), (std::vector<std::string>{"5: Eve", "6: Sam"}));
}

}  // namespace
}  // namespace quintrel::test
