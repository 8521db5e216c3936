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

// A table that only keeps the event log: the real session routes the host's lines to it.
struct LogReader {
    kit::RecordingEvents events;
    SessionRoster roster;
    EventLog log{events, roster};
    ClientSession session{events, log};

    LogReader() { roster.attach(session); }
    void host(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) session.dispatch(line);
    }
    std::vector<std::string> told() const {
        std::vector<std::string> lines;
        for (const kit::ChatLine& line : events.chat)
            if (line.colour == kColourQuiet) lines.push_back(line.text);
        return lines;
    }
};

const std::vector<std::string> kSeated = {"CMD_sendlogininfo+1",         "CMD_newplayerinfo+1+You",
                                          "CMD_existingplayers+2+Klot",  "CMD_existingplayers+3+Klick",
                                          "CMD_existingplayers+4+Kling", "CMD_startgame+You+t"};

TEST(EventLog, TellsDrawsPickUpsBooksAndRoundEnds) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::string> told;
    };
    const std::vector<Case> cases = {
        {"a draw, a book and a discard",
         {"CMD_nextplayer+0+0+1", "CMD_postscores+40+40+1+3", "CMD_newbook+1+1+1+9+1", "CMD_discard+31",
          "CMD_nextplayer+1+8+2"},
         {"You drew two cards.", "You created a Normal Nines book."}},
        {"a pick-up, then the discard",
         {"CMD_discard+31", "CMD_nextplayer+1+11+2", "CMD_discard+0", "CMD_discard+44",
          "CMD_nextplayer+2+11+3"},
         {"Klot picked up the Five of Spades."}},
        {"a pick-up that completes a book",
         {"CMD_discard+54", "CMD_nextplayer+2+11+3", "CMD_discard+31", "CMD_addtobook+3+1+11+2+7+54+2",
          "CMD_postscores+50+50+3+1", "CMD_complete+3+1+2+1+22+2", "CMD_postscores+350+300+3+1",
          "CMD_discard+5", "CMD_nextplayer+3+10+4"},
         {"Klick picked up a Joker.", "Klick completed a Wild Nines book."}},
        {"a discard that takes up the foot",
         {"CMD_nextplayer+3+10+4", "CMD_discard+12", "CMD_usefoot+4", "CMD_nextplayer+4+11+1"},
         {"Kling drew two cards."}},
        {"going out: the bonus shows in the team's rise",
         {"CMD_nextplayer+0+0+1", "CMD_postscores+40+40+1+3", "CMD_discard+12", "CMD_postscores+220+-20+1+3",
          "CMD_postscores+-60+-60+2+4", "CMD_postscores+210+-10+3+1", "CMD_postscores+-90+-30+4+2",
          "CMD_rwinner+1+"},
         {"You drew two cards.", "You went out.",
          "Green Team: +210 this round (going out +200, cards left -30).",
          "Blue Team: -90 this round (cards left -90)."}},
        {"the shoe runs out on a draw: nothing was drawn",
         {"CMD_nextplayer+0+0+1", "CMD_postscores+0+0+1+3", "CMD_postscores+-20+-20+2+4",
          "CMD_postscores+0+0+3+1", "CMD_postscores+-20+0+4+2", "CMD_winner+1+You and Klick"},
         {"The round ended with an empty shoe.", "Green Team: 0 this round (cards left 0).",
          "Blue Team: -20 this round (cards left -20)."}},
    };
    for (const Case& c : cases) {
        LogReader reader;
        reader.host(kSeated);
        reader.host(c.lines);
        EXPECT_EQ(reader.told(), c.told) << c.name;
    }

    LogReader quiet;  // the Options item turned off
    quiet.log.setEnabled(false);
    quiet.host(kSeated);
    quiet.host(cases[0].lines);
    EXPECT_TRUE(quiet.told().empty());
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
        kit::Table* seat = nullptr;
        int slot = 1;
        for (; slot <= 4; ++slot)
            if (net.table(slot)->state.drawButton().visible) break;
        ASSERT_LE(slot, 4) << "nobody has the turn at turn " << turn;
        seat = net.table(slot);
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
    const auto pickUps = std::count_if(played.begin(), played.end(), [](const std::string& line) {
        return line.find(" picked up ") != std::string::npos;
    });
    ASSERT_GT(pickUps, 5) << "the game must have both kinds of draw";
    for (int slot = 1; slot <= 4; ++slot) {
        LogReader reader;
        for (const auto& [to, line] : net.sent)
            if (to == slot) reader.session.dispatch(line);
        std::vector<std::string> told = reader.told();
        // The last turn's draw is told once the next turn begins.
        ASSERT_EQ(told.size(), played.size()) << slot;
        EXPECT_EQ(told, played) << slot;
    }
}

}  // namespace
}  // namespace quintrel::table
