#include "table/qt/chat_log.h"

#include "chat/chat_line.h"
#include "table/qt/colour_qt.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

namespace quintrel::table {
namespace {

constexpr int kInnerBorder = 5;
constexpr int kDefaultPointSize = 8;

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ChatLog::ChatLog(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("mainchat"));
    setReadOnly(true);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document()->setDocumentMargin(kInnerBorder);
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(kDefaultPointSize);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
}

void ChatLog::setScrollOff(bool on) { scrollOff_ = on; }

void ChatLog::addlinetochat(std::string_view text, chat::Colour colour) {
    setUpdatesEnabled(false);
    const int keptScroll = verticalScrollBar()->value();
    const QTextCursor keptCursor = textCursor();

    const auto parts = chat::splitChatLine(text);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(toQColor(colour));
    format.setFontWeight(QFont::Bold);
    if (!parts.head.empty()) cursor.insertText(latin1(parts.head), format);
    format.setFontWeight(QFont::Normal);
    cursor.insertText(latin1(parts.rest), format);
    cursor.insertBlock(QTextBlockFormat(), format);

    if (scrollOff_) {
        setTextCursor(keptCursor);
        verticalScrollBar()->setValue(keptScroll);
    } else {
        setTextCursor(cursor);
    }
    setUpdatesEnabled(true);
    if (!scrollOff_) {
        ensureCursorVisible();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    viewport()->update();
}

}  // namespace quintrel::table
