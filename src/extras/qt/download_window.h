#pragma once
// Tdownload, "Download The Pelnor11 Lobby": shown by a solo start, it offers to download and
// install the lobby program, to play solo, or to play with others.
//
// The download runs only over https and lands in the user's data folder. It counts as done
// only when the body is as long as the server announced; anything less is never opened.
// A failed or stopped download leaves its partial file where it was written.

#include <QDialog>
#include <QFile>
#include <QNetworkAccessManager>

#include <functional>

class QCheckBox;
class QLabel;
class QNetworkReply;
class QPushButton;

namespace quintrel {

class Tdownload : public QDialog {
    Q_OBJECT
public:
    // The tag of infolabel.
    enum class DownloadState { None = 0, Running = 1, Failed = 2 };

    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    // The download address (setting LobbyURL) and the installed lobby program (LobbyPath).
    // Without an https address the download button is disabled and the phase line says why.
    void setLobby(const QString& url, const QString& programPath);
    void setHideChecked(bool hide);

    void getbuttonClick();
    void abortbuttonClick();
    void playSolo();        // Button1Click
    void playWithOthers();  // Button2Click

    DownloadState downloadState() const { return state_; }
    QString progressText() const;  // infolabel
    QString phaseText() const;     // infolabel3
    QString downloadedFile() const { return file_.fileName(); }

    // Messages to the player; tests record them instead.
    using Reporter = std::function<void(const QString& text)>;
    void setReporter(Reporter report) { report_ = std::move(report); }

signals:
    void progressChanged(const QString& text);
    void phaseChanged(const QString& text);
    void closeGameRequested();       // the installer or the lobby program took over
    void playWithOthersRequested();  // no lobby program: the table offers its own way
    void hideDownloadChanged(bool hide);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setProgress(const QString& text);
    void setPhase(const QString& text);
    void headersArrived();
    void bodyArrived();
    void transferEnded();
    void fail(const QString& phase);
    void install();

    QNetworkAccessManager manager_;
    QNetworkReply* reply_ = nullptr;
    QFile file_;
    qint64 received_ = 0;
    bool bodyBegun_ = false;
    bool aborted_ = false;
    QString writeProblem_;
    DownloadState state_ = DownloadState::None;
    QString url_;
    QString programPath_;
    Reporter report_;

    QPushButton* getbutton_ = nullptr;
    QPushButton* abortbutton_ = nullptr;
    QLabel* infolabel_ = nullptr;
    QLabel* infolabel2_ = nullptr;
    QLabel* infolabel3_ = nullptr;
    QCheckBox* hide_ = nullptr;
};

}  // namespace quintrel
