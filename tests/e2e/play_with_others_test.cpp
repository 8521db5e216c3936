#include "app/desktop.h"
#include "engine/host_state.h"
#include "extras/qt/about_window.h"
#include "extras/qt/desktop_open.h"
#include "extras/qt/download_window.h"
#include "extras/qt/help_window.h"
#include "extras/qt/play_with_others_dialog.h"
#include "extras/qt/user_files.h"
#include "net/qt/game_port.h"
#include "table/qt/side_windows.h"
#include "version.h"
#include "window_host.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace quintrel::table {
namespace {

using kit::waitUntil;

struct PlayWithOthers : kit::WindowHostTest {
    void TearDown() override {
        desktop.reset();
        setDesktopOpener({});
        WindowHostTest::TearDown();
    }
    // The desktop program as its main() makes it, started without a command line.
    void startSolo() {
        desktop = std::make_unique<app::Desktop>(std::vector<std::string>{});
        desktop->show();
        ASSERT_TRUE(waitUntil([&] { return desktop->table().session().loggedin(); }));
    }
    SideWindows& side() { return desktop->table().sideWindows(); }
    template <typename Widget>
    Widget* in(QWidget* window, const char* name) {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    QString settingsText() {
        QFile file(settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    std::unique_ptr<app::Desktop> desktop;
};

TEST_F(PlayWithOthers, ASoloStartOffersTheDownloadUntilThePlayerSaysNotAgain) {
    startSolo();
    Tdownload* download = side().download();
    ASSERT_TRUE(waitUntil([&] { return download->isVisible(); }));
    EXPECT_EQ(download->windowTitle(), QStringLiteral("Download The Pelnor11 Lobby"));
    in<QCheckBox>(download, "checkbox_hide")->click();
    EXPECT_TRUE(settingsText().contains(QStringLiteral("HideDownload=true"))) << settingsText().toStdString();

    desktop.reset();
    startSolo();
    QTest::qWait(100);
    EXPECT_FALSE(side().download()->isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
}

TEST_F(PlayWithOthers, JoinsAFriendsTableThroughTheDialogAndRemembersIt) {
    startHost();  // the friend's machine
    host->startListening(net::ListenScope::LoopbackOnly, 0);
    const quint16 friendPort = host->listener().port();
    startSolo();
    ASSERT_TRUE(waitUntil([&] { return side().download()->isVisible(); }));
    in<QPushButton>(side().download(), "Button2")->click();  // no lobby program installed
    PlayWithOthersDialog* dialog = side().playWithOthersDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());

    QSignalSpy replaced(desktop.get(), &app::Desktop::tableReplaced);
    in<QPushButton>(dialog, "button_join")->click();
    EXPECT_EQ(dialog->problem(), QStringLiteral("Please type your name."));
    in<QLineEdit>(dialog, "edit_name")->setText(QStringLiteral("Ann"));
    in<QComboBox>(dialog, "combo_address")->setEditText(QStringLiteral("127.0.0.1"));
    in<QSpinBox>(dialog, "edit_port")->setValue(friendPort);
    in<QPushButton>(dialog, "button_join")->click();
    ASSERT_TRUE(waitUntil([&] { return replaced.count() == 1; }));

    Tchat& table = desktop->table();
    ASSERT_TRUE(waitUntil([&] { return table.session().loggedin(); }));
    EXPECT_EQ(table.mode(), net::SessionMode::Join);
    EXPECT_EQ(table.playername(), "Ann");
    EXPECT_TRUE(
        waitUntil([&] { return host->server().state().players[table.session().myseat()].name == "Ann"; }));
    EXPECT_FALSE(desktop->host().listener().isListening());
    EXPECT_FALSE(side().download()->isVisible());

    // The next time the dialog starts from this table.
    table.findChild<QAction*>(QStringLiteral("PlaywithOthers1"))->trigger();
    dialog = side().playWithOthersDialog();
    EXPECT_EQ(in<QLineEdit>(dialog, "edit_name")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(in<QComboBox>(dialog, "combo_address")->currentText(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(in<QSpinBox>(dialog, "edit_port")->value(), friendPort);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
}

TEST_F(PlayWithOthers, HostsForOthersThroughTheDialogAndAFriendSitsDown) {
    startSolo();
    desktop->table().findChild<QAction*>(QStringLiteral("PlaywithOthers1"))->trigger();
    PlayWithOthersDialog* dialog = side().playWithOthersDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(in<QLabel>(dialog, "label_port")->text().contains(QString::number(net::gamePort())));
    QSignalSpy replaced(desktop.get(), &app::Desktop::tableReplaced);
    in<QLineEdit>(dialog, "edit_name")->setText(QStringLiteral("Bob"));
    in<QPushButton>(dialog, "button_host")->click();
    ASSERT_TRUE(waitUntil([&] { return replaced.count() == 1; }));

    Tchat& table = desktop->table();
    ASSERT_TRUE(waitUntil([&] { return table.session().loggedin(); }));
    EXPECT_EQ(table.mode(), net::SessionMode::Host);
    EXPECT_EQ(table.playername(), "Bob");
    EXPECT_TRUE(table.ishost());
    ASSERT_TRUE(desktop->host().listener().isListening());
    qputenv("QUINTREL_PORT", QByteArray::number(desktop->host().listener().port()));

    auto guest = makeTable({"Cid", "127.0.0.1", "false"});
    guest->show();
    ASSERT_TRUE(waitUntil([&] { return guest->session().loggedin(); }));
    EXPECT_EQ(guest->session().myseat(), 2);
    EXPECT_TRUE(settingsText().contains(QStringLiteral("PlayerName=Bob")));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
}

TEST_F(PlayWithOthers, HelpContentF1AboutAndTheGameLabel) {
    QStringList opened;
    setDesktopOpener([&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    auto table = makeTable({"Bob"});
    table->show();
    SideWindows& windows = table->sideWindows();
    table->findChild<QAction*>(QStringLiteral("Help2"))->trigger();  // Help > Content
    ASSERT_TRUE(windows.help()->isVisible());
    in<QPushButton>(windows.help(), "SelButton4")->click();
    in<QPushButton>(windows.help(), "button_done")->click();
    EXPECT_FALSE(windows.help()->isVisible());
    // F1 brings it back on the page last shown.
    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
    QTest::keyClick(table.get(), Qt::Key_F1);
    EXPECT_TRUE(windows.help()->isVisible());
    EXPECT_EQ(windows.help()->caption(), QStringLiteral("Scoring"));

    table->findChild<QAction*>(QStringLiteral("About1"))->trigger();
    EXPECT_TRUE(windows.about()->isVisible());
    QTest::mouseClick(table->findChild<QLabel*>(QStringLiteral("label_full")), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QString::fromLatin1(kHomepage)});
}

}  // namespace
}  // namespace quintrel::table
