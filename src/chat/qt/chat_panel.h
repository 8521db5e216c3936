#pragma once
// The chat panel of the table window: the log `mainchat` above the typing line `mychat`,
// their popup menus, and the chat items of the window's Options menu. The panel does not
// know the connection: Enter emits the text to send, and received lines come in through
// chatrecieved and addlinetochat.

#include "chat/colour_text.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string_view>

class QAction;
class QHBoxLayout;
class QLineEdit;
class QMenu;

namespace quintrel::chat {

class ChatLogView;

class ChatPanel : public QWidget {
    Q_OBJECT
public:
    // Asks the player for a colour, preset to `current`; nullopt on Cancel.
    using ColourPicker = std::function<std::optional<Colour>(Colour current, QWidget* parent)>;
    using LinkOpener = std::function<void(const QString&)>;

    explicit ChatPanel(QWidget* parent = nullptr);

    // CMD_chat and CMD_action as received: the line, "|" and its colour.
    void chatrecieved(std::string_view data);
    void addlinetochat(std::string_view text, Colour colour);
    // Enter in the typing line.
    void sendit();

    // Until this says yes, Enter keeps the typed text and sends nothing.
    void setLoggedIn(std::function<bool()> loggedin) { loggedin_ = std::move(loggedin); }
    void setColourPicker(ColourPicker picker) { picker_ = std::move(picker); }
    void setLinkOpener(LinkOpener opener);

    // The settings the window loads and saves.
    Colour textColour() const { return textColour_; }
    void setTextColour(Colour colour);
    Colour actionColour() const { return actionColour_; }
    void setActionColour(Colour colour) { actionColour_ = colour; }
    int chatTextSize() const;
    void setChatTextSize(int points);
    bool scrollOff() const;
    void setScrollOff(bool on);

    // A widget to stand right of the typing line, under the log (the phrase buttons).
    void addBesideTypingLine(QWidget* widget);

    ChatLogView* mainchat() const { return mainchat_; }
    QLineEdit* mychat() const { return mychat_; }
    // For the window's Options menu; Ctrl+S works while the panel is shown.
    QAction* textColorAction() const { return TextColor1_; }
    QAction* actionColorAction() const { return ActionColor1_; }
    QMenu* textSizeMenu() const { return TextSize1_; }
    QAction* chatScrollOffAction() const { return ChatScrollOff1_; }
    QAction* clearMainChatAction() const { return ClearMainChat1_; }

signals:
    // Latin-1 text, "|" and the colour as text: what follows the seat in CMD_chat / CMD_action.
    void chatRequested(const QByteArray& textWithColour);
    void actionRequested(const QByteArray& textWithColour);
    // A colour or the text size changed through the menus: the window saves its settings.
    void settingsChanged();

private:
    void buildActions();
    void TextColor1Click();
    void ActionColor1Click();
    void ChatScrollOff1Click(bool checked);
    void ClearMainChat1Click();
    void Copy1Click();
    void Paste1Click();

    ChatLogView* mainchat_ = nullptr;
    QLineEdit* mychat_ = nullptr;
    QHBoxLayout* typingRow_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    QMenu* PopupMenu2_ = nullptr;
    QAction* Copy1_ = nullptr;
    QAction* ClearMainChat2_ = nullptr;
    QAction* ScrollOff1_ = nullptr;
    QAction* Paste1_ = nullptr;
    QAction* TextColor1_ = nullptr;
    QAction* ActionColor1_ = nullptr;
    QMenu* TextSize1_ = nullptr;
    QAction* ChatScrollOff1_ = nullptr;
    QAction* ClearMainChat1_ = nullptr;

    Colour textColour_ = kBlack;
    Colour actionColour_ = kBlack;
    std::function<bool()> loggedin_;
    ColourPicker picker_;
};

}  // namespace quintrel::chat
