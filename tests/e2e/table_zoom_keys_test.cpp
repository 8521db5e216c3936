// The table window zoomed, and a turn played from the keyboard, against a real host in the
// same process.

#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"
#include "extras/qt/user_files.h"
#include "table/qt/picture_widget.h"
#include "table/table_state.h"
#include "window_host.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quintrel::table {
namespace {

using quintrel::kit::waitUntil;

constexpr std::uint32_t kSeed = 1;  // seat 1 holds three naturals of a rank after its draw

struct ZoomKeysFixture : kit::WindowHostTest {
    std::unique_ptr<Tchat> table;

    void TearDown() override {
        table.reset();
        WindowHostTest::TearDown();
    }

    // A solo game with seat 1 to play.
    void startSoloGame() {
        startHost(ServerOptions{HostMode::Desktop, 1, kSeed});
        table = makeTable({});
        table->show();
        ASSERT_TRUE(waitUntil([&] { return table->table().loggedin(); }));
        QTest::mouseClick(onPanel<QPushButton>("button_start"), Qt::LeftButton);
        auto* dialog = table->findChild<QDialog*>(QStringLiteral("Tgamestartform"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("button_start")), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return hand().size() == 11 && onPanel("button_draw")->isVisible(); }));
    }

    QWidget* panel() const { return table->findChild<QWidget*>(QStringLiteral("panel_score")); }
    template <typename W = QWidget>
    W* onPanel(const char* name) const {
        return panel()->findChild<W*>(QString::fromLatin1(name));
    }
    std::map<int, PictureWidget*> hand() const {
        std::map<int, PictureWidget*> cards;
        for (auto* w : panel()->findChildren<PictureWidget*>())
            if (w->objectName().startsWith(QStringLiteral("card"))) cards[w->property("Tag").toInt()] = w;
        return cards;
    }
    QString status() const { return onPanel<QLabel>("label_status")->text(); }
    // The start dialog, hidden, may still be the active window where no window manager runs.
    void activate() {
        table->activateWindow();
        ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == table.get(); }));
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // A click on the panel where nothing lies: the table takes the keys.
    void focusTable() {
        activate();
        QTest::mouseClick(panel(), Qt::LeftButton, {}, QPoint(panel()->width() - 20, panel()->height() / 4));
        ASSERT_EQ(QApplication::focusWidget(), table->findChild<QWidget*>(QStringLiteral("table")));
    }
};

TEST_F(ZoomKeysFixture, TwoHundredPercentDoublesTheTableAndIsRemembered) {
    startSoloGame();
    std::map<int, QRect> before;
    for (const auto& [slot, card] : hand()) before[slot] = card->geometry();
    const QSize panelBefore = panel()->size();
    const QSize windowBefore = table->size();
    const int fontBefore = onPanel("label_turn")->font().pixelSize();

    table->findChild<QAction*>(QStringLiteral("Zoom200"))->trigger();
    EXPECT_TRUE(table->findChild<QAction*>(QStringLiteral("Zoom200"))->isChecked());
    for (const auto& [slot, card] : hand()) {
        const QRect was = before.at(slot);
        EXPECT_EQ(card->geometry(), QRect(was.topLeft() * 2, was.size() * 2)) << "card" << slot;
        // Drawn from the doubled picture, not stretched from the small one.
        EXPECT_EQ(card->picture().size(), was.size() * 2) << "card" << slot;
    }
    EXPECT_EQ(panel()->size(), panelBefore * 2);
    EXPECT_EQ(onPanel("label_turn")->font().pixelSize(), fontBefore * 2);
    EXPECT_EQ(table->findChild<QWidget*>(QStringLiteral("panel_board1"))->width(), 400);
    EXPECT_GT(table->width(), windowBefore.width()) << "the window follows";
    EXPECT_GT(table->height(), windowBefore.height());
    const QSize windowZoomed = table->size();

    // The next table opens at the zoom chosen, before it is shown.
    auto next = makeTable({});
    EXPECT_EQ(next->zoom(), 200);
    EXPECT_EQ(next->findChild<QWidget*>(QStringLiteral("panel_score"))->size(), panelBefore * 2);

    table->findChild<QAction*>(QStringLiteral("Zoom100"))->trigger();
    for (const auto& [slot, card] : hand()) EXPECT_EQ(card->geometry(), before.at(slot));
    EXPECT_LT(table->width(), windowZoomed.width()) << "and shrinks again";
    QFile file(nativePath(settingsFilePath()).c_str());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Zoom=100"));
}

TEST_F(ZoomKeysFixture, AWholeTurnIsPlayedByKeysAlone) {
    startSoloGame();
    focusTable();
    key(Qt::Key_D);
    ASSERT_TRUE(waitUntil([&] { return hand().size() == 13; }));

    // Three naturals of one rank, walked to with the arrows and laid on the squares.
    std::map<int, std::vector<int>> byRank;
    for (const auto& [slot, card] : hand()) {
        const int code = card->property("hint").toString().toInt();
        if (code % 13 != 2 && code % 13 != 3) byRank[code % 13].push_back(slot);
    }
    std::vector<int> book;
    for (const auto& [rank, ofRank] : byRank)
        if (ofRank.size() >= 3 && book.empty()) book.assign(ofRank.begin(), ofRank.begin() + 3);
    ASSERT_EQ(book.size(), 3u) << "the seed no longer deals a book of three";
    for (int n = 1; n <= 3; ++n) {
        const int slot = book[static_cast<std::size_t>(n - 1)];
        for (int presses = 0; presses < 20 && table->table().selectedslot() != slot; ++presses)
            key(Qt::Key_Right);
        ASSERT_EQ(table->table().selectedslot(), slot);
        EXPECT_TRUE(hand().at(slot)->highlighted());
        key(Qt::Key_Up);
        EXPECT_FALSE(hand().at(slot)->isVisible());
        EXPECT_FALSE(
            panel()->findChild<PictureWidget*>(QStringLiteral("acard_place%1").arg(n))->picture().isNull());
    }
    key(Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return status().startsWith(QStringLiteral("You created a Normal ")); }))
        << status().toStdString();
    ASSERT_TRUE(waitUntil([&] { return hand().size() == 10; }));

    key(Qt::Key_Left);  // nothing selected: the last card of the row
    const int discarded = table->table().selectedslot();
    ASSERT_NE(discarded, -1);
    key(Qt::Key_Delete);
    ASSERT_TRUE(waitUntil([&] { return hand().count(discarded) == 0; }));
    ASSERT_TRUE(
        waitUntil([&] { return onPanel<QLabel>("label_turn")->text() == QStringLiteral("Klot's turn."); }));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(ZoomKeysFixture, TheChatLineKeepsTheKeysItTypesWith) {
    startSoloGame();
    QTest::mouseClick(onPanel<QPushButton>("button_draw"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return hand().size() == 13; }));
    activate();
    QLineEdit* line = table->chatPanel()->mychat();
    line->setFocus();
    QTest::keyClicks(line, QStringLiteral("dp"));
    key(Qt::Key_Left);
    key(Qt::Key_Backspace);
    EXPECT_EQ(line->text(), QStringLiteral("p"));
    EXPECT_EQ(table->table().selectedslot(), -1) << "the arrow moved the cursor, not the selection";
    key(Qt::Key_Return);
    EXPECT_TRUE(line->text().isEmpty()) << "Enter sent the line";
    EXPECT_NE(status(), QStringLiteral("Not a complete book"));

    // Escape hands the keys to the table: Enter now asks for a book.
    key(Qt::Key_Escape);
    key(Qt::Key_Return);
    EXPECT_EQ(status(), QStringLiteral("Not a complete book"));
}

}  // namespace
}  // namespace quintrel::table
