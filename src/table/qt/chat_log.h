#pragma once
// The chat log `mainchat`: a read-only rich-text log that every notice and chat line is
// appended to with addlinetochat.

#include "chat/colour_text.h"

#include <QTextEdit>

#include <string_view>

namespace quintrel::table {

class ChatLog : public QTextEdit {
    Q_OBJECT
public:
    explicit ChatLog(QWidget* parent = nullptr);

    // Head (through the first ":") bold, rest plain, both in `colour`; then a line end.
    // With scroll-off the view stays where it is, otherwise it shows the newest line.
    void addlinetochat(std::string_view text, chat::Colour colour);

    void setScrollOff(bool on);
    bool scrollOff() const { return scrollOff_; }

private:
    bool scrollOff_ = false;
};

}  // namespace quintrel::table
