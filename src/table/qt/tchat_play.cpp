// The table window's aids to play: the Play menu and its keys, the event log and its menu
// item, the tooltips, the questions asked before a game is ended, and the box that says why
// the table ends.

#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"
#include "table/event_log.h"
#include "table/qt/message_boxes.h"
#include "table/qt/start_dialog.h"
#include "table/qt/tchat.h"
#include "table/qt/tooltips.h"
#include "table/table_state.h"
#include "net/qt/latin1_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace quintrel::table {
namespace {

// The turn's actions on the keyboard: each calls the handler of the click it stands for.
struct PlayKey {
    const char* name;
    const char* text;
    std::vector<Qt::Key> keys;  // the first one is shown in the menu
    void (*act)(TableState&);
};

const std::vector<PlayKey>& playKeys() {
    static const std::vector<PlayKey> keys = {
        {"Draw1", "Draw", {Qt::Key_D}, [](TableState& t) { t.drawFromShoe(); }},
        {"PickUp1", "Pick Up", {Qt::Key_P}, [](TableState& t) { t.takeDiscardPile(); }},
        {"CreateBook1",
         "Create Book",
         {Qt::Key_Enter, Qt::Key_Return},
         [](TableState& t) { t.createFromSquares(); }},
        {"ClearSquares1", "Clear Squares", {Qt::Key_Backspace}, [](TableState& t) { t.clearSquares(); }},
        {"SelectLeft1", "Select Left", {Qt::Key_Left}, [](TableState& t) { t.moveSelection(-1); }},
        {"SelectRight1", "Select Right", {Qt::Key_Right}, [](TableState& t) { t.moveSelection(+1); }},
        {"LayOnSquare1", "Lay on Square", {Qt::Key_Up}, [](TableState& t) { t.layOnNextSquare(); }},
        {"Discard1", "Discard", {Qt::Key_Delete}, [](TableState& t) { t.discardSelected(); }},
    };
    return keys;
}

bool isPlayKey(const QKeyEvent& key) {
    if (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
    for (const PlayKey& play : playKeys())
        for (Qt::Key k : play.keys)
            if (key.key() == k) return true;
    return false;
}

}  // namespace

void Tchat::buildPlayMenu() {
    QMenu* play = menuBar()->addMenu(QStringLiteral("&Play"));
    play->setObjectName(QStringLiteral("Play1"));
    for (const PlayKey& key : playKeys()) {
        if (&key == &playKeys()[4]) play->addSeparator();  // the hand's keys from here
        QAction* action = play->addAction(QString::fromLatin1(key.text));
        action->setObjectName(QString::fromLatin1(key.name));
        QList<QKeySequence> sequences;
        for (Qt::Key k : key.keys) sequences << QKeySequence(k);
        action->setShortcuts(sequences);
        connect(action, &QAction::triggered, this, [this, act = key.act] {
            act(*table_);
            refresh();
        });
    }
    // Typing in the chat, Enter sends the line and Backspace, Delete and the arrows edit it.
    chat_->mychat()->installEventFilter(this);
    chat_->mainchat()->installEventFilter(this);
}

bool Tchat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isPlayKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();  // the key goes to the chat, not to the table
        return false;
    }
    // Escape in the typing line hands the keys to the table.
    if (watched == chat_->mychat() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        tableArea_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tchat::buildPlayAids() {
    QMenu* options = menuBar()->findChild<QMenu*>(QStringLiteral("Options1"));
    eventLogAction_ = (options ? options : menuBar()->addMenu(QStringLiteral("&Options")))
                          ->addAction(QStringLiteral("Game Events in Chat"));
    eventLogAction_->setObjectName(QStringLiteral("EventLog1"));
    eventLogAction_->setCheckable(true);
    eventLogAction_->setChecked(eventLog_->enabled());
    connect(eventLogAction_, &QAction::triggered, this, [this](bool checked) {
        setEventLogShown(checked);
        saveSetting("EventLog", checked ? "true" : "false");
        emit eventLogToggled(checked);
    });

    applyControlTips(this);
    applyControlTips(startDialog_);
    connect(startDialog_, &StartDialog::dismissed, this, [this] {
        table_->closeStartDialog(startDialog_->form());
        refresh();
    });
}

void Tchat::setEventLogShown(bool on) {
    eventLog_->setEnabled(on);
    if (eventLogAction_->isChecked() != on) eventLogAction_->setChecked(on);
}

bool Tchat::eventLogShown() const { return eventLog_->enabled(); }

void Tchat::showError(std::string_view text) { errorBox(this, latin1(text)); }

bool Tchat::confirm(std::string_view question) { return confirmBox(this, latin1(question)); }

void Tchat::closeEvent(QCloseEvent* event) {
    if (!closingByProgram_ && ishost_ && table_->gameInProgress() &&
        !confirm("Leaving ends the game for everyone at this table.")) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace quintrel::table
