#pragma once
// The table's side windows of help and company: Help > "Content" (F1) and "About", the click
// on the game label that opens the web site, the lobby download offered by a solo start, and
// File > "Play with Others", which opens the lobby program or the table's own dialog and asks
// for a new table in host or join mode.

#include <QObject>

#include <string>
#include <utility>
#include <vector>

namespace quintrel {
class PlayWithOthersDialog;
class Tabout;
class Tdownload;
class Thelp;
}  // namespace quintrel

namespace quintrel::table {

class Tchat;

class SideWindows : public QObject {
    Q_OBJECT
public:
    explicit SideWindows(Tchat& table);

    // Each window is made when first asked for, so that a start builds only what it shows.
    Thelp* help();
    Tabout* about();
    Tdownload* download();
    // Made on first use; nullptr before.
    PlayWithOthersDialog* playWithOthersDialog() const { return playWithOthers_; }

    void showHelp();   // Help2Click
    void showAbout();  // About1Click
    // The solo start's offer; skipped when the settings say HideDownload.
    void showDownloadWindow();
    // Button2Click without a lobby program, and File > "Play with Others".
    void openPlayWithOthers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addMenus();
    void writeSettings(const std::vector<std::pair<std::string, std::string>>& entries);
    void hostHere(const QString& name);
    void joinTable(const QString& name, const QString& address, quint16 port);

    Tchat& table_;
    Thelp* help_ = nullptr;
    Tabout* about_ = nullptr;
    Tdownload* download_ = nullptr;
    PlayWithOthersDialog* playWithOthers_ = nullptr;
};

}  // namespace quintrel::table
