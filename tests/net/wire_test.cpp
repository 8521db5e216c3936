#include "net/wire.h"

#include "net/dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace quintrel::wire {
namespace {

using namespace std::string_literals;

TEST(WireBuilders, TrailingPlusLayouts) {
    EXPECT_EQ(toclient::full(), "CMD_full+");
    EXPECT_EQ(toclient::wrongversion(), "CMD_wrongversion+");
    EXPECT_EQ(toclient::startround(), "CMD_startround+");
    EXPECT_EQ(toclient::invaliddiscard(), "CMD_invaliddiscard+");
    EXPECT_EQ(toclient::nobook(), "CMD_nobook+");
    EXPECT_EQ(toclient::nothree(), "CMD_nothree+");
    EXPECT_EQ(toclient::notwo(), "CMD_notwo+");
    EXPECT_EQ(toclient::toomany(), "CMD_toomany+");
    EXPECT_EQ(toclient::nobots("5"), "CMD_nobots+5+");
    EXPECT_EQ(toclient::nobots(""), "CMD_nobots+");
    EXPECT_EQ(toclient::rwinner(2), "CMD_rwinner+2+");
    EXPECT_EQ(tohost::kickhim(1, 6), "CMD_kickhim+1+6+");
    EXPECT_EQ(tohost::botspeed(1, 750), "CMD_botspeed+1+750+");
    EXPECT_EQ(tohost::settourney(true, "5"), "CMD_settourney+true+5+");
    EXPECT_EQ(tohost::settourney(false, "0"), "CMD_settourney+false+0+");
}

// Built in place, a line reads the same as its std::string form, whatever its numbers and
// however long its text (past the room on the stack it moves to the heap).
TEST(WireBuilders, ALineBuiltInPlaceIsTheSameLine) {
    for (int n : {0, 9, 10, 99, 100, 999999999, -1, -10, -999999999, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(toclient::postscores<Line>(n, n, 1, 3).view(),
                  "CMD_postscores+" + std::to_string(n) + "+" + std::to_string(n) + "+1+3");
    }
    for (std::size_t length : {0, 10, 77, 78, 143, 144, 145, 146, 300}) {
        const std::string name(length, 'x');
        EXPECT_EQ(toclient::startgame<Line>(name, "t").view(), "CMD_startgame+" + name + "+t") << length;
        Line text;
        text += name;
        text += " and ";
        text += name;
        EXPECT_EQ(toclient::winner<Line>(2, text).view(), toclient::winner(2, name + " and " + name))
            << length;
        EXPECT_EQ(detail::message<Line>("CMD_x", name, -2147483647 - 1, 12).view(),
                  detail::message<std::string>("CMD_x", name, -2147483647 - 1, 12))
            << length;
    }
}

TEST(WireBuilders, FieldOrder) {
    EXPECT_EQ(toclient::sendlogininfo(3), "CMD_sendlogininfo+3");
    EXPECT_EQ(toclient::newplayerinfo(2, "A+B"), "CMD_newplayerinfo+2+A+B");
    EXPECT_EQ(toclient::havewrongversion("Bob"), "CMD_havewrongversion+Bob");
    EXPECT_EQ(toclient::chat("Bob chats: hi|clRed"), "CMD_chat+Bob chats: hi|clRed");
    EXPECT_EQ(toclient::startgame("Al+Bo", "h"), "CMD_startgame+Al+Bo+h");
    EXPECT_EQ(toclient::nextplayer(0, 11, 1), "CMD_nextplayer+0+11+1");
    EXPECT_EQ(toclient::addtobook(3, 1, 17, 4, 5, 40, 2), "CMD_addtobook+3+1+17+4+5+40+2");
    EXPECT_EQ(toclient::complete(2, 2, 5, 1, 12, 1), "CMD_complete+2+2+5+1+12+1");
    EXPECT_EQ(toclient::postscores(-120, -15, 4, 2), "CMD_postscores+-120+-15+4+2");
    EXPECT_EQ(toclient::winner(0, "No One"), "CMD_winner+0+No One");
    const std::array<toclient::WorkingBookGroup, 2> books{{{1, 13, 1, 3}, {4, 9, 2, 6}}};
    EXPECT_EQ(toclient::loadbooks(1, books), "CMD_loadbooks+1+1+13+1+3+4+9+2+6");
    EXPECT_EQ(toclient::loadbooks(2, {}), "CMD_loadbooks+2");
    const std::array<toclient::CompletedBookGroup, 1> comp{{{1, 26, 2}}};
    EXPECT_EQ(toclient::loadcomp(2, comp), "CMD_loadcomp+2+1+26+2");
    EXPECT_EQ(tohost::logininfo(1, "1.0.3", "Bob\xFF"), "CMD_logininfo+1+1.0.3+Bob\xFF");
    EXPECT_EQ(tohost::createbook(2, 0, 5, 20), "CMD_createbook+2+0+5+20");
    EXPECT_EQ(tohost::chat(5, "a+b|$00FF0000"), "CMD_chat+5+a+b|$00FF0000");
}

// One parser applied to raw rests: each row says whether the message must be accepted.
struct Row {
    std::string rest;
    bool ok;
};

void expectRows(const char* parser, const std::function<bool(std::string_view)>& parses,
                std::initializer_list<Row> rows) {
    for (const Row& row : rows) EXPECT_EQ(parses(row.rest), row.ok) << parser << "(\"" << row.rest << "\")";
}

#define ROWS(fn, ...) \
    expectRows(       \
        #fn, [](std::string_view r) { return parse::fn(r).has_value(); }, __VA_ARGS__)

TEST(WireParsers, NumbersAreDecimalWithinNineDigitsAndTheirRange) {
    ROWS(discard, {{"0", true},
                   {"54", true},
                   {"054", true},
                   {"55", false},
                   {"-1", false},
                   {"", false},
                   {"x", false},
                   {"1x", false},
                   {" 1", false},
                   {"1 ", false},
                   {"+1", false},
                   {"4+", true},
                   {"4++", false},
                   {"4+5", false},
                   {"0x10", false},
                   {"-", false},
                   // would wrap round to 1 in 32 bits
                   {"4294967297", false},
                   {"-4294967295", false},
                   {"000000001", true}});
    ROWS(postscores, {{"999999999+0+1+3", true},
                      {"-999999999+-5+2+4", true},
                      {"1000000000+0+1+3", false},
                      {"99999999999999999999+0+1+3", false},
                      {"-0+0+1+3", true},
                      {"5+5+1+3+", true},
                      {"5+5+0+3", false},
                      {"5+5+1+5", false},
                      {"5+5+1", false},
                      {"5+5+1+3+9", false}});
}

TEST(WireParsers, HostRequestsCheckSeatsSlotsAndPositions) {
    ROWS(logininfo, {{"1+1.0.3+Bob", true},
                     {"9+1.0.3+", true},
                     {"10+1.0.3+Bob", false},
                     {"0+1.0.3+Bob", false},
                     {"1+1.0.3", false},
                     {"1", false},
                     {"a+1.0.3+Bob", false}});
    ROWS(kickhim, {{"1+6+", true},
                   {"1+6", false},
                   {"1+6+junk", true},
                   {"1++", false},
                   {"1+10+", false},
                   {"0+6+", false},
                   {"1+", false}});
    ROWS(botspeed, {{"1+500+", true},
                    {"1+1000+", true},
                    {"1+500", false},
                    {"1+0+", false},
                    {"1+-5+", false},
                    {"1+60001+", false},
                    {"x+500+", false}});
    ROWS(chatRequest, {{"3+hi|clRed", true}, {"3+", true}, {"3", false}, {"11+hi", false}});
    ROWS(startgameRequest, {{"Bob+t", true}, {"+f", true}, {"Bob", false}, {"", false}});
    ROWS(settourney, {{"true+5+", true},
                      {"false+0+", true},
                      {"true+5", true},
                      {"yes+5+", false},
                      {"True+5+", false},
                      {"true", false}});
    ROWS(justwatch, {{"2+1", true}, {"4+2+", true}, {"5+1", false}, {"2+3", false}, {"2", false}});
    ROWS(drawing, {{"1+1", true}, {"1+2", true}, {"1+0", false}, {"0+1", false}});
    ROWS(discardRequest, {{"1+0", true}, {"1+20", true}, {"1+21", false}, {"1+-1", false}, {"1+", false}});
    ROWS(createbook,
         {{"1+0+1+2", true}, {"1+0+1+2+", true}, {"1+0+1", false}, {"1+0+1+21", false}, {"1+0++2", false}});
    ROWS(addtobookRequest, {{"2+5+1", true}, {"2+5+13", true}, {"2+5+14", false}, {"2+5+0", false}});
    ROWS(addtocompRequest, {{"2+5+1", true}, {"2+5+14", false}, {"2+25+1", false}});
}

TEST(WireParsers, TableMessagesCheckTheirFields) {
    ROWS(sendlogininfo, {{"1", true}, {"10", true}, {"10+", true}, {"11", false}, {"0", false}});
    ROWS(slotName, {{"2+Al", true}, {"9+", true}, {"2", false}, {"10+Al", false}});
    ROWS(startgame, {{"Al+t", true}, {"Al", false}});
    ROWS(newcard,
         {{"1+0+0", true}, {"4+20+54", true}, {"4+20+55", false}, {"4+21+1", false}, {"5+1+1", false}});
    ROWS(freecard, {{"20", true}, {"21", false}});
    ROWS(usefoot, {{"4+", true}, {"0", false}});
    ROWS(nextplayer, {{"0+11+1", true},
                      {"1+0+2", true},
                      {"5+0+1", false},
                      {"1+0+0", false},
                      {"1+-1+2", false},
                      {"1+22+2", false}});
    ROWS(newbook,
         {{"1+1+1+13+1", true}, {"1+3+1+13+1", false}, {"1+1+1+13+3", false}, {"1+1+14+13+1", false}});
    ROWS(addtobook, {{"1+1+3+2+4+13+1", true},
                     {"1+1+3+2+8+13+1", false},
                     {"1+1+3+2+0+13+1", false},
                     {"1+1+3+2+4+13", false}});
    ROWS(complete, {{"1+1+2+1+13+2", true}, {"1+1+2+0+13+2", false}, {"1+0+2+1+13+2", false}});
    ROWS(addtocomp, {{"3+2+0", true}, {"3+0+1", false}});
    ROWS(nobookmatch, {{"0", true}, {"-1", false}});
    ROWS(loadbooks, {{"1", true},
                     {"1+", true},
                     {"2+1+13+1+3", true},
                     {"2+1+13+1+3+", true},
                     {"2+1+13+1+3+9+14+2+6", true},
                     {"2+1+13+1", false},
                     {"2+1+13+1+3+9", false},
                     {"3+1+13+1+3", false},
                     {"2+14+13+1+3", false},
                     {"2+1+13+1+8", false},
                     {"", false},
                     {"2++1+13+1+3", false}});
    ROWS(loadcomp,
         {{"1", true}, {"1+2+13+2", true}, {"1+2+13", false}, {"1+2+13+3", false}, {"1+14+13+2", false}});
    ROWS(rwinner,
         {{"1+", true}, {"2", true}, {"0+", true}, {"3+", false}, {"+", false}, {"1+anything", true}});
    ROWS(winner, {{"1+Al and Cy", true}, {"0+No One", true}, {"3+x", false}, {"1", false}});
    ROWS(justwatching, {{"3+1", true}, {"3+2+", true}, {"3+3", false}});
    ROWS(nobots, {{"", true}, {"5+", true}, {"3", true}});
}

TEST(WireParsers, LastTextFieldKeepsItsPluses) {
    auto login = parse::logininfo("2+1.0.3+Al+Bo");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->slot, 2);
    EXPECT_EQ(login->version, "1.0.3");
    EXPECT_EQ(login->name, "Al+Bo");

    auto chat = parse::chatRequest("4+1+1=2 |clGreen");
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->slot, 4);
    EXPECT_EQ(chat->text, "1+1=2 |clGreen");

    auto player = parse::slotName("7++x+");
    ASSERT_TRUE(player);
    EXPECT_EQ(player->slot, 7);
    EXPECT_EQ(player->name, "+x+");

    // The length letter is whatever follows the last "+", so a name may hold "+".
    auto start = parse::startgameRequest("A+B+t");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, "A+B");
    EXPECT_EQ(start->letter, "t");

    auto win = parse::winner("2+Bo and Di+");
    ASSERT_TRUE(win);
    EXPECT_EQ(win->team, 2);
    EXPECT_EQ(win->text, "Bo and Di+");
}

TEST(WireParsers, RequiredTrailingPlusFieldsReadUpToThePlus) {
    auto kick = parse::kickhim("1+7+");
    ASSERT_TRUE(kick);
    EXPECT_EQ(kick->sender, 1);
    EXPECT_EQ(kick->target, 7);

    auto tourney = parse::settourney("true+3+");
    ASSERT_TRUE(tourney);
    EXPECT_TRUE(tourney->botsWatch);
    EXPECT_EQ(tourney->digit, "3");
    // Without the trailing "+" the digit reads empty, as the host has always read it.
    tourney = parse::settourney("false+3");
    ASSERT_TRUE(tourney);
    EXPECT_FALSE(tourney->botsWatch);
    EXPECT_EQ(tourney->digit, "");

    EXPECT_EQ(parse::nobots(""), "");
    EXPECT_EQ(parse::nobots("5+"), "5");
}

// Every builder's line goes through the dispatch tables and the matching parser unchanged.
TEST(WireRoundTrip, HostToTable) {
    auto rest = [](const std::string& line, ClientCommand expected) {
        auto routed = routeClientLine(line);
        EXPECT_TRUE(routed) << line;
        if (!routed) return std::string_view{};
        EXPECT_EQ(routed->command, expected) << line;
        return routed->rest;
    };
    using C = ClientCommand;
    std::string line;

    EXPECT_EQ(parse::sendlogininfo(rest(line = toclient::sendlogininfo(10), C::CMD_sendlogininfo)), 10);
    auto player = parse::slotName(rest(line = toclient::existingplayers(9, "Z+z"), C::CMD_existingplayers));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->slot, 9);
    EXPECT_EQ(player->name, "Z+z");
    player = parse::slotName(rest(line = toclient::playerdisconnected(5, "Eve"), C::CMD_playerdisconnected));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->name, "Eve");

    auto start = parse::startgame(rest(line = toclient::startgame("Al+Bo", "f"), C::CMD_startgame));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, "Al+Bo");
    EXPECT_EQ(start->letter, "f");

    EXPECT_EQ(parse::nobots(rest(line = toclient::nobots("3"), C::CMD_nobots)), "3");
    EXPECT_EQ(parse::nobots(rest(line = toclient::nobots(""), C::CMD_nobots)), "");
    EXPECT_EQ(parse::discard(rest(line = toclient::discard(0), C::CMD_discard)), 0);
    EXPECT_EQ(parse::freecard(rest(line = toclient::freecard(20), C::CMD_freecard)), 20);
    EXPECT_EQ(parse::usefoot(rest(line = toclient::usefoot(4), C::CMD_usefoot)), 4);
    EXPECT_EQ(parse::nobookmatch(rest(line = toclient::nobookmatch(7), C::CMD_nobookmatch)), 7);
    EXPECT_EQ(parse::rwinner(rest(line = toclient::rwinner(1), C::CMD_rwinner)), 1);

    auto card = parse::newcard(rest(line = toclient::newcard(3, 19, 54), C::CMD_newcard));
    ASSERT_TRUE(card);
    EXPECT_EQ(card->seat, 3);
    EXPECT_EQ(card->pos, 19);
    EXPECT_EQ(card->card, 54);

    auto next = parse::nextplayer(rest(line = toclient::nextplayer(0, 11, 2), C::CMD_nextplayer));
    ASSERT_TRUE(next);
    EXPECT_EQ(next->previousSeat, 0);
    EXPECT_EQ(next->cardsLeft, 11);
    EXPECT_EQ(next->nextSeat, 2);

    auto book = parse::newbook(rest(line = toclient::newbook(2, 2, 9, 25, 2), C::CMD_newbook));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->bookslot, 9);
    EXPECT_EQ(book->card, 25);
    EXPECT_EQ(book->kind, 2);

    auto add = parse::addtobook(rest(line = toclient::addtobook(4, 2, 12, 3, 7, 53, 2), C::CMD_addtobook));
    ASSERT_TRUE(add);
    EXPECT_EQ(add->pos, 12);
    EXPECT_EQ(add->bookslot, 3);
    EXPECT_EQ(add->count, 7);
    EXPECT_EQ(add->card, 53);

    auto done = parse::complete(rest(line = toclient::complete(1, 1, 3, 13, 40, 1), C::CMD_complete));
    ASSERT_TRUE(done);
    EXPECT_EQ(done->bookslot, 3);
    EXPECT_EQ(done->compslot, 13);

    auto comp = parse::addtocomp(rest(line = toclient::addtocomp(1, 2, 14), C::CMD_addtocomp));
    ASSERT_TRUE(comp);
    EXPECT_EQ(comp->kind, 2);
    EXPECT_EQ(comp->card, 14);

    const std::array<toclient::WorkingBookGroup, 2> working{{{1, 13, 1, 3}, {9, 51, 2, 6}}};
    auto books = parse::loadbooks(rest(line = toclient::loadbooks(2, working), C::CMD_loadbooks));
    ASSERT_TRUE(books);
    EXPECT_EQ(books->team, 2);
    ASSERT_EQ(books->books.size(), 2u);
    EXPECT_EQ(books->books[1].bookslot, 9);
    EXPECT_EQ(books->books[1].card, 51);
    EXPECT_EQ(books->books[1].kind, 2);
    EXPECT_EQ(books->books[1].count, 6);

    const std::array<toclient::CompletedBookGroup, 2> completed{{{1, 1, 1}, {2, 27, 2}}};
    auto comps = parse::loadcomp(rest(line = toclient::loadcomp(1, completed), C::CMD_loadcomp));
    ASSERT_TRUE(comps);
    ASSERT_EQ(comps->books.size(), 2u);
    EXPECT_EQ(comps->books[1].compslot, 2);
    EXPECT_EQ(comps->books[1].card, 27);

    auto scores = parse::postscores(rest(line = toclient::postscores(-40, -60, 2, 4), C::CMD_postscores));
    ASSERT_TRUE(scores);
    EXPECT_EQ(scores->teamScore, -40);
    EXPECT_EQ(scores->points, -60);
    EXPECT_EQ(scores->seat, 2);
    EXPECT_EQ(scores->partner, 4);

    auto win = parse::winner(rest(line = toclient::winner(1, "Al and Cy"), C::CMD_winner));
    ASSERT_TRUE(win);
    EXPECT_EQ(win->team, 1);
    EXPECT_EQ(win->text, "Al and Cy");

    auto watching = parse::justwatching(rest(line = toclient::justwatching(3, 2), C::CMD_justwatching));
    ASSERT_TRUE(watching);
    EXPECT_EQ(watching->seat, 3);
    EXPECT_EQ(watching->code, 2);

    for (const std::string& bare :
         {toclient::full(), toclient::wrongversion(), toclient::startround(), toclient::invaliddiscard(),
          toclient::nobook(), toclient::nothree(), toclient::notwo(), toclient::toomany()})
        EXPECT_TRUE(routeClientLine(bare)) << bare;
    EXPECT_EQ(rest(line = toclient::havewrongversion("Al"), C::CMD_havewrongversion), "Al");
    EXPECT_EQ(rest(line = toclient::chat("Al chats: a+b|clRed"), C::CMD_chat), "Al chats: a+b|clRed");
    EXPECT_EQ(rest(line = toclient::action("Al waves|clRed"), C::CMD_action), "Al waves|clRed");
    EXPECT_EQ(rest(line = toclient::newplayerinfo(1, "Al"), C::CMD_newplayerinfo), "1+Al");
}

TEST(WireRoundTrip, TableToHost) {
    auto rest = [](const std::string& line, HostCommand expected) {
        auto routed = routeHostLine(line);
        EXPECT_TRUE(routed) << line;
        if (!routed) return std::string_view{};
        EXPECT_EQ(routed->command, expected) << line;
        return routed->rest;
    };
    using H = HostCommand;
    std::string line;

    // The name's own terminator is cut by the framing, so the host sees the name without it.
    std::string sent = tohost::logininfo(4, "1.0.3", "Al+Bo\xFF");
    line = sent.substr(0, sent.find('\xFF'));
    auto login = parse::logininfo(rest(line, H::CMD_logininfo));
    ASSERT_TRUE(login);
    EXPECT_EQ(login->slot, 4);
    EXPECT_EQ(login->version, "1.0.3");
    EXPECT_EQ(login->name, "Al+Bo");

    auto kick = parse::kickhim(rest(line = tohost::kickhim(1, 9), H::CMD_kickhim));
    ASSERT_TRUE(kick);
    EXPECT_EQ(kick->target, 9);
    auto speed = parse::botspeed(rest(line = tohost::botspeed(1, 1000), H::CMD_botspeed));
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->sender, 1);
    EXPECT_EQ(speed->ms, 1000);

    auto chat = parse::chatRequest(rest(line = tohost::chat(6, "x+y|clRed"), H::CMD_chat));
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->slot, 6);
    EXPECT_EQ(chat->text, "x+y|clRed");
    auto action = parse::chatRequest(rest(line = tohost::action(2, "waves|clRed"), H::CMD_action));
    ASSERT_TRUE(action);
    EXPECT_EQ(action->text, "waves|clRed");

    auto start = parse::startgameRequest(rest(line = tohost::startgame("A+", "t"), H::CMD_startgame));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, "A+");
    EXPECT_EQ(start->letter, "t");

    auto tourney = parse::settourney(rest(line = tohost::settourney(false, "5"), H::CMD_settourney));
    ASSERT_TRUE(tourney);
    EXPECT_FALSE(tourney->botsWatch);
    EXPECT_EQ(tourney->digit, "5");

    auto watch = parse::justwatch(rest(line = tohost::justwatch(2, 1), H::CMD_justwatch));
    ASSERT_TRUE(watch);
    EXPECT_EQ(watch->seat, 2);
    EXPECT_EQ(watch->code, 1);

    auto draw = parse::drawing(rest(line = tohost::drawing(4, 2), H::CMD_drawing));
    ASSERT_TRUE(draw);
    EXPECT_EQ(draw->source, 2);

    auto discard = parse::discardRequest(rest(line = tohost::discard(3, 20), H::CMD_discard));
    ASSERT_TRUE(discard);
    EXPECT_EQ(discard->pos, 20);

    auto book = parse::createbook(rest(line = tohost::createbook(1, 4, 0, 9), H::CMD_createbook));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->pos[0], 4);
    EXPECT_EQ(book->pos[1], 0);
    EXPECT_EQ(book->pos[2], 9);

    auto add = parse::addtobookRequest(rest(line = tohost::addtobook(1, 3, 13), H::CMD_addtobook));
    ASSERT_TRUE(add);
    EXPECT_EQ(add->bookslot, 13);
    auto comp = parse::addtocompRequest(rest(line = tohost::addtocomp(1, 3, 2), H::CMD_addtocomp));
    ASSERT_TRUE(comp);
    EXPECT_EQ(comp->compslot, 2);
}

}  // namespace
}  // namespace quintrel::wire
