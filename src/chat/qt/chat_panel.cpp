#include "chat/qt/chat_panel.h"

#include "chat/chat_line.h"
#include "chat/chat_send.h"
#include "chat/qt/chat_log_view.h"
#include "chat/qt/colour_qt.h"
#include "net/qt/latin1_text.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include <limits>

namespace quintrel::chat {
namespace {

constexpr int kTypingPixelSize = 13;
constexpr int kTextSizes[] = {8, 10, 12, 14};

const QString& placeholder() {
    static const QString text = latin1(kChatPlaceholder);
    return text;
}

// `mychat`: any key empties the placeholder before it acts; Enter sends and is swallowed;
// Paste replaces the whole line.
class TypingLine : public QLineEdit {
public:
    TypingLine(std::function<void()> enter, std::function<void()> paste, QWidget* parent)
        : QLineEdit(parent), enter_(std::move(enter)), paste_(std::move(paste)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (text() == placeholder()) clear();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            enter_();
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            paste_();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        if (text() == placeholder() && !event->commitString().isEmpty()) clear();
        QLineEdit::inputMethodEvent(event);
    }

private:
    std::function<void()> enter_;
    std::function<void()> paste_;
};

std::optional<Colour> desktopColourPicker(Colour current, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(toQColor(current), parent);
    if (!chosen.isValid()) return std::nullopt;
    return fromQColor(chosen);
}

void desktopLinkOpener(const QString& link) { QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode)); }

QAction* namedAction(QObject* parent, const char* name, const QString& text) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

ChatPanel::ChatPanel(QWidget* parent) : QWidget(parent), picker_(desktopColourPicker) {
    setObjectName(QStringLiteral("chatpanel"));
    mainchat_ = new ChatLogView(this);
    mainchat_->setLinkOpener(desktopLinkOpener);
    // Reached by clicks only, so the window's first focus and Tab go to the typing line.
    mainchat_->setFocusPolicy(Qt::ClickFocus);
    mychat_ = new TypingLine([this] { sendit(); }, [this] { Paste1Click(); }, this);
    mychat_->setObjectName(QStringLiteral("mychat"));
    mychat_->setMaxLength(std::numeric_limits<int>::max());
    QFont typing;
    typing.setFamilies({QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    typing.setStyleHint(QFont::SansSerif);
    typing.setPixelSize(kTypingPixelSize);
    mychat_->setFont(typing);
    mychat_->setText(placeholder());
    setTextColour(kBlack);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(mainchat_, 1);
    typingRow_ = new QHBoxLayout;
    typingRow_->setSpacing(8);
    typingRow_->addWidget(mychat_, 1, Qt::AlignVCenter);
    layout->addLayout(typingRow_);

    buildActions();
    connect(mainchat_, &ChatLogView::mouseReleased, this,
            [this] { mychat_->setFocus(Qt::MouseFocusReason); });
    connect(mainchat_, &ChatLogView::copyRequested, this, &ChatPanel::Copy1Click);
}

void ChatPanel::buildActions() {
    Copy1_ = namedAction(this, "Copy1", QStringLiteral("Copy"));
    Copy1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    ClearMainChat2_ = namedAction(this, "ClearMainChat2", QStringLiteral("Clear Main Chat"));
    ScrollOff1_ = namedAction(this, "ScrollOff1", QStringLiteral("Chat Scroll Off"));
    ScrollOff1_->setCheckable(true);
    ScrollOff1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Paste1_ = namedAction(this, "Paste1", QStringLiteral("Paste"));
    Paste1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    // The popup items show their keys; the keys themselves are handled by the log, the typing
    // line and ChatScrollOff1, so no key is claimed twice.
    for (QAction* shown : {Copy1_, ScrollOff1_, Paste1_}) shown->setShortcutContext(Qt::WidgetShortcut);

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1_->addAction(Copy1_);
    PopupMenu1_->addAction(ClearMainChat2_);
    PopupMenu1_->addSeparator();
    PopupMenu1_->addAction(ScrollOff1_);
    PopupMenu2_ = new QMenu(this);
    PopupMenu2_->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2_->addAction(Paste1_);

    mainchat_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mainchat_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { PopupMenu1_->popup(mainchat_->viewport()->mapToGlobal(at)); });
    mychat_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mychat_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { PopupMenu2_->popup(mychat_->mapToGlobal(at)); });

    TextColor1_ = namedAction(this, "TextColor1", QStringLiteral("Text Color"));
    ActionColor1_ = namedAction(this, "ActionColor1", QStringLiteral("Action Color"));
    TextSize1_ = new QMenu(QStringLiteral("Text Size"), this);
    TextSize1_->setObjectName(QStringLiteral("TextSize1"));
    for (int points : kTextSizes) {
        QAction* size = TextSize1_->addAction(QString::number(points));
        size->setObjectName(QStringLiteral("N%1").arg(points));
        size->setCheckable(true);
        // N14Click serves all four sizes.
        connect(size, &QAction::triggered, this, [this, points] {
            setChatTextSize(points);
            emit settingsChanged();
        });
    }
    ChatScrollOff1_ = namedAction(this, "ChatScrollOff1", QStringLiteral("Chat Scroll Off"));
    ChatScrollOff1_->setCheckable(true);
    ChatScrollOff1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction(ChatScrollOff1_);  // the key works without a menu bar too
    ClearMainChat1_ = namedAction(this, "ClearMainChat1", QStringLiteral("Clear Main Chat"));

    connect(Copy1_, &QAction::triggered, this, &ChatPanel::Copy1Click);
    connect(Paste1_, &QAction::triggered, this, &ChatPanel::Paste1Click);
    connect(TextColor1_, &QAction::triggered, this, &ChatPanel::TextColor1Click);
    connect(ActionColor1_, &QAction::triggered, this, &ChatPanel::ActionColor1Click);
    connect(ChatScrollOff1_, &QAction::triggered, this, &ChatPanel::ChatScrollOff1Click);
    connect(ScrollOff1_, &QAction::triggered, this, &ChatPanel::ChatScrollOff1Click);
    connect(ClearMainChat1_, &QAction::triggered, this, &ChatPanel::ClearMainChat1Click);
    connect(ClearMainChat2_, &QAction::triggered, this, &ChatPanel::ClearMainChat1Click);
}

void ChatPanel::chatrecieved(std::string_view data) {
    const auto received = splitReceivedChat(data);
    addlinetochat(received.line, received.colour);
}

void ChatPanel::addlinetochat(std::string_view text, Colour colour) {
    mainchat_->addlinetochat(text, colour);
}

void ChatPanel::sendit() {
    const QByteArray line = mychat_->text().toLatin1();
    const auto decision =
        chat::sendit(std::string_view(line.constData(), static_cast<std::size_t>(line.size())),
                     !loggedin_ || loggedin_(), textColour_, actionColour_);
    if (decision.clearLine) mychat_->clear();
    if (!decision.outgoing) return;
    const auto& text = decision.outgoing->textWithColour;
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    if (decision.outgoing->kind == ChatKind::Chat)
        emit chatRequested(bytes);
    else
        emit actionRequested(bytes);
}

void ChatPanel::addBesideTypingLine(QWidget* widget) {
    widget->setParent(this);
    typingRow_->addWidget(widget);
}

void ChatPanel::setLinkOpener(LinkOpener opener) { mainchat_->setLinkOpener(std::move(opener)); }

void ChatPanel::setTextColour(Colour colour) {
    textColour_ = colour;
    QPalette colours = mychat_->palette();
    colours.setColor(QPalette::Text, toQColor(colour));
    mychat_->setPalette(colours);
}

int ChatPanel::chatTextSize() const { return mainchat_->textSize(); }
void ChatPanel::setChatTextSize(int points) {
    mainchat_->setTextSize(points);
    // The item named after the size in use is checked; another size checks none.
    for (QAction* size : TextSize1_->actions()) size->setChecked(size->text().toInt() == chatTextSize());
}
bool ChatPanel::scrollOff() const { return mainchat_->scrollOff(); }

void ChatPanel::setScrollOff(bool on) {
    mainchat_->setScrollOff(on);
    ChatScrollOff1_->setChecked(on);
    ScrollOff1_->setChecked(on);
}

void ChatPanel::TextColor1Click() {
    const auto chosen = picker_(textColour_, this);
    if (!chosen) return;
    setTextColour(*chosen);
    emit settingsChanged();
}

void ChatPanel::ActionColor1Click() {
    if (const auto chosen = picker_(actionColour_, this)) actionColour_ = *chosen;
    // Saved whether or not the player confirmed.
    emit settingsChanged();
}

void ChatPanel::ChatScrollOff1Click(bool checked) { setScrollOff(checked); }

void ChatPanel::ClearMainChat1Click() {
    mainchat_->clearLog();
    mychat_->setFocus(Qt::OtherFocusReason);
}

void ChatPanel::Copy1Click() { QGuiApplication::clipboard()->setText(mainchat_->selectedPlainText()); }

void ChatPanel::Paste1Click() {
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (clip && clip->hasText()) mychat_->setText(clip->text());
}

}  // namespace quintrel::chat
