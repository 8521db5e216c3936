#include "table/qt/side_windows.h"

#include "extras/play_with_others.h"
#include "extras/qt/about_window.h"
#include "extras/qt/download_window.h"
#include "extras/qt/help_window.h"
#include "extras/qt/play_with_others_dialog.h"
#include "extras/qt/user_files.h"
#include "extras/settings.h"
#include "net/qt/game_port.h"
#include "table/qt/message_boxes.h"
#include "table/qt/tchat.h"
#include "net/qt/latin1_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace quintrel::table {
namespace {

void bringUp(QWidget* window) {
    window->show();
    // Each child shown with the window asks for its first repaint by a posted event. Handled now,
    // those requests join the window's first paint; handled after it, they paint it all again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    window->raise();
    window->activateWindow();
}

std::string bytes(const QString& text) { return text.toLatin1().toStdString(); }

QStringList argumentList(const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& arg : args) list << latin1(arg);
    return list;
}

IniFile settingsFile() { return readIniFile(nativePath(settingsFilePath())).file; }

}  // namespace

SideWindows::SideWindows(Tchat& table) : QObject(&table), table_(table) {
    setObjectName(QStringLiteral("sideWindows"));
    connect(&table, &Tchat::downloadWindowRequested, this, &SideWindows::showDownloadWindow);

    addMenus();
    // label_fullClick: the game label leads to the web site.
    if (auto* label = table.findChild<QLabel*>(QStringLiteral("label_full"))) {
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(QStringLiteral("Visit the Quintrel web site"));
        label->installEventFilter(this);
    }
}

Thelp* SideWindows::help() {
    if (help_ == nullptr) {
        help_ = new Thelp(&table_);
        connect(help_, &Thelp::aboutRequested, this, &SideWindows::showAbout);
    }
    return help_;
}

Tabout* SideWindows::about() {
    if (about_ == nullptr) about_ = new Tabout(&table_);
    return about_;
}

Tdownload* SideWindows::download() {
    if (download_ == nullptr) {
        download_ = new Tdownload(&table_);
        download_->setReporter([this](const QString& text) { infoBox(download_, text); });
        connect(download_, &Tdownload::closeGameRequested, &table_, &QWidget::close);
        connect(download_, &Tdownload::playWithOthersRequested, this, &SideWindows::openPlayWithOthers);
        connect(download_, &Tdownload::hideDownloadChanged, this, [this](bool hide) {
            writeSettings({{"HideDownload", hide ? "true" : "false"}});
        });
    }
    return download_;
}

void SideWindows::addMenus() {
    if (auto* file = table_.findChild<QMenu*>(QStringLiteral("File1"))) {
        auto* play = new QAction(QStringLiteral("Play with Others..."), file);
        play->setObjectName(QStringLiteral("PlaywithOthers1"));
        connect(play, &QAction::triggered, this, &SideWindows::openPlayWithOthers);
        auto* exit = table_.findChild<QAction*>(QStringLiteral("Exit1"));
        file->insertAction(exit, play);
        file->insertSeparator(exit);
    }
    QMenu* help = table_.menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = help->addAction(QStringLiteral("Content"));
    content->setObjectName(QStringLiteral("Help2"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    content->setShortcutContext(Qt::ApplicationShortcut);
    connect(content, &QAction::triggered, this, &SideWindows::showHelp);
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &SideWindows::showAbout);
}

bool SideWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        about()->openWebSite();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SideWindows::showHelp() { bringUp(help()); }

void SideWindows::showAbout() { bringUp(about()); }

void SideWindows::showDownloadWindow() {
    const Settings settings = settingsFrom(settingsFile());
    if (settings.hideDownload) return;
    Tdownload* window = download();
    window->setLobby(latin1(settings.lobbyUrl),
                     QFile::decodeName(QByteArray::fromStdString(settings.lobbyPath)));
    window->setHideChecked(false);
    bringUp(window);
}

void SideWindows::openPlayWithOthers() {
    if (playWithOthers_ == nullptr) {
        playWithOthers_ = new PlayWithOthersDialog(&table_);
        connect(playWithOthers_, &PlayWithOthersDialog::hostRequested, this, &SideWindows::hostHere);
        connect(playWithOthers_, &PlayWithOthersDialog::joinRequested, this, &SideWindows::joinTable);
    }
    playWithOthers_->setMemory(playWithOthersFrom(settingsFile()));
    playWithOthers_->setHostPort(net::gamePort());
    playWithOthers_->setAddresses(PlayWithOthersDialog::machineAddresses());
    bringUp(playWithOthers_);
}

void SideWindows::hostHere(const QString& name) {
    PlayWithOthersMemory memory = playWithOthersFrom(settingsFile());
    memory.name = bytes(name);
    writeSettings(playWithOthersEntries(memory));
    emit table_.restartRequested(argumentList(hostingArguments(memory.name)), net::gamePort());
}

void SideWindows::joinTable(const QString& name, const QString& address, quint16 port) {
    PlayWithOthersMemory memory = playWithOthersFrom(settingsFile());
    memory.name = bytes(name);
    rememberHost(memory, {bytes(address), port});
    writeSettings(playWithOthersEntries(memory));
    emit table_.restartRequested(argumentList(joiningArguments(memory.name, bytes(address))), port);
}

void SideWindows::writeSettings(const std::vector<IniEntry>& entries) {
    const QString path = settingsFilePath();
    // The choice holds for this run either way.
    if (!writeIniValues(nativePath(path), kSettingsSection, entries))
        errorBox(&table_, QString::fromStdString(unableToWriteText(nativePath(path))));
}

}  // namespace quintrel::table
