#pragma once
// The chat log `mainchat`: a read-only rich-text log that every chat line and notice is
// appended to with addlinetochat. Links in it are found under the mouse and open on a left
// click through an opener the window may replace.

#include "chat/colour_text.h"
#include "chat/link_finder.h"

#include <QTextCursor>
#include <QTextEdit>

#include <functional>
#include <optional>
#include <string_view>

namespace quintrel::chat {

class ChatLogView : public QTextEdit {
    Q_OBJECT
public:
    // Oldest lines are dropped beyond this, so a long evening cannot grow the log without end.
    static constexpr int kMaxLines = 5000;
    static constexpr int kDefaultTextSize = 8;
    static constexpr int kMaxTextSize = 72;

    // Gets the text to open, already checked by linkToOpen.
    using LinkOpener = std::function<void(const QString&)>;

    explicit ChatLogView(QWidget* parent = nullptr);

    // Head (through the first ":") bold, rest plain, both in `colour`; then a line end. Nothing
    // in `text` is markup. With scroll-off the view stays where it is, otherwise it shows the
    // newest line.
    void addlinetochat(std::string_view text, Colour colour);

    void setScrollOff(bool on);
    bool scrollOff() const { return scrollOff_; }
    void setTextSize(int points);
    int textSize() const { return font().pointSize(); }
    void setLinkOpener(LinkOpener opener) { opener_ = std::move(opener); }

    // A point in viewport coordinates; the link under it, with positions in the document.
    std::optional<FoundLink> IsURLAt(QPoint point) const;
    // Selects the link under the point and opens it when it is a web or mail link.
    bool OpenURLAt(QPoint point);

    // The selected text as plain text, also while the selection is hidden.
    QString selectedPlainText() const;
    void clearLog();

signals:
    void mouseReleased();
    void copyRequested();  // Ctrl+C in the log

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void hideSelection();
    void showSelection();
    int blockTop(const QTextBlock& block) const;

    bool scrollOff_ = false;
    // While scroll-off is on and the log lacks focus, its selection is kept here, not shown.
    std::optional<QTextCursor> hiddenSelection_;
    LinkOpener opener_;
};

}  // namespace quintrel::chat
