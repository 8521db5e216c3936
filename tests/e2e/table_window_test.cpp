// The table window against a real host in the same process: the game drawn from the host's
// messages, and a turn of seat 1 played by clicks on the widgets, found by their names.

#include "extras/qt/sound_player.h"
#include "extras/qt/tally_window.h"
#include "window_host.h"
#include "chat/qt/chat_log_view.h"
#include "table/qt/message_boxes.h"
#include "table/qt/picture_widget.h"
#include "table/qt/tchat.h"
#include "table/table_state.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace quintrel::table {
namespace {

using quintrel::kit::waitUntil;

// A deal of this seed gives seat 1, after its first draw, three natural cards of one rank.
constexpr std::uint32_t kSeed = 1;

struct WindowFixture : kit::WindowHostTest {
    std::unique_ptr<Tchat> table;

    void TearDown() override {
        table.reset();
        WindowHostTest::TearDown();
    }

    void startHost(HostMode mode) { WindowHostTest::startHost(ServerOptions{mode, 1, kSeed}); }

    // A solo table (it hosts through `host`) or a table joining the host on the test port.
    void openTable(std::vector<std::string> args) {
        table = makeTable(std::move(args));
        table->show();
        ASSERT_TRUE(waitUntil([&] { return chat().contains(QStringLiteral("You are Connected.")); }));
    }

    QStringList chat() const { return table->mainchat()->toPlainText().split(QLatin1Char('\n')); }
    QWidget* panel() const { return table->findChild<QWidget*>(QStringLiteral("panel_score")); }
    template <typename W = QWidget>
    W* onPanel(const QString& name) const {
        return panel()->findChild<W*>(name);
    }
    QString text(const char* label) const { return onPanel<QLabel>(QString::fromLatin1(label))->text(); }
    QDialog* dialog() const { return table->findChild<QDialog*>(QStringLiteral("Tgamestartform")); }

    // The hand row as shown: hand slot -> card code, for every card image on the panel.
    std::map<int, int> hand() const {
        std::map<int, int> cards;
        for (auto* w : panel()->findChildren<PictureWidget*>()) {
            if (!w->objectName().startsWith(QStringLiteral("card"))) continue;
            cards[w->property("Tag").toInt()] = w->property("hint").toString().toInt();
        }
        return cards;
    }
    PictureWidget* card(int slot) const { return onPanel<PictureWidget>(QStringLiteral("card%1").arg(slot)); }

    void startDefaultGame() {
        QTest::mouseClick(onPanel<QPushButton>(QStringLiteral("button_start")), Qt::LeftButton);
        ASSERT_TRUE(dialog()->isVisible());
        EXPECT_FALSE(onPanel(QStringLiteral("button_start"))->isVisible());
        QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("button_start")), Qt::LeftButton);
        EXPECT_FALSE(dialog()->isVisible());
        ASSERT_TRUE(waitUntil(
            [&] { return hand().size() == 11 && text("label_turn") == QStringLiteral("Your Turn."); }));
    }
};

bool natural(int code) { return code % 13 != 2 && code % 13 != 3; }

// Three hand slots holding natural cards of one rank, or nothing.
std::vector<int> bookOfThree(const std::map<int, int>& hand) {
    std::map<int, std::vector<int>> byRank;
    for (const auto& [slot, code] : hand)
        if (natural(code)) byRank[code % 13].push_back(slot);
    for (const auto& [rank, ofRank] : byRank)
        if (ofRank.size() >= 3) return {ofRank[0], ofRank[1], ofRank[2]};
    return {};
}

TEST_F(WindowFixture, SeatOnePlaysAWholeTurnByClicks) {
    startHost(HostMode::Desktop);
    openTable({});
    startDefaultGame();
    EXPECT_EQ(text("label_full"), QStringLiteral("Play Full Game"));
    EXPECT_EQ(text("label_playername2"), QStringLiteral("Klot"));
    EXPECT_EQ(onPanel(QStringLiteral("image_Turn"))->y(), 11 + 2);
    EXPECT_TRUE(onPanel(QStringLiteral("image_greenarrow"))->isVisible());
    auto* draw = onPanel<QPushButton>(QStringLiteral("button_draw"));
    ASSERT_TRUE(draw->isVisible());
    EXPECT_FALSE(onPanel(QStringLiteral("button_pickup"))->isVisible());  // nothing on the pile yet

    QTest::mouseClick(draw, Qt::LeftButton);
    EXPECT_FALSE(draw->isVisible());
    ASSERT_TRUE(waitUntil([&] { return hand().size() == 13; }));

    // The row is fanned 20 pixels a place, each card over its left neighbour.
    std::vector<QWidget*> row;
    for (const auto& [slot, code] : hand()) row.push_back(card(slot));
    std::sort(row.begin(), row.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    for (std::size_t k = 0; k < row.size(); ++k) EXPECT_EQ(row[k]->x(), 6 + 20 * static_cast<int>(k));

    const std::map<int, int> before = hand();
    const std::vector<int> book = bookOfThree(before);
    QStringList codes;
    for (const auto& [slot, code] : before) codes << QString::number(code);
    ASSERT_EQ(book.size(), 3u) << "the seed no longer deals a book of three: "
                               << codes.join(QLatin1Char(' ')).toStdString();
    for (int n = 1; n <= 3; ++n) {
        const int slot = book[static_cast<std::size_t>(n - 1)];
        QTest::mousePress(card(slot), Qt::LeftButton);
        EXPECT_EQ(card(slot)->y(), 212) << "a selected card is raised";
        EXPECT_TRUE(card(slot)->highlighted());
        auto* square = onPanel<PictureWidget>(QStringLiteral("acard_place%1").arg(n));
        QTest::mouseClick(square, Qt::LeftButton);
        EXPECT_FALSE(card(slot)->isVisible());
        EXPECT_EQ(square->property("hint").toString().toInt(), before.at(slot));
        EXPECT_FALSE(square->picture().isNull());
    }
    QTest::mouseClick(onPanel<QPushButton>(QStringLiteral("button_create")), Qt::LeftButton);

    auto* board = table->findChild<QWidget*>(QStringLiteral("panel_board1"));
    ASSERT_TRUE(
        waitUntil([&] { return board->findChild<PictureWidget*>(QStringLiteral("book11")) != nullptr; }));
    auto* created = board->findChild<PictureWidget*>(QStringLiteral("book11"));
    EXPECT_EQ(created->geometry(), QRect(109, 40, 46, 48));
    EXPECT_FALSE(created->picture().isNull());
    ASSERT_TRUE(waitUntil([&] { return hand().size() == 10; }));
    for (int slot : book) EXPECT_EQ(card(slot), nullptr);
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(onPanel<PictureWidget>(QStringLiteral("acard_place%1").arg(n))->picture().isNull());
    EXPECT_TRUE(text("label_status").startsWith(QStringLiteral("You created a Normal ")));
    // Each card's points follow the book.
    EXPECT_TRUE(waitUntil([&] { return text("label_score1") != QStringLiteral("0"); }));
    EXPECT_EQ(text("label_score1"), text("label_score3"));

    // Discard the leftmost card; the host shows it on the pile and passes the turn.
    const int discardSlot = hand().begin()->first;
    const int discardCode = hand().begin()->second;
    QTest::mousePress(card(discardSlot), Qt::LeftButton);
    QTest::mouseClick(onPanel(QStringLiteral("image_discard")), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return card(discardSlot) == nullptr; }));
    ASSERT_TRUE(waitUntil([&] {
        return onPanel(QStringLiteral("image_discard"))->property("picture").toInt() == discardCode;
    }));
    // The host passes the turn on, with the nine cards seat 1 kept.
    ASSERT_TRUE(waitUntil([&] { return text("label_turn") == QStringLiteral("Klot's turn."); }));
    EXPECT_EQ(text("label_cardsleft1"), QStringLiteral("9"));

    // The three computer players take their turns, and the turn comes back.
    ASSERT_TRUE(waitUntil([&] { return text("label_turn") == QStringLiteral("Your Turn."); }, 10000));
    EXPECT_TRUE(onPanel(QStringLiteral("image_greenarrow"))->isVisible());
    EXPECT_TRUE(draw->isVisible());
    EXPECT_TRUE(onPanel(QStringLiteral("button_pickup"))->isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

// A simple player for seat 1 that only clicks: draw, lay down books of three, add naturals
// to its team's working books, discard the leftmost card.
struct ClickPlayer {
    WindowFixture& f;
    int turns = 0;

    std::map<int, int> ownBookRanks() const {  // rank -> the book widget's slot
        std::map<int, int> ranks;
        auto* board = f.table->findChild<QWidget*>(QStringLiteral("panel_board1"));
        for (auto* book : board->findChildren<PictureWidget*>())
            if (book->objectName().startsWith(QStringLiteral("book1")))
                ranks[book->property("hint").toString().toInt() % 13] = book->property("Tag").toInt();
        return ranks;
    }

    bool gone(int slot) const { return f.card(slot) == nullptr; }

    void playTurn() {
        ++turns;
        const std::size_t held = f.hand().size();
        QTest::mouseClick(f.onPanel<QPushButton>(QStringLiteral("button_draw")), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return f.hand().size() >= held + 2; }));

        // Books of three naturals of a rank the team has no working book of.
        for (;;) {
            std::map<int, int> hand = f.hand();
            if (hand.size() < 5) break;
            const auto own = ownBookRanks();
            std::erase_if(hand, [&](const auto& card) { return own.count(card.second % 13) > 0; });
            const std::vector<int> book = bookOfThree(hand);
            if (book.empty()) break;
            for (int n = 1; n <= 3; ++n) {
                QTest::mousePress(f.card(book[static_cast<std::size_t>(n - 1)]), Qt::LeftButton);
                QTest::mouseClick(f.onPanel(QStringLiteral("acard_place%1").arg(n)), Qt::LeftButton);
            }
            const QString status = f.text("label_status");
            QTest::mouseClick(f.onPanel(QStringLiteral("button_create")), Qt::LeftButton);
            ASSERT_TRUE(waitUntil([&] { return gone(book[0]) || f.text("label_status") != status; }));
            if (!gone(book[0])) {  // refused: take the cards back and stop trying
                QTest::mouseClick(f.onPanel(QStringLiteral("button_clearbook")), Qt::LeftButton);
                break;
            }
        }
        // Naturals onto the team's working books, keeping one card to discard.
        for (bool added = true; added;) {
            added = false;
            const auto own = ownBookRanks();
            const std::map<int, int> hand = f.hand();
            if (hand.size() < 2) break;
            for (const auto& [slot, code] : hand) {
                auto book = own.find(code % 13);
                if (!natural(code) || book == own.end()) continue;
                QTest::mousePress(f.card(slot), Qt::LeftButton);
                auto* board = f.table->findChild<QWidget*>(QStringLiteral("panel_board1"));
                QTest::mouseClick(board->findChild<QWidget*>(QStringLiteral("book1%1").arg(book->second)),
                                  Qt::LeftButton);
                ASSERT_TRUE(waitUntil([&] { return gone(slot) || f.card(slot)->y() == 218; }));
                added = gone(slot);
                break;
            }
        }
        // The leftmost card goes on the pile.
        int leftmost = -1;
        for (const auto& [slot, code] : f.hand())
            if (f.card(slot)->isVisible() && (leftmost < 0 || f.card(slot)->x() < f.card(leftmost)->x()))
                leftmost = slot;
        ASSERT_GE(leftmost, 0);
        QTest::mousePress(f.card(leftmost), Qt::LeftButton);
        QTest::mouseClick(f.onPanel(QStringLiteral("image_discard")), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return gone(leftmost); }));
    }
};

TEST_F(WindowFixture, AOneRoundGameIsPlayedToItsEndByClicks) {
    startHost(HostMode::Desktop);
    openTable({});
    QTest::mouseClick(onPanel<QPushButton>(QStringLiteral("button_start")), Qt::LeftButton);
    QTest::mouseClick(dialog()->findChild<QCheckBox*>(QStringLiteral("round")), Qt::LeftButton);
    QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("button_start")), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return text("label_full") == QStringLiteral("Play One Round"); }));

    ClickPlayer player{*this};
    auto over = [&] {
        const QStringList lines = chat();
        return lines.contains(QStringLiteral("The Game Ended in a Tie")) ||
               std::any_of(lines.begin(), lines.end(), [](const QString& line) {
                   return line.endsWith(QStringLiteral(" have Won the Game!"));
               });
    };
    auto drawOffered = [&] {
        return text("label_turn") == QStringLiteral("Your Turn.") &&
               onPanel(QStringLiteral("button_draw"))->isVisible();
    };
    while (!over() && player.turns < 200) {
        // The computer players take well under a second a turn: a minute without the own turn
        // or the end is a stalled game, not a slow machine.
        ASSERT_TRUE(waitUntil([&] { return over() || drawOffered(); }, 60000))
            << "the game stalled after " << player.turns << " turns of seat 1, at \""
            << text("label_turn").toStdString() << "\"";
        if (over()) break;
        player.playTurn();
        if (::testing::Test::HasFatalFailure()) return;
    }
    ASSERT_TRUE(over()) << "after " << player.turns << " turns of seat 1";
    EXPECT_GT(player.turns, 1);
    const bool green = table->findChild<QWidget*>(QStringLiteral("image_winner1"))->isVisible();
    const bool blue = table->findChild<QWidget*>(QStringLiteral("image_winner2"))->isVisible();
    EXPECT_NE(green, blue) << "one team's game winner picture";
    const auto* shown = table->findChild<PictureWidget*>(green ? QStringLiteral("image_winner1")
                                                               : QStringLiteral("image_winner2"));
    EXPECT_FALSE(shown->picture().isNull()) << "the winner picture is drawn, not blank";
    // The tally counts a game with a winner, Green being seat 1's team, and keeps it on disk.
    const bool tie = chat().contains(QStringLiteral("The Game Ended in a Tie"));
    table->findChild<QAction*>(QStringLiteral("TallyList1"))->trigger();
    EXPECT_TRUE(table->tallyList()->isVisible());
    const auto tallied = [&](const char* name) {
        return table->tallyList()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(tallied("mylabel_1"), tie ? QStringLiteral("0") : QStringLiteral("1"));
    EXPECT_EQ(tallied("mylabel_2"), !tie && green ? QStringLiteral("1") : QStringLiteral("0"));
    EXPECT_EQ(QFileInfo::exists(userFolders.filePath(QStringLiteral("data/quintrel/quintreltally.tld"))),
              !tie);
    EXPECT_TRUE(onPanel(QStringLiteral("button_start"))->isVisible()) << "the host may start the next game";
    EXPECT_FALSE(onPanel(QStringLiteral("button_draw"))->isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(WindowFixture, RightClickSortsTheRowByRankOutOfTurn) {
    startHost(HostMode::Desktop);
    openTable({});
    startDefaultGame();
    const int anySlot = hand().begin()->first;
    QTest::mousePress(card(anySlot), Qt::RightButton);
    std::vector<std::pair<int, int>> byLeft;  // left edge, sort key
    for (const auto& [slot, code] : hand()) {
        int key = code % 13;
        key = key == 0 ? 13 : key == 1 ? 14 : key == 3 ? 15 : key;
        byLeft.emplace_back(card(slot)->x(), key);
    }
    std::sort(byLeft.begin(), byLeft.end());
    for (std::size_t k = 1; k < byLeft.size(); ++k) EXPECT_LE(byLeft[k - 1].second, byLeft[k].second);
    // Before drawing a left click selects nothing.
    QTest::mousePress(card(anySlot), Qt::LeftButton);
    EXPECT_EQ(card(anySlot)->y(), 218);
}

TEST_F(WindowFixture, OptionsMenuMarksFollowTheTable) {
    startHost(HostMode::Desktop);
    openTable({});
    auto* manual = table->findChild<QAction*>(QStringLiteral("ManualSort1"));
    EXPECT_TRUE(manual->isChecked()) << "a first run sorts by hand";
    EXPECT_TRUE(table->table().manualSort());
    manual->trigger();
    EXPECT_FALSE(table->table().manualSort());

    auto* sounds = table->findChild<QAction*>(QStringLiteral("PlaySounds1"));
    EXPECT_TRUE(sounds->isChecked());
    sounds->trigger();
    EXPECT_FALSE(table->sounds().isEnabled());

    // Just Watch is marked when the host confirms it, and the computer takes the turn.
    startDefaultGame();
    auto* watch = table->findChild<QAction*>(QStringLiteral("JustWatch1"));
    EXPECT_FALSE(watch->isChecked());
    watch->trigger();
    ASSERT_TRUE(waitUntil([&] { return watch->isChecked(); }));
    EXPECT_TRUE(onPanel(QStringLiteral("image_eyes1"))->isVisible());
    EXPECT_FALSE(onPanel(QStringLiteral("button_draw"))->isVisible());
    EXPECT_TRUE(waitUntil([&] { return text("label_cardsleft1") != QStringLiteral("11"); }));
    watch->trigger();
    ASSERT_TRUE(waitUntil([&] { return !watch->isChecked(); }));
    EXPECT_FALSE(onPanel(QStringLiteral("image_eyes1"))->isVisible());
}

TEST_F(WindowFixture, ComputerPlayersOptionSetsTheHostsLevelAndIsRemembered) {
    auto open = [&] {
        startHost(HostMode::Desktop);
        table = makeTable({});
        table->setChooseBotLevel([&](BotLevel level) { host->server().setBotLevel(level); });
        table->show();
        ASSERT_TRUE(waitUntil([&] { return chat().contains(QStringLiteral("You are Connected.")); }));
    };
    open();
    auto* menu = table->findChild<QMenu*>(QStringLiteral("ComputerPlayers1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->menuAction()->isVisible());
    EXPECT_TRUE(table->findChild<QAction*>(QStringLiteral("Standard1"))->isChecked());
    table->findChild<QAction*>(QStringLiteral("Expert1"))->trigger();
    EXPECT_EQ(host->server().botLevel(), BotLevel::Expert);

    // A new session reads the choice back and hands it to its fresh host at the login.
    table.reset();
    host.reset();
    open();
    EXPECT_TRUE(table->findChild<QAction*>(QStringLiteral("Expert1"))->isChecked());
    EXPECT_EQ(host->server().botLevel(), BotLevel::Expert);
}

TEST_F(WindowFixture, StartDialogSendsTheChosenLengthAndOffersTheBotsInASoloGame) {
    startHost(HostMode::Desktop);
    openTable({});
    auto* startButton = onPanel(QStringLiteral("button_start"));
    table->findChild<QAction*>(QStringLiteral("StartGame1"))->trigger();
    EXPECT_FALSE(startButton->isVisible());
    QTest::keyClick(dialog(), Qt::Key_Escape);  // nothing started: the start button is back
    EXPECT_TRUE(startButton->isVisible());
    table->findChild<QAction*>(QStringLiteral("StartGame1"))->trigger();
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Quintrel - Start Game"));
    auto box = [&](const char* name) { return dialog()->findChild<QCheckBox*>(QString::fromLatin1(name)); };
    EXPECT_TRUE(box("full")->isChecked());
    EXPECT_TRUE(box("checkbox_bots")->isVisible());
    EXPECT_FALSE(box("checkbox_5000")->isEnabled());

    QTest::mouseClick(box("half"), Qt::LeftButton);
    QTest::mouseClick(box("half"), Qt::LeftButton);  // the chosen length stays chosen
    EXPECT_TRUE(box("half")->isChecked());
    EXPECT_FALSE(box("full")->isChecked());
    EXPECT_FALSE(box("half")->toolTip().isEmpty());
    QTest::mouseClick(box("checkbox_bots"), Qt::LeftButton);
    EXPECT_TRUE(box("checkbox_5000")->isEnabled());
    QTest::mouseClick(box("checkbox_5000"), Qt::LeftButton);
    QTest::mouseClick(box("checkbox_3000"), Qt::LeftButton);
    EXPECT_FALSE(box("checkbox_5000")->isChecked()) << "the targets exclude each other";

    QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("button_start")), Qt::LeftButton);
    EXPECT_FALSE(dialog()->isVisible());
    ASSERT_TRUE(waitUntil([&] { return text("label_full") == QStringLiteral("Play to 3000"); }));
    EXPECT_TRUE(chat().contains(QStringLiteral("The Bots are just watching")));
    EXPECT_FALSE(onPanel(QStringLiteral("label_score3"))->isVisible());
    EXPECT_TRUE(onPanel(QStringLiteral("image_eyes4"))->isVisible());
    // Closing the dialog's window is like hiding it: the menu opens it again.
    table->findChild<QAction*>(QStringLiteral("StartGame1"))->trigger();
    ASSERT_TRUE(dialog()->isVisible());
    dialog()->close();
    EXPECT_FALSE(dialog()->isVisible());
    table->findChild<QAction*>(QStringLiteral("StartGame1"))->trigger();
    EXPECT_TRUE(dialog()->isVisible());
    dialog()->close();
    EXPECT_FALSE(startButton->isVisible()) << "a game runs";

    // Leaving the hosting table during a game ends it for everyone: asked first.
    QStringList questions;
    setConfirmSink([&](const QString& question) { return (questions << question).size() > 1; });
    for (int i = 0; i < 2; ++i) table->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
    setConfirmSink({});
    EXPECT_EQ(questions, QStringList(2, QStringLiteral("Leaving ends the game for everyone at this table.")));
    EXPECT_FALSE(table->isVisible());
}

// Right click on a seat label of `on`; returns the popup it opened, with the items' states.
QMenu* openSeatPopup(Tchat& on, int seat) {
    auto* label = on.findChild<QLabel*>(QStringLiteral("label_playername%1").arg(seat));
    // Through the window, as the platform delivers it: that is where a right click becomes a
    // context menu request.
    QTest::mouseClick(on.windowHandle(), Qt::RightButton, {}, label->mapTo(&on, QPoint(10, 10)));
    auto* popup = on.findChild<QMenu*>(QStringLiteral("popup_kick"));
    return popup && waitUntil([&] { return popup->isVisible(); }) ? popup : nullptr;
}

QAction* item(QMenu* popup, const char* name) {
    return popup->findChild<QAction*>(QString::fromLatin1(name));
}

void choose(QMenu* popup, const char* name) {
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item(popup, name)).center());
}

TEST_F(WindowFixture, ATableGivenSlotOneByAHeadlessHostGetsTheHostingControls) {
    startHost(HostMode::Headless);
    listen(net::ListenScope::LoopbackOnly);
    openTable({"Bob", "127.0.0.1", "false"});
    ASSERT_TRUE(waitUntil([&] { return onPanel(QStringLiteral("button_start"))->isVisible(); }));
    EXPECT_FALSE(table->ishost());
    EXPECT_TRUE(table->findChild<QAction*>(QStringLiteral("StartGame1"))->isEnabled());
    table->setChooseBotLevel([&](BotLevel level) { host->server().setBotLevel(level); });
    EXPECT_FALSE(table->findChild<QMenu*>(QStringLiteral("ComputerPlayers1"))->menuAction()->isVisible())
        << "the computer players belong to a host in another process";
    startDefaultGame();
    EXPECT_EQ(text("label_playername1"), QStringLiteral("Bob"));
    QMenu* popup = openSeatPopup(*table, 1);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(item(popup, "SettojustWatch1")->isEnabled()) << "the hosting controls come with slot 1";
    EXPECT_FALSE(item(popup, "RemoveFromGame1")->isEnabled()) << "but not the removal of oneself";
    popup->hide();
}

TEST_F(WindowFixture, TheHostRemovesASeatedPlayerFromTheSeatLabelsPopup) {
    startHost(HostMode::Desktop);
    openTable({});
    auto guest = std::make_unique<Tchat>(std::vector<std::string>{"Zed", "127.0.0.1", "false"});
    guest->show();
    const auto guestChat = [&] { return guest->mainchat()->toPlainText().split(QLatin1Char('\n')); };
    ASSERT_TRUE(waitUntil([&] { return guestChat().contains(QStringLiteral("You are Connected.")); }));
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == QStringLiteral("Zed"); }));
    auto* guestSeat1 = guest->findChild<QLabel*>(QStringLiteral("label_playername1"));
    ASSERT_TRUE(waitUntil([&] { return guestSeat1->text() == QStringLiteral("You"); }));

    // The joined table offers nothing, not even on an occupied seat.
    QMenu* guestPopup = openSeatPopup(*guest, 1);
    ASSERT_NE(guestPopup, nullptr);
    EXPECT_EQ(guestPopup->property("Tag").toInt(), 1);
    for (const char* name : {"RemoveFromGame1", "SettojustWatch1", "UnsetJustWatch1"})
        EXPECT_FALSE(item(guestPopup, name)->isEnabled()) << name;
    choose(guestPopup, "RemoveFromGame1");
    guestPopup->hide();

    // The host sets the guest to just watching: both tables show the eyes.
    QMenu* popup = openSeatPopup(*table, 2);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->property("Tag").toInt(), 2);
    for (const char* name : {"RemoveFromGame1", "SettojustWatch1", "UnsetJustWatch1"})
        EXPECT_TRUE(item(popup, name)->isEnabled()) << name;
    EXPECT_EQ(item(popup, "RemoveFromGame1")->text(), QStringLiteral("Remove From Game"));
    choose(popup, "SettojustWatch1");
    ASSERT_TRUE(
        waitUntil([&] { return guest->findChild<QAction*>(QStringLiteral("JustWatch1"))->isChecked(); }));
    EXPECT_TRUE(onPanel(QStringLiteral("image_eyes2"))->isVisible());

    // Removal closes the guest's connection, and with it the guest's window.
    popup = openSeatPopup(*table, 2);
    ASSERT_NE(popup, nullptr);
    choose(popup, "RemoveFromGame1");
    ASSERT_TRUE(waitUntil([&] { return !guest->isVisible(); }));
    ASSERT_TRUE(waitUntil([&] { return text("label_playername2") == QStringLiteral("Klot"); }));
    EXPECT_TRUE(chat().contains(QStringLiteral("Zed disconnected.")));
    EXPECT_TRUE(table->isVisible()) << "the host's own table stays";
    // Only the guest is told why its table ends.
    EXPECT_EQ(boxes, QStringList{QStringLiteral("The host has closed the table.")});
    guest.reset();
}

TEST_F(WindowFixture, TheWindowFitsTheSmallScreenAndItsTextsFitTheirLabels) {
    startHost(HostMode::Desktop);
    openTable({});
    const QSize needed = table->minimumSizeHint().expandedTo(table->size());
    EXPECT_LE(needed.width(), 1280);
    EXPECT_LE(needed.height(), 800 - 40);  // room for a title bar and a task bar
    for (const char* name : {"panel_board1", "panel_board2"}) {
        // Nine working books: the lowest ends at 51 x 9 - 11 + 48.
        EXPECT_GE(table->findChild<QWidget*>(QString::fromLatin1(name))->height(), 51 * 9 - 11 + 48);
    }
    EXPECT_GE(panel()->width(), 6 + 20 * 19 + 71) << "a row of 20 cards";
    auto fits = [&](const char* label, const QString& longest) {
        auto* l = onPanel<QLabel>(QString::fromLatin1(label));
        return l->fontMetrics().horizontalAdvance(longest) <= l->width();
    };
    EXPECT_TRUE(fits("label_status", QStringLiteral("You can only have 9 working books at one time.")));
    EXPECT_TRUE(fits("label_full", QStringLiteral("Play One Round")));
    EXPECT_TRUE(fits("label_turn", QStringLiteral("Kling's turn.")));
    EXPECT_TRUE(fits("label_playername1", QStringLiteral("<Waiting>")));
    EXPECT_TRUE(fits("label_score1", QStringLiteral("-10000")));
    // The fixed controls of the panel do not overlap each other.
    const QStringList fixed = {
        "label_playername1", "label_playername2", "label_playername3", "label_playername4", "acard_place1",
        "acard_place2",      "acard_place3",      "button_create",     "button_clearbook",  "image_discard",
        "label_full",        "label_turn",        "label_status"};
    for (int i = 0; i < fixed.size(); ++i)
        for (int j = i + 1; j < fixed.size(); ++j)
            EXPECT_FALSE(onPanel(fixed[i])->geometry().intersects(onPanel(fixed[j])->geometry()))
                << fixed[i].toStdString() << " and " << fixed[j].toStdString();
}

}  // namespace
}  // namespace quintrel::table
