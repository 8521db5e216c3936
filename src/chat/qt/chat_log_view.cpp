#include "chat/qt/chat_log_view.h"

#include "chat/chat_line.h"
#include "chat/qt/colour_qt.h"
#include "net/qt/latin1_text.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocumentFragment>

namespace quintrel::chat {
namespace {

constexpr int kInnerBorder = 5;

}  // namespace

ChatLogView::ChatLogView(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("mainchat"));
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every line is one block, and the log always ends with an empty one.
    document()->setMaximumBlockCount(kMaxLines + 1);
    document()->setDocumentMargin(kInnerBorder);
    QFont plain(QStringLiteral("Sans Serif"));
    plain.setStyleHint(QFont::SansSerif);
    plain.setPointSize(kDefaultTextSize);
    setFont(plain);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
}

int ChatLogView::blockTop(const QTextBlock& block) const {
    return qRound(document()->documentLayout()->blockBoundingRect(block).top());
}

void ChatLogView::addlinetochat(std::string_view text, Colour colour) {
    setUpdatesEnabled(false);
    // With scroll-off the view is pinned to the line at its top: dropping the oldest lines
    // above it must not move it either.
    QTextCursor topLine;
    QTextCursor caret;
    int intoTopLine = 0;
    if (scrollOff_) {
        topLine = cursorForPosition(QPoint(0, 0));
        intoTopLine = verticalScrollBar()->value() - blockTop(topLine.block());
        caret = textCursor();
    }

    const std::string shown = logText(text);
    const auto parts = splitChatLine(shown);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.beginEditBlock();
    QTextCharFormat format;
    format.setForeground(toQColor(colour));
    format.setFontWeight(QFont::Bold);
    if (!parts.head.empty()) end.insertText(latin1(parts.head), format);
    format.setFontWeight(QFont::Normal);
    end.insertText(latin1(parts.rest), format);
    end.insertBlock(QTextBlockFormat(), format);
    end.endEditBlock();

    if (scrollOff_) {
        setTextCursor(caret);
        verticalScrollBar()->setValue(blockTop(topLine.block()) + intoTopLine);
    } else {
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    setUpdatesEnabled(true);
    viewport()->update();
}

void ChatLogView::setScrollOff(bool on) {
    scrollOff_ = on;
    if (on && !hasFocus())
        hideSelection();
    else if (!on)
        showSelection();
}

void ChatLogView::setTextSize(int points) {
    // The settings file may hold any integer; a size nobody could read is left alone.
    if (points < 1 || points > kMaxTextSize) return;
    QFont sized = font();
    sized.setPointSize(points);
    setFont(sized);
    // The lines wrap anew and the old scroll value points into the middle of the history.
    if (!scrollOff_) {
        QTextCursor end = textCursor();
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
        ensureCursorVisible();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
}

std::optional<FoundLink> ChatLogView::IsURLAt(QPoint point) const {
    const QPointF inDocument(point.x() + horizontalScrollBar()->value(),
                             point.y() + verticalScrollBar()->value());
    const int position = document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    if (position < 0) return std::nullopt;
    const QTextBlock block = document()->findBlock(position);
    // A word never runs past the end of its line, so the line alone is enough.
    QByteArray line = block.text().toLatin1();
    if (block.next().isValid()) line.append('\n');
    auto link = linkAt(std::string_view(line.constData(), static_cast<std::size_t>(line.size())),
                       static_cast<std::size_t>(position - block.position()));
    if (link) link->start += static_cast<std::size_t>(block.position());
    return link;
}

bool ChatLogView::OpenURLAt(QPoint point) {
    const auto link = IsURLAt(point);
    if (!link) return false;
    const int scrolled = verticalScrollBar()->value();
    QTextCursor selection(document());
    selection.setPosition(static_cast<int>(link->start));
    selection.setPosition(static_cast<int>(link->start + link->length), QTextCursor::KeepAnchor);
    setTextCursor(selection);
    verticalScrollBar()->setValue(scrolled);
    const auto target = linkToOpen(link->text);
    if (!target) return false;
    if (opener_) opener_(latin1(*target));
    return true;
}

QString ChatLogView::selectedPlainText() const {
    const QTextCursor& selection = hiddenSelection_ ? *hiddenSelection_ : textCursor();
    return QTextDocumentFragment(selection).toPlainText();
}

void ChatLogView::clearLog() {
    hiddenSelection_.reset();
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    all.setCharFormat(QTextCharFormat());
    setTextCursor(all);
}

void ChatLogView::hideSelection() {
    if (!textCursor().hasSelection()) return;
    hiddenSelection_ = textCursor();
    QTextCursor caret = textCursor();
    caret.clearSelection();
    const int scrolled = verticalScrollBar()->value();
    setTextCursor(caret);
    verticalScrollBar()->setValue(scrolled);
}

void ChatLogView::showSelection() {
    if (!hiddenSelection_) return;
    const int scrolled = verticalScrollBar()->value();
    setTextCursor(*hiddenSelection_);
    hiddenSelection_.reset();
    verticalScrollBar()->setValue(scrolled);
}

void ChatLogView::mouseMoveEvent(QMouseEvent* event) {
    QTextEdit::mouseMoveEvent(event);
    viewport()->setCursor(IsURLAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ChatLogView::mousePressEvent(QMouseEvent* event) {
    QTextEdit::mousePressEvent(event);
    // A link that cannot be opened is ignored, as is a failure of the desktop to open one.
    if (event->button() == Qt::LeftButton) OpenURLAt(event->position().toPoint());
}

void ChatLogView::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}

void ChatLogView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void ChatLogView::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    showSelection();
}

void ChatLogView::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    if (scrollOff_) hideSelection();
}

}  // namespace quintrel::chat
