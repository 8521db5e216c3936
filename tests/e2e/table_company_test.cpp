// The table window's company against a real host in the same process: chat between two
// tables, Klot's remarks, the phrase buttons, the settings across a restart, the bot speed
// the host takes from the hosting table, and the spy list.

#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"
#include "chat/qt/spy_list_window.h"
#include "engine/host_state.h"
#include "extras/qt/phrase_strip.h"
#include "extras/qt/sound_player.h"
#include "extras/qt/tally_window.h"
#include "extras/qt/tphrases.h"
#include "net/wire.h"
#include "table/qt/tchat.h"
#include "table/table_state.h"
#include "version.h"
#include "window_host.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTcpSocket>
#include <QTextBlock>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace quintrel::table {
namespace {

using kit::waitUntil;

// The runs of the first log line that reads `line`.
QString runsOf(const Tchat& table, const QString& line) {
    QTextDocument* log = table.mainchat()->document();
    for (QTextBlock block = log->begin(); block.isValid(); block = block.next())
        if (block.text() == line) return kit::runsOf(block);
    return {};
}

QStringList lines(const Tchat& table) {
    QStringList all = table.mainchat()->toPlainText().split(QLatin1Char('\n'));
    all.removeAll(QString());
    return all;
}

template <typename W = QAction>
W* named(const QObject& in, const char* name) {
    return in.findChild<W*>(QString::fromLatin1(name));
}

QStringList entries(const QListWidget* list) {
    QStringList all;
    for (int i = 0; i < list->count(); ++i) all << list->item(i)->text();
    return all;
}

// The pointer moving over a widget, delivered to it as the platform would.
void pointerAt(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A bare connection that logs in under a name and then only listens.
struct Peer {
    QTcpSocket socket;
    explicit Peer(const std::string& name) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this, name] {
            const QByteArray got = socket.readAll();
            const int at = got.indexOf("CMD_sendlogininfo+");
            if (at < 0) return;
            const int slot = got.mid(at + 18, got.indexOf('\xFF', at) - at - 18).toInt();
            socket.write(
                QByteArray::fromStdString(wire::tohost::logininfo(slot, kVersionLabel, name + '\xFF')) +
                '\xFF');
        });
        socket.connectToHost(QHostAddress::LocalHost,
                             static_cast<quint16>(qEnvironmentVariableIntValue("QUINTREL_PORT")));
    }
};

struct CompanyTest : kit::WindowHostTest {
    void SetUp() override {
        WindowHostTest::SetUp();
        startHost();
    }

    std::unique_ptr<Tchat> open(std::vector<std::string> args) {
        auto table = makeTable(std::move(args));
        table->setRandom([](int) { return 5; });  // Klot's remark 5, whenever he may talk
        table->show();
        EXPECT_TRUE(waitUntil([&] { return lines(*table).contains(QStringLiteral("You are Connected.")); }));
        return table;
    }
    static void say(Tchat& table, const QString& text) {
        QLineEdit* typing = table.chatPanel()->mychat();
        QTest::mouseClick(typing, Qt::LeftButton);
        QTest::keyClicks(typing, text);
        QTest::keyClick(typing, Qt::Key_Return);
    }
    static void pick(Tchat& table, const char* item, chat::Colour colour) {
        table.chatPanel()->setColourPicker([colour](chat::Colour, QWidget*) { return colour; });
        named(table, item)->trigger();
    }
    static void startGame(Tchat& table) {
        named(table, "StartGame1")->trigger();
        auto* dialog = named<QDialog>(table, "Tgamestartform");
        QTest::mouseClick(named<QPushButton>(*dialog, "button_start"), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return table.table().seatLabel(2).caption == "Klot"; }));
    }
    static QStringList checklist(Tchat& table) {
        named(table, "TallyList1")->trigger();
        return entries(named<QListWidget>(*table.tallyList(), "checklist"));
    }
};

TEST_F(CompanyTest, TwoTablesChatBothWaysWithTheHeadBoldInTheSendersColour) {
    auto host = open({"Bob", "127.0.0.1", "true"});
    auto guest = open({"Zed", "127.0.0.1", "false"});
    pick(*host, "TextColor1", 0x0080FF);     // orange
    pick(*guest, "ActionColor1", 0x800080);  // purple

    EXPECT_EQ(host->chatPanel()->mychat()->text(), QStringLiteral("<Enter Chat Here>"));
    say(*host, QStringLiteral("hello there"));
    EXPECT_EQ(host->chatPanel()->mychat()->text(), QString());
    ASSERT_TRUE(waitUntil([&] { return lines(*guest).contains(QStringLiteral("Bob chats: hello there")); }));
    EXPECT_EQ(runsOf(*guest, QStringLiteral("Bob chats: hello there")),
              QStringLiteral("*Bob chats:*@#ff8000  hello there@#ff8000"));
    say(*guest, QStringLiteral("/me waves"));
    ASSERT_TRUE(waitUntil([&] { return lines(*host).contains(QStringLiteral("Zed waves")); }));
    EXPECT_EQ(runsOf(*host, QStringLiteral("Zed waves")), QStringLiteral("Zed waves@#800080"));
    EXPECT_EQ(runsOf(*guest, QStringLiteral("Zed waves")), QStringLiteral("Zed waves@#800080"));

    // Two phrase clicks within the lock send one action; the second after it is free again.
    pick(*host, "ActionColor1", 0x008000);
    host->phraseStrip()->findChild<QToolButton*>(QStringLiteral("b_phrase1"))->click();
    host->phraseStrip()->findChild<QToolButton*>(QStringLiteral("b_phrase1"))->click();
    named(*host, "PhraseList1")->trigger();
    named<QLineEdit>(*host->phraseEditor(), "phrase2")->setText(QStringLiteral("/me dances"));
    named<QPushButton>(*host->phraseEditor(), "SelButton8")->click();
    EXPECT_FALSE(host->phraseEditor()->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !host->phraseStrip()->locked(); }));
    host->phraseStrip()->findChild<QToolButton*>(QStringLiteral("b_phrase2"))->click();
    ASSERT_TRUE(waitUntil([&] { return lines(*guest).contains(QStringLiteral("Bob dances")); }));
    EXPECT_EQ(lines(*guest).count(QStringLiteral("Bob says: Way To Go!")), 1);
    EXPECT_EQ(runsOf(*guest, QStringLiteral("Bob says: Way To Go!")),
              QStringLiteral("*Bob says:*@#008000  Way To Go!@#008000"));
    // Klot never talks with a person in seat 2.
    for (const Tchat* table : {host.get(), guest.get()})
        for (const QString& line : lines(*table))
            EXPECT_FALSE(line.startsWith(QStringLiteral("Klot the bot")));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(CompanyTest, KlotAnswersInASoloGameOnlyWhileNoPersonHoldsSeatTwoThreeOrFour) {
    auto table = open({});
    say(*table, QStringLiteral("before the game"));  // the seats still wait: no Klot yet
    startGame(*table);
    EXPECT_EQ(checklist(*table), (QStringList{"Klot", "Klick", "Kling"}));
    say(*table, QStringLiteral("hi"));
    ASSERT_TRUE(waitUntil([&] { return lines(*table).contains(QStringLiteral("You chats: hi")); }));
    const QStringList shown = lines(*table);
    EXPECT_EQ(shown.at(shown.indexOf(QStringLiteral("You chats: hi")) + 1),
              QStringLiteral("Klot the bot says: You are too kind"));
    EXPECT_EQ(runsOf(*table, QStringLiteral("Klot the bot says: You are too kind")),
              QStringLiteral("*Klot the bot says:*@#0000ff  You are too kind@#0000ff"));
    EXPECT_EQ(shown.count(QStringLiteral("Klot the bot says: You are too kind")), 1);

    // Ann takes seat 2 and Cy seat 3; Ann leaves, and seat 2 is Klot's again, but Cy is a person.
    auto ann = open({"Ann", "127.0.0.1", "false"});
    auto cy = open({"Cy", "127.0.0.1", "false"});
    ASSERT_TRUE(waitUntil([&] { return checklist(*table) == QStringList({"Ann", "Cy", "Kling"}); }));
    ann.reset();
    ASSERT_TRUE(waitUntil([&] { return checklist(*table) == QStringList({"Klot", "Cy", "Kling"}); }));
    say(*table, QStringLiteral("again"));
    ASSERT_TRUE(waitUntil([&] { return lines(*cy).contains(QStringLiteral("You chats: again")); }));
    ASSERT_TRUE(waitUntil([&] { return lines(*table).contains(QStringLiteral("You chats: again")); }));
    EXPECT_EQ(lines(*table).count(QStringLiteral("Klot the bot says: You are too kind")), 1);
    EXPECT_EQ(lines(*cy).filter(QStringLiteral("Klot the bot")), QStringList());
}

TEST_F(CompanyTest, EveryOptionSurvivesARestartAndTheHostTakesTheHostingTablesSpeed) {
    {
        auto table = open({});
        EXPECT_TRUE(waitUntil([&] { return host->server().state().botdelay == 750; })) << "Normal by default";
        EXPECT_TRUE(named(*table, "Normal1")->isChecked());
        EXPECT_TRUE(named(*table, "ManualSort1")->isChecked());
        named(*table, "ManualSort1")->trigger();
        named(*table, "PlaySounds1")->trigger();
        named(*table, "Fast1")->trigger();
        named(*table, "N12")->trigger();
        named(*table, "EventLog1")->trigger();
        pick(*table, "TextColor1", chat::kRed);
        pick(*table, "ActionColor1", 0x123456);
        named(*table, "PhraseList1")->trigger();
        named<QLineEdit>(*table->phraseEditor(), "phrase3")->setText(QStringLiteral("Hi all"));
        named<QPushButton>(*table->phraseEditor(), "SelButton8")->click();
        EXPECT_TRUE(waitUntil([&] { return host->server().state().botdelay == 500; }));

        // Fast is what the host's computer players wait for, on the host's own timer.
        startGame(*table);
        named(*table, "JustWatch1")->trigger();
        ASSERT_TRUE(waitUntil([&] { return host->listener().pacingTimerActive(); }));
        EXPECT_EQ(host->listener().pacingInterval(), 500);
    }
    // A copy that never connects keeps the stored options: changing one writes that one only.
    {
        auto offline = std::make_unique<Tchat>(std::vector<std::string>{"Bob"});
        EXPECT_FALSE(named(*offline, "Fast1")->isChecked());
        EXPECT_TRUE(named(*offline, "PlaySounds1")->isChecked());
        EXPECT_FALSE(named(*offline, "ManualSort1")->isChecked());
        named(*offline, "ManualSort1")->trigger();
    }
    host.reset();
    startHost();
    auto table = open({});
    EXPECT_TRUE(waitUntil([&] { return host->server().state().botdelay == 500; }));
    EXPECT_TRUE(named(*table, "ManualSort1")->isChecked());
    EXPECT_TRUE(table->table().manualSort());
    EXPECT_FALSE(named(*table, "PlaySounds1")->isChecked());
    EXPECT_FALSE(table->sounds().isEnabled());
    EXPECT_TRUE(named(*table, "Fast1")->isChecked());
    EXPECT_FALSE(named(*table, "Normal1")->isChecked());
    EXPECT_TRUE(named(*table, "N12")->isChecked());
    EXPECT_EQ(table->chatPanel()->chatTextSize(), 12);
    EXPECT_FALSE(table->eventLogShown());
    EXPECT_EQ(table->chatPanel()->textColour(), chat::kRed);
    EXPECT_EQ(table->chatPanel()->mychat()->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(table->chatPanel()->actionColour(), 0x123456u);
    EXPECT_EQ(table->phraseStrip()->phrase(3), QStringLiteral("Hi all"));
    EXPECT_EQ(table->phraseStrip()->phrase(4), QStringLiteral("Excellent!"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('|')).toStdString();
}

TEST_F(CompanyTest, AnUnwritableSettingsFileIsReportedAndTheOptionKeepsItsNewState) {
    // A folder where the file should be: it can be neither read nor replaced.
    const QString path = userFolders.filePath(QStringLiteral("config/quintrel/pelnorlobby.ini"));
    ASSERT_TRUE(QDir().mkpath(path));
    auto table = open({});
    named(*table, "PlaySounds1")->trigger();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Unable to write to ") + path});
    EXPECT_FALSE(named(*table, "PlaySounds1")->isChecked());
    EXPECT_FALSE(table->sounds().isEnabled());
}

TEST_F(CompanyTest, TheHostRemovesASpectatorFromTheSpyList) {
    auto table = open({});
    auto guest = open({"Zed", "127.0.0.1", "false"});
    Peer cid("Cid"), dee("Dee"), sam("Sam");
    auto* list = named<QListWidget>(*table->spyList(), "listbox_spys");
    ASSERT_TRUE(waitUntil([&] { return entries(list) == QStringList{"5: Sam"}; }));
    ASSERT_TRUE(waitUntil([&] { return lines(*guest).contains(QStringLiteral("Sam is spying.")); }));
    EXPECT_EQ(entries(named<QListWidget>(*guest->spyList(), "listbox_spys")), QStringList{"5: Sam"});
    EXPECT_FALSE(named(*guest->spyList(), "popup_kickhim")->isEnabled());

    named(*table, "SpyList1")->trigger();
    chat::Tspylist& window = *table->spyList();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quintrel - Spys"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);

    // Below the last entry the pointer is over nobody: the item does nothing there.
    QAction* remove = named(window, "popup_kickhim");
    ASSERT_TRUE(remove->isEnabled());
    const QPoint onSam = list->visualItemRect(list->item(0)).center();
    pointerAt(list->viewport(), onSam);
    EXPECT_EQ(window.hoveredEntry(), 0);
    pointerAt(list->viewport(), QPoint(10, list->viewport()->height() - 4));
    EXPECT_EQ(window.hoveredEntry(), -1);
    remove->trigger();
    pointerAt(list->viewport(), onSam);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onSam, list->viewport()->mapToGlobal(onSam));
    QApplication::sendEvent(list->viewport(), &rightClick);
    auto* popup = named<QMenu>(window, "PopupMenu1");
    ASSERT_TRUE(popup->isVisible());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(remove).center());

    ASSERT_TRUE(waitUntil([&] { return sam.socket.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(cid.socket.state(), QAbstractSocket::ConnectedState);
    for (Tchat* each : {table.get(), guest.get()}) {
        ASSERT_TRUE(waitUntil([&] { return lines(*each).contains(QStringLiteral("Sam has left.")); }));
        EXPECT_EQ(runsOf(*each, QStringLiteral("Sam has left.")), QStringLiteral("Sam has left.@#000080"));
        EXPECT_EQ(entries(named<QListWidget>(*each->spyList(), "listbox_spys")), QStringList());
    }
    named<QPushButton>(window, "Button1")->click();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace quintrel::table
