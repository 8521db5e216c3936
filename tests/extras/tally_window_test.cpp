#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>

#include "extras/qt/tally_window.h"

namespace quintrel {
namespace {

const TallyRoster kTable{{"Ann", "Bob", "Klot", "Kling"}, 1};

class TallyWindow : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("quintrel_tally_window_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string file() const { return (dir_ / "quintreltally.tld").string(); }

    static QListWidget* list(Ttallylist& window, const char* name) {
        return window.findChild<QListWidget*>(QString::fromLatin1(name));
    }
    static QString text(Ttallylist& window, const char* name) {
        const QLabel* shown = window.findChild<QLabel*>(QString::fromLatin1(name));
        return shown != nullptr ? shown->text() : QStringLiteral("(missing)");
    }
    static std::vector<std::pair<QString, bool>> entries(QListWidget* list) {
        std::vector<std::pair<QString, bool>> all;
        for (int i = 0; i < list->count(); ++i)
            all.emplace_back(list->item(i)->text(), list->item(i)->checkState() == Qt::Checked);
        return all;
    }

    std::filesystem::path dir_;
};

TEST_F(TallyWindow, ChecksChooseWhomToTallyAndNoKeepsThem) {
    Ttallylist window;
    window.open(file());
    std::vector<QString> asked;
    bool answer = false;
    window.setQuestion([&](const QString& question) {
        asked.push_back(question);
        return answer;
    });
    window.loadchecklist(kTable);
    QListWidget* tallied = list(window, "listbox_tally");
    QListWidget* playing = list(window, "checklist");
    ASSERT_TRUE(tallied && playing);
    using Entries = std::vector<std::pair<QString, bool>>;
    EXPECT_EQ(entries(playing), (Entries{{"Bob", false}, {"Klot", false}, {"Kling", false}}));

    playing->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(entries(tallied), (Entries{{"Klot", true}}));
    EXPECT_EQ(entries(playing), (Entries{{"Bob", false}, {"Klot", true}, {"Kling", false}}));

    tallied->item(0)->setCheckState(Qt::Unchecked);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "This will delete Klot's Tally, Are you want to delete it?");
    EXPECT_EQ(entries(tallied), (Entries{{"Klot", true}}));
    EXPECT_EQ(window.tally().talliedNames(), std::vector<std::string>{"Klot"});

    answer = true;
    tallied->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(tallied->count(), 0);
    EXPECT_EQ(entries(playing), (Entries{{"Bob", false}, {"Klot", false}, {"Kling", false}}));
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(TallyWindow, ShowsTheCountsAndKeepsThemAcrossARestart) {
    {
        Ttallylist window;
        EXPECT_EQ(window.windowTitle(), "Quintrel - Tally List");
        window.open(file());
        window.loadchecklist(kTable);
        list(window, "checklist")->item(1)->setCheckState(Qt::Checked);  // Klot
        window.addgame("Ann and Klot", kTable);
        EXPECT_TRUE(std::filesystem::exists(file())) << "saved after each game";
        window.addgame("Bob and Kling", kTable);
        list(window, "listbox_tally")->setCurrentRow(0);
        EXPECT_EQ(text(window, "mylabel_1"), "2");
        EXPECT_EQ(text(window, "mylabel_2"), "1");
        EXPECT_EQ(text(window, "label_hisnametop"), "Klot's Tally");
        EXPECT_EQ(text(window, "label_hisname"), "Klot Wins:");
        const char* kCounts[] = {"2", "0", "0", "1", "2", "0", "0", "1"};
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(text(window, ("label_" + std::to_string(k)).c_str()), kCounts[k - 1]) << k;
        window.findChild<QPushButton*>("FlatButton1")->click();
        EXPECT_FALSE(window.isVisible());
    }
    // A new session starts at 0.
    Ttallylist again;
    EXPECT_EQ(again.open(file()).result, TallyLoad::Result::Loaded);
    list(again, "listbox_tally")->setCurrentRow(0);
    const char* kCounts[] = {"2", "0", "0", "1", "0", "0", "0", "0"};
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(text(again, ("label_" + std::to_string(k)).c_str()), kCounts[k - 1]) << k;
    EXPECT_EQ(text(again, "mylabel_1"), "2");
}

}  // namespace
}  // namespace quintrel
