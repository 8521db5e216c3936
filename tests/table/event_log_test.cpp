// The game's events as the chat log tells them: from the host's lines alone, as each table
// receives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "network.h"
#include "table.h"
#include "table/event_log.h"

namespace quintrel::table {
namespace {

// The log of a table whose session hears `lines`: the quiet lines only.
std::vector<std::string> told(const std::vector<std::string>& lines, bool enabled = true) {
    kit::RecordingEvents events;
    SessionRoster roster;  // seats 2 to 4 keep the computer players' names
    EventLog log{events, roster};
    ClientSession session{events, log};
    roster.attach(session);
    log.setEnabled(enabled);
    for (const std::string& line : lines) session.dispatch(line);
    std::vector<std::string> quiet;
    for (const kit::ChatLine& line : events.chat)
        if (line.colour == kColourQuiet) quiet.push_back(line.text);
    return quiet;
}

TEST(EventLog, TellsDrawsPickUpsBooksAndTheRoundsPoints) {
    const std::vector<std::string> round = {
        "CMD_sendlogininfo+1", "CMD_newplayerinfo+1+You", "CMD_startgame+You+t", "CMD_nextplayer+0+0+1",
        // You draw (the host says nothing), make a book and discard.
        "CMD_postscores+30+30+1+3", "CMD_newbook+1+1+1+9+1", "CMD_discard+54", "CMD_nextplayer+1+8+2",
        // Klot takes the Joker: the pile changes, and another play of the turn follows.
        "CMD_discard+0", "CMD_addtobook+2+2+11+2+7+54+2", "CMD_postscores+50+50+2+4",
        "CMD_complete+2+2+2+1+22+2", "CMD_discard+31", "CMD_nextplayer+2+10+3",
        // Klick draws and goes out with the discard; the bonus has no message of its own.
        "CMD_discard+12", "CMD_postscores+210+-20+1+3", "CMD_postscores+-10+-60+2+4",
        "CMD_postscores+200+-10+3+1", "CMD_postscores+-40+-30+4+2", "CMD_rwinner+1+"};
    EXPECT_EQ(told(round),
              (std::vector<std::string>{"You drew two cards.", "You created a Normal Nines book.",
                                        "Klot picked up a Joker.", "Klot completed a Wild Nines book.",
                                        "Klick drew two cards.", "Klick went out.",
                                        "Green Team: +200 this round (going out +200, cards left -30).",
                                        "Blue Team: -40 this round (cards left -90)."}));
    EXPECT_TRUE(told(round, false).empty());  // Options: off
    // A late joiner's catch-up names the turn in progress and then the pile: no pick-up there.
    EXPECT_EQ(told({"CMD_sendlogininfo+2", "CMD_nextplayer+1+0+3", "CMD_discard+9", "CMD_discard+12",
                    "CMD_nextplayer+3+9+4", "CMD_discard+5", "CMD_nextplayer+4+9+1"}),
              std::vector<std::string>{"Kling drew two cards."});
}

// Four people play against the real host, each drawing or picking up at random and then
// discarding; every table's log names each turn's draw as it was made.
TEST(EventLog, EveryTurnOfARealGameIsToldAsItWasPlayed) {
    kit::Network net{ServerOptions{HostMode::Desktop, 750, 7}};
    const std::vector<std::string> names = {"Ann", "Bob", "Cid", "Dee"};
    for (std::size_t i = 0; i < names.size(); ++i) net.connect(i == 0, names[i]);
    net.settle();
    net.read(1, std::string("CMD_startgame+Ann+t") + '\xFF' + "CMD_settourney+false+0+" + '\xFF');
    net.settle();

    std::mt19937 random(3);
    std::vector<std::string> played;
    for (int turn = 0; turn < 40; ++turn) {
        int slot = 1;
        while (slot < 4 && !net.table(slot)->state.drawButton().visible) ++slot;
        kit::Table* seat = net.table(slot);
        ASSERT_TRUE(seat->state.drawButton().visible) << "nobody has the turn at turn " << turn;
        const int top = seat->state.discardPicture();
        if (seat->state.pickupButton().visible && random() % 2 == 0) {
            seat->state.takeDiscardPile();
            played.push_back(names[slot - 1] + " picked up " + cardName(top) + ".");
        } else {
            seat->state.drawFromShoe();
            played.push_back(names[slot - 1] + " drew two cards.");
        }
        net.settle();
        seat->state.pressCard(seat->rowSlots().front(), MouseButton::Left);
        seat->state.discardSelected();
        net.settle();
    }
    const auto pickUps =
        std::count_if(played.begin(), played.end(), [](auto& l) { return l.find(" picked up ") != l.npos; });
    ASSERT_GT(pickUps, 5) << "the game must have both kinds of draw";
    for (int slot = 1; slot <= 4; ++slot) {
        std::vector<std::string> heard;
        for (const auto& [to, line] : net.sent)
            if (to == slot) heard.push_back(line);
        EXPECT_EQ(told(heard), played) << slot;
    }
}

}  // namespace
}  // namespace quintrel::table
