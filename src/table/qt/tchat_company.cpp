// The table window's company: the chat panel, the phrase buttons and their editor, Klot's
// remarks, the tally list and the spy list.

#include "chat/chat_send.h"
#include "chat/colour_text.h"
#include "chat/qt/chat_log_view.h"
#include "chat/qt/chat_panel.h"
#include "chat/qt/spy_list_window.h"
#include "extras/qt/phrase_strip.h"
#include "extras/qt/pictures.h"
#include "extras/qt/tally_window.h"
#include "extras/qt/tphrases.h"
#include "extras/qt/user_files.h"
#include "net/wire.h"
#include "table/qt/message_boxes.h"
#include "table/qt/tchat.h"
#include "table/table_state.h"

#include <QLineEdit>
#include <QMenu>

#include <chrono>

namespace quintrel::table {
namespace {

std::string bytes(const QByteArray& text) {
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

}  // namespace

QWidget* Tchat::buildCompany(QWidget* parent) {
    generator_.seed(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    random_ = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(generator_); };

    chat_ = new chat::ChatPanel(parent);
    chat_->setMinimumHeight(140);
    // The log stays white, as a text should; the frames match the table's gold trim.
    chat_->mainchat()->setStyleSheet(
        QStringLiteral("QTextEdit { background: white; border: 2px solid #d8be6e; border-radius: 6px; }"));
    chat_->mychat()->setStyleSheet(
        QStringLiteral("QLineEdit { background: white; border: 2px solid #d8be6e; border-radius: 6px; "
                       "padding: 1px 4px; }"));
    chat_->setLoggedIn([this] { return session_->loggedin(); });
    connect(chat_, &chat::ChatPanel::chatRequested, this, [this](const QByteArray& text) {
        sendToHost(wire::tohost::chat(session_->myseat(), bytes(text)));
    });
    connect(chat_, &chat::ChatPanel::actionRequested, this, [this](const QByteArray& text) {
        sendToHost(wire::tohost::action(session_->myseat(), bytes(text)));
    });
    connect(chat_, &chat::ChatPanel::settingsChanged, this, &Tchat::saveinifile);

    phrases_ = new PhraseStrip(chat_);
    connect(phrases_, &PhraseStrip::actionToSend, this, &Tchat::sendPhrase);
    chat_->addBesideTypingLine(phrases_);

    tally_ = new Ttallylist(this);
    table_->onGameWon = [this](const std::string& winners) { tally_->addgame(winners, tallyRoster()); };
    const TallyLoad load = tally_->open(nativePath(tallyFilePath()));
    if (load.result == TallyLoad::Result::MovedAside)
        addlinetochat(
            "The tally file could not be read (" + load.problem + "); it was kept as " + load.movedTo + ".",
            chat::kBlue);
    else if (load.result == TallyLoad::Result::Kept)
        addlinetochat(
            "The tally file could not be read (" + load.problem + "); this run will not save the tally.",
            chat::kBlue);

    return chat_;
}

Tphrases* Tchat::phraseEditor() {
    if (phraseEditor_ == nullptr) {
        phraseEditor_ = new Tphrases(*phrases_, settingsFilePath(), this);
        phraseEditor_->setErrorReporter([this](const QString& text) { errorBox(phraseEditor_, text); });
    }
    return phraseEditor_;
}

chat::Tspylist* Tchat::spyList() {
    if (spylist_ == nullptr) {
        spylist_ = new chat::Tspylist(this);
        spylist_->setBackground(Pictures::shipped().picture(Picture::Background));
        // Its popup looks like the one on the seat labels.
        if (const auto* seatPopup = findChild<QMenu*>(QStringLiteral("popup_kick")))
            spylist_->setStyleSheet(seatPopup->styleSheet());
        connect(spylist_, &chat::Tspylist::removeRequested, this, [this](int slot) {
            table_->kicking(slot);
            refresh();
        });
        syncSpyList();
    }
    return spylist_;
}

chat::ChatLogView* Tchat::mainchat() const { return chat_->mainchat(); }

void Tchat::chatrecieved(std::string_view rest) { chat_->chatrecieved(rest); }

void Tchat::botTalk(std::string_view) {
    bool computerPlayed = true;
    for (int seat = 2; seat <= kSeats; ++seat)
        computerPlayed = computerPlayed && session_->seat(seat).caption == session_->seat(seat).hint;
    // Made up here and shown here only: it never travels.
    if (const auto remark = klottalk(computerPlayed, random_)) addlinetochat(*remark, chat::kBlue);
}

// b_phrase1Click: the phrase goes out as an action in the action colour.
void Tchat::sendPhrase(const QString& actionText) {
    // The lock counts dispatch ticks: keep them coming.
    if (!drainTimer_.isActive()) drainTimer_.start();
    // Nothing to reach before the host has seated this table.
    if (!session_->loggedin()) return;
    const std::string text =
        chat::wireSafe(bytes(actionText.toLatin1())) + '|' + chat::colourToText(chat_->actionColour());
    sendToHost(wire::tohost::action(session_->myseat(), text));
}

TallyRoster Tchat::tallyRoster() const {
    TallyRoster roster;
    for (int seat = 1; seat <= kSeats; ++seat)
        roster.seats[static_cast<std::size_t>(seat - 1)] = session_->seat(seat).caption;
    roster.myseat = session_->myseat();
    return roster;
}

void Tchat::rosterChanged() {
    tally_->loadchecklist(tallyRoster());
    syncSpyList();
}

void Tchat::syncSpyList() {
    if (spylist_ == nullptr) return;  // spyList() fills it when it is made
    spylist_->setEntries(session_->spectators());
    spylist_->setHost(table_->ishost());
}

}  // namespace quintrel::table
