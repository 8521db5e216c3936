// The table window's aids to play: the event log and its menu item, the tooltips, the
// questions asked before a game is ended, and the box that says why the table ends.

#include "table/event_log.h"
#include "table/qt/message_boxes.h"
#include "table/qt/start_dialog.h"
#include "table/qt/tchat.h"
#include "table/qt/tooltips.h"
#include "table/table_state.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace quintrel::table {
namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void Tchat::buildPlayAids() {
    QMenu* options = menuBar()->findChild<QMenu*>(QStringLiteral("Options1"));
    eventLogAction_ = (options ? options : menuBar()->addMenu(QStringLiteral("&Options")))
                          ->addAction(QStringLiteral("Game Events in Chat"));
    eventLogAction_->setObjectName(QStringLiteral("EventLog1"));
    eventLogAction_->setCheckable(true);
    eventLogAction_->setChecked(eventLog_->enabled());
    connect(eventLogAction_, &QAction::triggered, this, [this](bool checked) {
        setEventLogShown(checked);
        saveEventLogChoice(checked);
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
