// The table window's options: the chat and settings items of the Options menu, the View
// menu, and the settings file (read at login, rewritten on every change).

#include "chat/qt/chat_panel.h"
#include "chat/qt/spy_list_window.h"
#include "extras/qt/phrase_strip.h"
#include "extras/qt/sound_player.h"
#include "extras/qt/tally_window.h"
#include "extras/qt/tphrases.h"
#include "extras/qt/user_files.h"
#include "net/wire.h"
#include "table/qt/book_board.h"
#include "table/qt/message_boxes.h"
#include "table/qt/score_panel.h"
#include "table/qt/table_zoom.h"
#include "table/qt/tchat.h"
#include "table/table_state.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QLayout>
#include <QScreen>

namespace quintrel::table {
namespace {

constexpr std::array<int, 3> kBotSpeeds = {kSlowBotSpeed, kNormalBotSpeed, kFastBotSpeed};

void showWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void Tchat::buildCompanyMenus(QMenu* options) {
    QMenu* speed = options->addMenu(QStringLiteral("Bot Speed"));
    speed->setObjectName(QStringLiteral("BotSpeed1"));
    auto* speeds = new QActionGroup(speed);  // one speed at a time, none before the file is read
    const char* kNames[][2] = {{"Slow1", "Slow"}, {"Normal1", "Normal"}, {"Fast1", "Fast"}};
    for (std::size_t i = 0; i < kBotSpeeds.size(); ++i) {
        QAction* item = speed->addAction(QString::fromLatin1(kNames[i][1]));
        item->setObjectName(QString::fromLatin1(kNames[i][0]));
        item->setCheckable(true);
        item->setData(kBotSpeeds[i]);
        speeds->addAction(item);
        connect(item, &QAction::triggered, this, [this, ms = kBotSpeeds[i]] { chooseBotSpeed(ms); });
        botSpeedActions_[i] = item;
    }
    botLevelMenu_ = options->addMenu(QStringLiteral("Computer Players"));
    botLevelMenu_->setObjectName(QStringLiteral("ComputerPlayers1"));
    botLevelMenu_->menuAction()->setVisible(false);  // until the login shows this table hosts
    auto* levels = new QActionGroup(botLevelMenu_);
    const std::pair<const char*, BotLevel> kLevels[] = {{"Standard", BotLevel::Standard},
                                                        {"Expert", BotLevel::Expert}};
    for (std::size_t i = 0; i < botLevelActions_.size(); ++i) {
        QAction* item = botLevelMenu_->addAction(QString::fromLatin1(kLevels[i].first));
        item->setObjectName(QString::fromLatin1(kLevels[i].first) + QLatin1Char('1'));
        item->setCheckable(true);
        levels->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, level = kLevels[i].second] { chooseBotLevel(level, true); });
        botLevelActions_[i] = item;
    }
    options->addSeparator();
    options->addAction(chat_->textColorAction());
    options->addAction(chat_->actionColorAction());
    options->addMenu(chat_->textSizeMenu());
    options->addAction(chat_->chatScrollOffAction());
    options->addAction(chat_->clearMainChatAction());

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    auto item = [&](const char* name, const QString& text, auto window) {
        QAction* added = view->addAction(text);
        added->setObjectName(QString::fromLatin1(name));
        connect(added, &QAction::triggered, this, [window] { showWindow(window()); });
    };
    QMenu* zoom = view->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    auto* zooms = new QActionGroup(zoom);
    for (int percent : TableZoom::kLevels) {
        QAction* level = zoom->addAction(QStringLiteral("%1 %").arg(percent));
        level->setObjectName(QStringLiteral("Zoom%1").arg(percent));
        level->setCheckable(true);
        level->setData(percent);
        zooms->addAction(level);
        connect(level, &QAction::triggered, this, [this, percent] {
            setZoom(percent);
            saveSetting("Zoom", std::to_string(percent));
        });
        zoomActions_.push_back(level);
    }
    view->addSeparator();
    item("SpyList1", QStringLiteral("Spy List"), [this]() -> QWidget* { return spyList(); });
    item("TallyList1", QStringLiteral("Tally List"), [this]() -> QWidget* { return tally_; });
    // PhraseList1Click: the editor starts from the buttons' phrases.
    item("PhraseList1", QStringLiteral("Phrase List"), [this]() -> QWidget* {
        Tphrases* editor = phraseEditor();
        editor->openEditor();
        return editor;
    });
}

Settings Tchat::options() const {
    Settings now;
    now.textSize = chat_->chatTextSize();
    now.textColour = chat_->textColour();
    now.actionColour = chat_->actionColour();
    now.botSpeed = botSpeed_;
    now.playSounds = sounds_->isEnabled();
    now.manualSort = table_->manualSort();
    return now;
}

void Tchat::loadinifile() {
    const Settings loaded = loadSettings(nativePath(settingsFilePath()), options());
    optionsToSave_.fileRead();
    chat_->setChatTextSize(loaded.textSize);
    chat_->setTextColour(loaded.textColour);
    chat_->setActionColour(loaded.actionColour);
    phrases_->applyLoaded(loaded.phrases);
    botSpeed_ = loaded.botSpeed;
    for (QAction* item : botSpeedActions_) item->setChecked(item->data().toInt() == botSpeed_);
    // The host's computer players follow the hosting player's choice.
    if (session_->hostingPlayer()) sendToHost(wire::tohost::botspeed(session_->myseat(), botSpeed_));
    botLevelMenu_->menuAction()->setVisible(hostsComputerPlayers());
    chooseBotLevel(loaded.botLevel, false);
    sounds_->setEnabled(loaded.playSounds);
    playSoundsAction_->setChecked(loaded.playSounds);
    table_->setManualSort(loaded.manualSort);
    setEventLogShown(loaded.eventLog);
    setZoom(loaded.zoom);
    refresh();
}

// The keys outside the six options are written one at a time, as they change.
void Tchat::saveSetting(const char* key, const std::string& value) {
    const QString path = settingsFilePath();
    if (!writeIniValues(nativePath(path), kSettingsSection, {{key, value}}))
        errorBox(this, QString::fromStdString(unableToWriteText(nativePath(path))));
}

void Tchat::setZoom(int percent) { zoomTable(percent, true); }

void Tchat::zoomTable(int percent, bool resizeWindow) {
    const TableZoom zoom(percent);
    for (QAction* level : zoomActions_) level->setChecked(level->data().toInt() == zoom.percent());
    if (zoom.percent() == zoomPercent_) return;
    // The room the player gave the chat beyond the smallest window is kept at the new zoom.
    const QSize extra = (size() - minimumSizeHint()).expandedTo(QSize(0, 0));
    zoomPercent_ = zoom.percent();
    scorePanel_->setZoom(zoom);
    board1_->setZoom(zoom);
    board2_->setZoom(zoom);
    if (!resizeWindow || isMaximized() || isFullScreen()) return;
    // The layouts learn of the panels' new sizes now, not at the next event loop turn.
    centralWidget()->layout()->invalidate();
    centralWidget()->updateGeometry();
    layout()->invalidate();
    layout()->activate();
    QSize wanted = minimumSizeHint() + extra;
    if (const QScreen* on = screen()) wanted = wanted.boundedTo(on->availableGeometry().size());
    resize(wanted.expandedTo(minimumSizeHint()));
}

void Tchat::saveinifile() {
    const std::vector<IniEntry> entries = optionsToSave_.entries(options());
    if (entries.empty()) return;
    const QString path = settingsFilePath();
    // The option keeps its new state for this run either way.
    if (!writeIniValues(nativePath(path), kSettingsSection, entries))
        errorBox(this, QString::fromStdString(unableToWriteText(nativePath(path))));
}

bool Tchat::hostsComputerPlayers() const {
    const bool hostsHere = plan_.mode == net::SessionMode::Solo || plan_.mode == net::SessionMode::Host;
    return hostsHere && session_->hostingPlayer() && chooseBotLevel_ != nullptr;
}

void Tchat::chooseBotLevel(BotLevel level, bool save) {
    botLevelActions_[0]->setChecked(level == BotLevel::Standard);
    botLevelActions_[1]->setChecked(level == BotLevel::Expert);
    if (hostsComputerPlayers()) chooseBotLevel_(level);
    if (save) saveSetting("BotLevel", std::string(botLevelName(level)));
}

void Tchat::chooseBotSpeed(int ms) {
    botSpeed_ = ms;
    for (QAction* item : botSpeedActions_) item->setChecked(item->data().toInt() == ms);
    if (session_->loggedin()) sendToHost(wire::tohost::botspeed(session_->myseat(), ms));
    saveinifile();
}

}  // namespace quintrel::table
