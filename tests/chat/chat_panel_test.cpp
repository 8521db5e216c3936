#include "chat/chat_line.h"
#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"
#include "qt_support.h"

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

QString runsOf(const ChatLogView& log, int line) {
    return kit::runsOf(log.document()->findBlockByNumber(line));
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
    QWidget* viewport() { return panel.mainchat()->viewport(); }
    QAction* action(const char* name) { return panel.findChild<QAction*>(QString::fromLatin1(name)); }

    // The middle of the second character of `text` in the log, in viewport coordinates.
    QPoint pointAt(const QString& text) {
        QTextCursor cursor(log().document());
        cursor.setPosition(log().document()->toPlainText().indexOf(text) + 1);
        return log().cursorRect(cursor).center();
    }

    void addLines(int count, const std::string& prefix) {
        for (int i = 0; i < count; ++i) panel.addlinetochat(prefix + std::to_string(i), kBlack);
    }

    ChatPanel panel;
    std::vector<QString> opened;
};

TEST_F(ChatPanelTest, TypedLinesLeaveAsChatOrActionText) {
    QSignalSpy chats(&panel, &ChatPanel::chatRequested);
    QSignalSpy actions(&panel, &ChatPanel::actionRequested);
    QLineEdit* mychat = panel.mychat();
    EXPECT_EQ(mychat->text(), "<Enter Chat Here>");
    panel.setTextColour(kNavy);
    panel.setActionColour(0x000080FF);

    QTest::mouseClick(mychat, Qt::LeftButton);
    QTest::keyClicks(mychat, "hi a|b");
    EXPECT_EQ(mychat->text(), "hi a|b");
    QTest::keyClick(mychat, Qt::Key_Return);
    QTest::keyClicks(mychat, "/me waves");
    QTest::keyClick(mychat, Qt::Key_Enter);
    QTest::keyClicks(mychat, "/quit");
    QTest::keyClick(mychat, Qt::Key_Return);
    EXPECT_EQ(mychat->text(), "");
    ASSERT_EQ(chats.count(), 1);
    EXPECT_EQ(chats.at(0).at(0).toByteArray(), "hi a|b|clNavy");
    ASSERT_EQ(actions.count(), 1);
    EXPECT_EQ(actions.at(0).at(0).toByteArray(), "waves|$000080FF");

    panel.setLoggedIn([] { return false; });
    QTest::keyClicks(mychat, "too early");
    QTest::keyClick(mychat, Qt::Key_Return);
    EXPECT_EQ(mychat->text(), "too early");
    EXPECT_EQ(chats.count(), 1);
}

TEST_F(ChatPanelTest, ReceivedLinesShowTheirHeadBoldInTheSendersColour) {
    panel.chatrecieved("Ann chats: time: 5|clBlue");
    panel.chatrecieved("Ann waves|$000080FF");
    panel.chatrecieved("Mallory chats: no colour");
    EXPECT_EQ(runsOf(log(), 0), "*Ann chats:*@#0000ff  time: 5@#0000ff");
    EXPECT_EQ(runsOf(log(), 1), "Ann waves@#ff8000");
    EXPECT_EQ(runsOf(log(), 2), "*Mallory chats:*@#ff0000  no colour@#ff0000");
}

TEST_F(ChatPanelTest, APeersTextIsNeverMarkupNorMoreThanOneLine) {
    panel.chatrecieved(
        "Eve chats: <b>big</b> <img src=\"file:///etc/passwd\"> &amp;\r\nCMD_x\x01 caf\xE9|clRed");
    EXPECT_EQ(log().document()->blockCount(), 2);
    EXPECT_EQ(runsOf(log(), 0),
              QString::fromLatin1("*Eve chats:*@#ff0000  <b>big</b> <img src=\"file:///etc/passwd\"> "
                                  "&amp;??CMD_x? caf\xE9@#ff0000"));
    // Cut to what fits on the wire, so one long word cannot stall the window.
    panel.chatrecieved(std::string(1 << 20, 'z') + "|clBlue");
    EXPECT_EQ(lineText(log(), 1), QString(kMaxShownLine, 'z'));
}

TEST_F(ChatPanelTest, ALeftClickOpensOnlyWebAndMailLinks) {
    panel.addlinetochat("www.first.org", kBlue);
    panel.addlinetochat("Bob chats: see http://example.com/x. or file://c:/evil.exe", kBlue);
    QTest::mouseMove(viewport(), pointAt("example"));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(viewport(), pointAt("see"));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pointAt("example"));
    EXPECT_EQ(log().textCursor().selectedText(), "http://example.com/x");
    // Found and selected like any link, but a click must not run a local file.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pointAt("evil"));
    EXPECT_EQ(log().textCursor().selectedText(), "file://c:/evil.exe");
    // Below the last line and beside a line's end there is no character, so no link.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(10, viewport()->height() - 5));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(viewport()->width() - 5, pointAt("first").y()));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pointAt("first"));
    EXPECT_EQ(opened, (std::vector<QString>{"http://example.com/x", "http://www.first.org"}));
}

TEST_F(ChatPanelTest, ClicksInTheLogGiveTheFocusBackToTheTypingLine) {
    EXPECT_TRUE(panel.mychat()->hasFocus());
    panel.addlinetochat("You are Connected.", kBlue);
    log().setFocus();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pointAt("Connected"));
    EXPECT_TRUE(panel.mychat()->hasFocus());

    const QPoint at = pointAt("Connected");
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &rightClick);
    auto* popup = panel.findChild<QMenu*>("PopupMenu1");
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
}

TEST_F(ChatPanelTest, TheLogKeepsTheNewestLines) {
    addLines(ChatLogView::kMaxLines + 10, "line ");
    EXPECT_EQ(log().document()->blockCount(), ChatLogView::kMaxLines + 1);
    EXPECT_EQ(lineText(log(), 0), "line 10");
}

TEST_F(ChatPanelTest, ScrollOffHoldsTheViewWhileLinesArriveAndOldOnesGo) {
    addLines(ChatLogView::kMaxLines, "line ");
    QScrollBar* bar = log().verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const QString topLine = log().cursorForPosition(QPoint(0, 0)).block().text();
    action("ChatScrollOff1")->trigger();
    EXPECT_TRUE(action("ScrollOff1")->isChecked());
    addLines(40, "new ");
    EXPECT_EQ(lineText(log(), 0), "line 40");
    EXPECT_EQ(log().cursorForPosition(QPoint(0, 0)).block().text(), topLine);

    QTest::keyClick(panel.mychat(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(action("ScrollOff1")->isChecked());
    EXPECT_FALSE(panel.scrollOff());
    panel.addlinetochat("latest", kBlack);
    EXPECT_EQ(bar->value(), bar->maximum());
    // A new text size wraps every line anew; the newest must stay in view.
    for (const char* size : {"N14", "N8"}) {
        action(size)->trigger();
        EXPECT_EQ(bar->value(), bar->maximum()) << size;
    }
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
    EXPECT_EQ(panel.mychat()->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(saved.count(), 1);

    answer.reset();  // Cancel
    action("TextColor1")->trigger();
    action("ActionColor1")->trigger();
    EXPECT_EQ(panel.textColour(), kNavy);
    EXPECT_EQ(panel.actionColour(), kBlack);
    EXPECT_EQ(saved.count(), 2) << "Action Color saves even on Cancel";

    action("N12")->trigger();
    panel.setChatTextSize(0);  // from a damaged settings file
    EXPECT_EQ(panel.chatTextSize(), 12);
    EXPECT_EQ(saved.count(), 3);
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
