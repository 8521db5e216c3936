#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextTable>

#include <map>
#include <set>

#include "engine/scoring.h"
#include "extras/qt/about_window.h"
#include "extras/qt/desktop_open.h"
#include "extras/qt/help_window.h"
#include "version.h"

namespace quintrel {
namespace {

// What the desktop was asked to open, instead of opening it.
struct OpenedLinks {
    OpenedLinks() {
        setDesktopOpener([this](const QUrl& url) {
            urls << url.toString();
            return true;
        });
    }
    ~OpenedLinks() { setDesktopOpener({}); }
    QStringList urls;
};

QString cellText(const QTextTable* table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText().trimmed();
}

// Every number of a cell: "-50" is -50; a cell without one gives nothing.
std::vector<int> numbersIn(const QString& text) {
    std::vector<int> numbers;
    static const QRegularExpression number(QStringLiteral("[-\u2212]?\\d+"));
    for (auto it = number.globalMatch(text); it.hasNext();)
        numbers.push_back(it.next().captured().replace(QChar(0x2212), QLatin1Char('-')).toInt());
    return numbers;
}

// The player reads the page as the help window shows it: its tables' rows, checked against the
// engine's values for cards of the row's ranks, and no number outside the checked cells.
TEST(HelpWindow, EveryNumberOnTheScoringPageIsTheEnginesValue) {
    Thelp help;
    QTextDocument* page = help.page(4)->document();
    // Card codes by the ranks a row names: rank = code mod 13 (0 King, 1 Ace, 2 two, 3 three).
    const std::map<QString, std::vector<int>> cardRows = {
        {QStringLiteral("Twos and jokers (wild)"), {2, 15, 28, 41, kJoker}},
        {QStringLiteral("Aces, Kings, Queens and Jacks"), {14, 27, 13, 26, 12, 25, 11, 24}},
        {QStringLiteral("Fours to Tens"), {4, 17, 5, 6, 7, 8, 9, 10, 23, 49}},
        {QStringLiteral("Threes"), {3, 16, 29, 42}},
    };
    const std::map<QString, int> bonusRows = {
        {QStringLiteral("Completing a normal book"), kNormalBookBonus},
        {QStringLiteral("Completing a wild book"), kWildBookBonus},
        {QStringLiteral("Going out"), kGoingOutBonus},
    };
    std::set<QString> seen;
    std::multiset<int> checked;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
        auto* table = qobject_cast<QTextTable*>(page->frameAt(block.position()));
        if (table == nullptr || table->cellAt(block.position()).row() != 0 ||
            table->cellAt(block.position()).column() != 0)
            continue;
        for (int row = 1; row < table->rows(); ++row) {
            const QString label = cellText(table, row, 0);
            seen.insert(label);
            if (const auto cards = cardRows.find(label); cards != cardRows.end()) {
                ASSERT_EQ(table->columns(), 3);
                const std::vector<int> melded = numbersIn(cellText(table, row, 1));
                const std::vector<int> left = numbersIn(cellText(table, row, 2));
                ASSERT_EQ(left.size(), 1u) << label.toStdString();
                for (int card : cards->second) {
                    if (isThree(card)) {
                        EXPECT_TRUE(melded.empty()) << "threes are never melded";
                    } else {
                        ASSERT_EQ(melded.size(), 1u) << label.toStdString();
                        EXPECT_EQ(melded[0], meldValue(card)) << label.toStdString() << " card " << card;
                    }
                    EXPECT_EQ(left[0], penaltyValue(card)) << label.toStdString() << " card " << card;
                }
                checked.insert(melded.begin(), melded.end());
                checked.insert(left.begin(), left.end());
            } else if (const auto bonus = bonusRows.find(label); bonus != bonusRows.end()) {
                const std::vector<int> points = numbersIn(cellText(table, row, 1));
                ASSERT_EQ(points.size(), 1u) << label.toStdString();
                EXPECT_EQ(points[0], bonus->second) << label.toStdString();
                checked.insert(points[0]);
            } else {
                ADD_FAILURE() << "a row the test does not know: " << label.toStdString();
            }
        }
    }
    EXPECT_EQ(seen.size(), cardRows.size() + bonusRows.size());
    // A number in the prose would be one nobody checks.
    std::multiset<int> onPage;
    for (int n : numbersIn(page->toPlainText())) onPage.insert(n);
    EXPECT_EQ(onPage, checked);
}

TEST(HelpWindow, EachTopicButtonBringsItsPageUnderItsCaption) {
    Thelp help;
    EXPECT_EQ(help.caption(), QStringLiteral("Overview"));
    const std::map<int, QString> kButtons = {
        {1, "Overview"}, {2, "Connecting"}, {3, "Game Play"},     {7, "Turn"},    {8, "Books"},
        {4, "Scoring"},  {9, "Strategy"},   {5, "Documentation"}, {6, "License"},
    };
    for (const auto& [page, caption] : kButtons) {
        auto* button = help.findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(page));
        ASSERT_NE(button, nullptr) << page;
        EXPECT_EQ(button->text(), caption);
        button->click();
        EXPECT_EQ(help.currentPage(), page);
        EXPECT_EQ(help.caption(), caption);
        EXPECT_FALSE(help.page(page)->toPlainText().trimmed().isEmpty()) << caption.toStdString();
    }
}

TEST(AboutWindow, ReadsVersionPointOneAndItsLinkOpensTheWebSite) {
    OpenedLinks opened;
    Tabout about;
    auto text = [&](const char* name) { return about.findChild<QLabel*>(QString::fromLatin1(name))->text(); };
    EXPECT_EQ(text("version"), QStringLiteral("1.0.3"));
    EXPECT_EQ(text("version") + text("Label3"), QStringLiteral("1.0.3.1"));
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label7")), Qt::LeftButton);
    EXPECT_EQ(opened.urls, QStringList{QString::fromLatin1(kHomepage)});
    EXPECT_FALSE(TURL(QString(), TURL::utHttps).open());  // an empty link opens nothing
    EXPECT_EQ(opened.urls.size(), 1);
}

}  // namespace
}  // namespace quintrel
