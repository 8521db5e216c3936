#include "chat/chat_line.h"
#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quintrel::chat {
namespace {

struct Run {
    QString text;
    bool bold;
    QColor colour;
};

std::vector<Run> runsOfLine(const ChatLogView& log, int line) {
    std::vector<Run> runs;
    const QTextBlock block = log.document()->findBlockByNumber(line);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const auto fragment = it.fragment();
        runs.push_back({fragment.text(), fragment.charFormat().fontWeight() == QFont::Bold,
                        fragment.charFormat().foreground().color()});
    }
    return runs;
}

QString lineText(const ChatLogView& log, int line) { return log.document()->findBlockByNumber(line).text(); }

class ChatPanelTest : public testing::Test {
protected:
    ChatPanelTest() {
        panel.resize(420, 260);
        panel.setLinkOpener([this](const QString& link) { opened.push_back(link); });
        panel.show();
        panel.activateWindow();  // window shortcuts and focus need an active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(&panel));
    }

    ChatLogView& log() { return *panel.mainchat(); }

    // The middle of the first occurrence of `text` in the log, in viewport coordinates.
    QPoint pointAt(const QString& text) {
        const int at = log().document()->toPlainText().indexOf(text);
        EXPECT_GE(at, 0) << text.toStdString();
        QTextCursor cursor(log().document());
        cursor.setPosition(at + 1);
        return log().cursorRect(cursor).center();
    }

    QAction* action(const char* name) { return panel.findChild<QAction*>(QString::fromLatin1(name)); }

    ChatPanel panel;
    std::vector<QString> opened;
};

TEST_F(ChatPanelTest, TypedLinesLeaveAsChatOrActionText) {
    QSignalSpy chats(&panel, &ChatPanel::chatRequested);
    QSignalSpy actions(&panel, &ChatPanel::actionRequested);
    QLineEdit* mychat = panel.mychat();
    ASSERT_EQ(mychat->objectName(), "mychat");
    EXPECT_EQ(mychat->text(), "<Enter Chat Here>");
    panel.setTextColour(kNavy);
    panel.setActionColour(0x000080FF);

    QTest::mouseClick(mychat, Qt::LeftButton);
    QTest::keyClicks(mychat, "hi a|b");
    EXPECT_EQ(mychat->text(), "hi a|b");
    QTest::keyClick(mychat, Qt::Key_Return);
    ASSERT_EQ(chats.count(), 1);
    EXPECT_EQ(chats.at(0).at(0).toByteArray(), QByteArray("hi a|b|clNavy"));
    EXPECT_EQ(mychat->text(), "");

    QTest::keyClicks(mychat, "/me waves");
    QTest::keyClick(mychat, Qt::Key_Enter);
    ASSERT_EQ(actions.count(), 1);
    EXPECT_EQ(actions.at(0).at(0).toByteArray(), QByteArray("waves|$000080FF"));

    QTest::keyClicks(mychat, "/quit");
    QTest::keyClick(mychat, Qt::Key_Return);
    EXPECT_EQ(mychat->text(), "");
    EXPECT_EQ(chats.count() + actions.count(), 2);

    bool loggedin = false;
    panel.setLoggedIn([&] { return loggedin; });
    QTest::keyClicks(mychat, "too early");
    QTest::keyClick(mychat, Qt::Key_Return);
    EXPECT_EQ(mychat->text(), "too early");
    EXPECT_EQ(chats.count(), 1);
}

TEST_F(ChatPanelTest, ReceivedLinesShowTheirBoldHeadInTheSendersColour) {
    panel.chatrecieved("Ann chats: time: 5|clBlue");
    panel.chatrecieved("Ann waves|$000080FF");
    panel.chatrecieved("Mallory chats: no colour");
    const QColor blue(0, 0, 255);
    const auto chat = runsOfLine(log(), 0);
    ASSERT_EQ(chat.size(), 2u);
    EXPECT_EQ(chat[0].text, "Ann chats:");
    EXPECT_TRUE(chat[0].bold);
    EXPECT_EQ(chat[0].colour, blue);
    EXPECT_EQ(chat[1].text, " time: 5");
    EXPECT_FALSE(chat[1].bold);
    EXPECT_EQ(chat[1].colour, blue);
    const auto action = runsOfLine(log(), 1);
    ASSERT_EQ(action.size(), 1u);
    EXPECT_FALSE(action[0].bold);
    EXPECT_EQ(action[0].colour, QColor(255, 128, 0));
    EXPECT_EQ(runsOfLine(log(), 2).at(0).colour, QColor(255, 0, 0));
}

TEST_F(ChatPanelTest, APeersTextIsNeverMarkupNorMoreThanOneLine) {
    panel.chatrecieved(
        "Eve chats: <b>big</b> <img src=\"file:///etc/passwd\"> &amp;\r\nCMD_x\x01 caf\xE9|clRed");
    EXPECT_EQ(log().document()->blockCount(), 2);
    EXPECT_EQ(
        lineText(log(), 0),
        QString::fromLatin1("Eve chats: <b>big</b> <img src=\"file:///etc/passwd\"> &amp;??CMD_x? caf\xE9"));
    for (const auto& run : runsOfLine(log(), 0)) EXPECT_EQ(run.bold, run.text == "Eve chats:");

    // Cut to what fits on the wire, so one long word cannot stall the window.
    panel.chatrecieved(std::string(1 << 20, 'z') + "|clBlue");
    EXPECT_EQ(lineText(log(), 1), QString(kMaxShownLine, 'z'));
}

TEST_F(ChatPanelTest, ALeftClickOpensOnlyWebAndMailLinks) {
    panel.addlinetochat("www.first.org", kBlue);
    panel.addlinetochat("Bob chats: see http://example.com/x. or file://c:/evil.exe", kBlue);
    QWidget* viewport = log().viewport();

    QTest::mouseMove(viewport, pointAt("example"));
    EXPECT_EQ(viewport->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(viewport, pointAt("see"));
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointAt("example"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://example.com/x");
    EXPECT_EQ(log().textCursor().selectedText(), "http://example.com/x");

    // Found and selected like any link, but a click must not run a local file.
    QTest::mouseMove(viewport, pointAt("evil"));
    EXPECT_EQ(viewport->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointAt("evil"));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(log().textCursor().selectedText(), "file://c:/evil.exe");

    const QPoint at = pointAt("example");
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &rightClick);
    auto* popup = panel.findChild<QMenu*>("PopupMenu1");
    ASSERT_TRUE(popup && popup->isVisible());
    popup->hide();
    EXPECT_EQ(opened.size(), 1u);
    // Below the last line and beside a line's end there is no character, so no link.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, pointAt("first").y()));
    EXPECT_EQ(opened.size(), 1u);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointAt("first"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], "http://www.first.org");
}

TEST_F(ChatPanelTest, ClicksInTheLogGiveTheFocusBackToTheTypingLine) {
    EXPECT_TRUE(panel.mychat()->hasFocus());
    panel.addlinetochat("You are Connected.", kBlue);
    log().setFocus();
    ASSERT_TRUE(log().hasFocus());
    QTest::mouseClick(log().viewport(), Qt::LeftButton, {}, pointAt("Connected"));
    EXPECT_TRUE(panel.mychat()->hasFocus());
}

TEST_F(ChatPanelTest, TheLogKeepsTheNewestLines) {
    const int total = ChatLogView::kMaxLines + 10;
    for (int i = 0; i < total; ++i) panel.addlinetochat("line " + std::to_string(i), kBlack);
    EXPECT_EQ(log().document()->blockCount(), ChatLogView::kMaxLines + 1);
    EXPECT_EQ(lineText(log(), 0), "line 10");
    EXPECT_EQ(lineText(log(), ChatLogView::kMaxLines - 1), QString("line %1").arg(total - 1));
}

TEST_F(ChatPanelTest, ScrollOffHoldsTheViewWhileLinesArriveAndOldOnesGo) {
    for (int i = 0; i < ChatLogView::kMaxLines; ++i) panel.addlinetochat("line " + std::to_string(i), kBlack);
    QScrollBar* bar = log().verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(bar->maximum() / 2);
    const QString topLine = log().cursorForPosition(QPoint(0, 0)).block().text();
    action("ChatScrollOff1")->trigger();
    EXPECT_TRUE(panel.scrollOff());
    EXPECT_TRUE(action("ScrollOff1")->isChecked());
    for (int i = 0; i < 40; ++i) panel.addlinetochat("new " + std::to_string(i), kBlack);
    EXPECT_EQ(log().cursorForPosition(QPoint(0, 0)).block().text(), topLine);
    EXPECT_EQ(lineText(log(), 0), "line 40");

    QTest::keyClick(panel.mychat(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(panel.scrollOff());
    EXPECT_FALSE(action("ScrollOff1")->isChecked());
    panel.addlinetochat("latest", kBlack);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTextCursor latest(log().document()->findBlockByNumber(log().document()->blockCount() - 2));
    EXPECT_EQ(latest.block().text(), "latest");
    EXPECT_TRUE(log().viewport()->rect().contains(log().cursorRect(latest)));
}

TEST_F(ChatPanelTest, ColourAndSizeItemsChangeTheSettings) {
    QSignalSpy saved(&panel, &ChatPanel::settingsChanged);
    std::optional<Colour> answer = kNavy;
    Colour preset = 0;
    panel.setColourPicker([&](Colour current, QWidget*) {
        preset = current;
        return answer;
    });
    panel.setTextColour(kGreen);
    action("TextColor1")->trigger();
    EXPECT_EQ(preset, kGreen);
    EXPECT_EQ(panel.textColour(), kNavy);
    EXPECT_EQ(panel.mychat()->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(saved.count(), 1);

    answer.reset();  // Cancel
    action("TextColor1")->trigger();
    EXPECT_EQ(panel.textColour(), kNavy);
    EXPECT_EQ(saved.count(), 1);
    action("ActionColor1")->trigger();
    EXPECT_EQ(panel.actionColour(), kBlack);
    EXPECT_EQ(saved.count(), 2) << "Action Color saves even on Cancel";

    EXPECT_EQ(panel.chatTextSize(), 8);
    action("N12")->trigger();
    EXPECT_EQ(panel.chatTextSize(), 12);
    EXPECT_EQ(saved.count(), 3);
    panel.setChatTextSize(0);  // from a damaged settings file
    EXPECT_EQ(panel.chatTextSize(), 12);
}

TEST_F(ChatPanelTest, CopyPasteAndClear) {
    panel.addlinetochat("Ann chats: copy me", kBlue);
    QTextCursor selection(log().document());
    selection.setPosition(11);
    selection.setPosition(18, QTextCursor::KeepAnchor);
    log().setTextCursor(selection);
    // With scroll-off on, the selection is hidden while the log lacks focus, yet still copied.
    panel.setScrollOff(true);
    EXPECT_FALSE(log().textCursor().hasSelection());
    action("Copy1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "copy me");
    panel.setScrollOff(false);
    EXPECT_EQ(log().textCursor().selectedText(), "copy me");

    QApplication::clipboard()->setText("pasted");
    QTest::keyClicks(panel.mychat(), "typed");
    QTest::keyClick(panel.mychat(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(panel.mychat()->text(), "pasted");

    action("ClearMainChat2")->trigger();
    EXPECT_EQ(log().document()->toPlainText(), "");
}

}  // namespace
}  // namespace quintrel::chat
