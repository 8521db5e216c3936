#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>

#include "extras/qt/tally_window.h"

namespace quintrel {
namespace {

using Entries = std::vector<std::pair<QString, bool>>;  // text, checked

Entries entries(const Ttallylist& window, const char* name) {
    Entries all;
    const auto* list = window.findChild<QListWidget*>(QString::fromLatin1(name));
    for (int i = 0; list != nullptr && i < list->count(); ++i)
        all.emplace_back(list->item(i)->text(), list->item(i)->checkState() == Qt::Checked);
    return all;
}

QListWidgetItem* item(const Ttallylist& window, const char* name, int row) {
    return window.findChild<QListWidget*>(QString::fromLatin1(name))->item(row);
}

TEST(TallyWindow, TallyingShowingAndDeletingAPlayer) {
    const auto dir = std::filesystem::temp_directory_path() / "quintrel_tally_window_test";
    std::filesystem::remove_all(dir);
    const std::string file = (dir / "quintreltally.tld").string();
    const TallyRoster table{{"Ann", "Bob", "Klot", "Kling"}, 1};
    {
        Ttallylist window;
        EXPECT_EQ(window.windowTitle(), "Quintrel - Tally List");
        window.open(file);
        window.show();  // its rows are made at the first show
        std::vector<QString> asked;
        bool yes = false;
        window.setQuestion([&](const QString& question) {
            asked.push_back(question);
            return yes;
        });
        window.loadchecklist(table);
        EXPECT_EQ(entries(window, "checklist"), (Entries{{"Bob", false}, {"Klot", false}, {"Kling", false}}));
        item(window, "checklist", 1)->setCheckState(Qt::Checked);
        EXPECT_EQ(entries(window, "listbox_tally"), (Entries{{"Klot", true}}));
        EXPECT_EQ(entries(window, "checklist"), (Entries{{"Bob", false}, {"Klot", true}, {"Kling", false}}));

        window.addgame("Ann and Klot", table);
        EXPECT_TRUE(std::filesystem::exists(file)) << "saved after each game";
        window.addgame("Bob and Kling", table);
        window.findChild<QListWidget*>("listbox_tally")->setCurrentRow(0);
        const auto text = [&](const QString& name) { return window.findChild<QLabel*>(name)->text(); };
        EXPECT_EQ(text("mylabel_1"), "2");
        EXPECT_EQ(text("mylabel_2"), "1");
        EXPECT_EQ(text("label_hisnametop"), "Klot's Tally");
        EXPECT_EQ(text("label_hisname"), "Klot Wins:");
        const char* kCounts[] = {"2", "0", "0", "1", "2", "0", "0", "1"};
        for (int k = 1; k <= 8; ++k) EXPECT_EQ(text(QStringLiteral("label_%1").arg(k)), kCounts[k - 1]) << k;

        // "No" keeps the row and the check; "Yes" deletes the row, and the player is
        // no longer checked in the game's list.
        item(window, "listbox_tally", 0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(asked, std::vector<QString>{"This will delete Klot's Tally, Are you want to delete it?"});
        EXPECT_EQ(entries(window, "listbox_tally"), (Entries{{"Klot", true}}));
        yes = true;
        item(window, "listbox_tally", 0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(entries(window, "listbox_tally"), Entries{});
        EXPECT_EQ(entries(window, "checklist"), (Entries{{"Bob", false}, {"Klot", false}, {"Kling", false}}));
        EXPECT_EQ(text("mylabel_1"), "2");

        window.findChild<QPushButton*>("FlatButton1")->click();
        EXPECT_FALSE(window.isVisible());
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quintrel
