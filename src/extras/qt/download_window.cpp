#include "extras/qt/download_window.h"

#include "extras/qt/desktop_open.h"
#include "extras/qt/pictures.h"
#include "extras/qt/table_look.h"
#include "extras/qt/user_files.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <stdexcept>

namespace quintrel {
namespace {

constexpr const char* kAgent = "Mozilla/3.0 (compatible)";
constexpr const char* kAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
const QString kAborted = QStringLiteral("Download Aborted");

bool secure(const QUrl& url) { return url.scheme() == QLatin1String("https") && !url.host().isEmpty(); }

}  // namespace

Tdownload::Tdownload(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(QStringLiteral("Download The Pelnor11 Lobby"));
    look::useFelt(this);
    report_ = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Quintrel"), text);
    };
    manager_.setProxy(QNetworkProxy::NoProxy);
    // An https address must not be sent on to a plain one.
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);

    QFrame* left = look::creamPlate(this, "Panel1");
    left->setFixedWidth(380);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(7);
    auto* picture = new QLabel(left);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(Pictures::shipped().picture(Picture::Banner)));
    column->addWidget(picture, 0, Qt::AlignHCenter);
    QLabel* closed = look::plateText(QStringLiteral("IS CLOSED"), left, 15, true);
    closed->setAlignment(Qt::AlignCenter);
    closed->setStyleSheet(QStringLiteral("color: #a3231b;"));
    column->addWidget(closed);
    QLabel* invitation = look::plateText(
        QStringLiteral("Download The Pelnor11 Lobby Now to play this  and other exciting games online with "
                       "other players!"),
        left);
    invitation->setAlignment(Qt::AlignCenter);
    column->addWidget(invitation);
    getbutton_ =
        look::goldButton(QStringLiteral("Download And Install The Pelnor11 Lobby Now"), left, "getbutton");
    getbutton_->setFont(look::pixelFont(12, true));
    connect(getbutton_, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    column->addWidget(getbutton_);
    infolabel_ = look::plateText(QString(), left, 12, true);
    infolabel_->setObjectName(QStringLiteral("infolabel"));
    infolabel3_ = look::plateText(QString(), left, 12);
    infolabel3_->setObjectName(QStringLiteral("infolabel3"));
    for (QLabel* line : {infolabel_, infolabel3_}) {
        line->setAlignment(Qt::AlignCenter);
        line->setMinimumHeight(line->fontMetrics().height());
        column->addWidget(line);
    }
    infolabel2_ = new QLabel(left);
    infolabel2_->setObjectName(QStringLiteral("infolabel2"));
    infolabel2_->hide();
    abortbutton_ = look::goldButton(QStringLiteral("Stop Download"), left, "abortbutton");
    abortbutton_->setEnabled(false);
    connect(abortbutton_, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);
    column->addWidget(abortbutton_, 0, Qt::AlignHCenter);
    column->addStretch(1);
    layout->addWidget(left);

    auto* right = new QVBoxLayout;
    right->setSpacing(12);
    const struct {
        const char* panel;
        const char* text;
        const char* button;
        const char* caption;
        void (Tdownload::*click)();
    } kWays[] = {
        {"Panel2",
         "To proceed to the game without the ability to play against others click the button below.",
         "Button1", "Play Solo Game", &Tdownload::playSolo},
        {"Panel3",
         "If you already have The Pelnor11 Lobby and you wish to play with others then click the button "
         "below to "
         "close this game and open The Pelnor11 Lobby.",
         "Button2", "Play with Others", &Tdownload::playWithOthers},
    };
    for (const auto& way : kWays) {
        QFrame* plate = look::creamPlate(this, way.panel);
        auto* inner = new QVBoxLayout(plate);
        inner->setContentsMargins(14, 12, 14, 12);
        inner->setSpacing(10);
        inner->addWidget(look::plateText(QString::fromLatin1(way.text), plate));
        inner->addStretch(1);
        QPushButton* button = look::goldButton(QString::fromLatin1(way.caption), plate, way.button);
        connect(button, &QPushButton::clicked, this, way.click);
        inner->addWidget(button, 0, Qt::AlignHCenter);
        right->addWidget(plate, 1);
    }
    hide_ = new QCheckBox(QStringLiteral("Do not show this again"), this);
    hide_->setObjectName(QStringLiteral("checkbox_hide"));
    hide_->setFont(look::pixelFont(13, true));
    hide_->setStyleSheet(QStringLiteral(
        "QCheckBox { color: #fdf6dc; spacing: 8px; }"
        "QCheckBox::indicator { width: 13px; height: 13px; border: 2px solid #d8be6e; border-radius: 3px;"
        " background: #fdf6dc; }"
        "QCheckBox::indicator:checked { background: #e0a82e; border-color: #fdf6dc; }"));
    connect(hide_, &QCheckBox::toggled, this, &Tdownload::hideDownloadChanged);
    right->addWidget(hide_);
    layout->addLayout(right, 1);

    setLobby(QString(), QString());
    resize(700, 380);
}

Tdownload::~Tdownload() {
    if (reply_ != nullptr) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void Tdownload::setLobby(const QString& url, const QString& programPath) {
    url_ = url.trimmed();
    programPath_ = programPath;
    if (reply_ != nullptr) return;
    QString why;
    if (url_.isEmpty())
        why = QStringLiteral("No download address is set (LobbyURL in pelnorlobby.ini).");
    else if (!secure(QUrl(url_)))
        why = QStringLiteral("The lobby is downloaded only from an https address.");
    getbutton_->setEnabled(why.isEmpty());
    getbutton_->setToolTip(why);
    setPhase(why);
}

void Tdownload::setHideChecked(bool hide) {
    const QSignalBlocker quiet(hide_);
    hide_->setChecked(hide);
}

QString Tdownload::progressText() const { return infolabel_->text(); }
QString Tdownload::phaseText() const { return infolabel3_->text(); }

void Tdownload::setProgress(const QString& text) {
    infolabel_->setText(text);
    emit progressChanged(text);
}

void Tdownload::setPhase(const QString& text) {
    infolabel3_->setText(text);
    emit phaseChanged(text);
}

void Tdownload::getbuttonClick() {
    if (reply_ != nullptr) return;
    const QUrl url(url_, QUrl::StrictMode);
    // Whatever is fetched here gets run: over plain http anybody on the way could choose it.
    if (!secure(url)) {
        setPhase(QStringLiteral("The lobby is downloaded only from an https address."));
        report_(
            QStringLiteral("The lobby can only be downloaded from an https address, not from %1").arg(url_));
        return;
    }
    QString path;
    try {
        path = userFilePath(url.fileName(), FileKind::Data);
    } catch (const std::invalid_argument&) {
        setPhase(QStringLiteral("The download address names no file."));
        return;
    }
    state_ = DownloadState::Running;
    infolabel2_->setText(url.fileName());
    if (file_.isOpen()) file_.close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        state_ = DownloadState::Failed;
        setPhase(QStringLiteral("Unable to write to %1").arg(path));
        return;
    }
    received_ = 0;
    bodyBegun_ = false;
    aborted_ = false;
    writeProblem_.clear();
    getbutton_->setEnabled(false);
    abortbutton_->setEnabled(true);
    setProgress(QStringLiteral("Loading"));
    setPhase(QString());

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(kAgent));
    request.setRawHeader("Accept", kAccept);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    reply_ = manager_.get(request);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &Tdownload::headersArrived);
    connect(reply_, &QNetworkReply::readyRead, this, &Tdownload::bodyArrived);
    connect(reply_, &QNetworkReply::finished, this, &Tdownload::transferEnded);
}

// HttpCli1HeaderData: the progress line grows a dot per header line.
void Tdownload::headersArrived() {
    setProgress(QStringLiteral("Loading") + QString(reply_->rawHeaderPairs().size(), QLatin1Char('.')));
}

// HttpCli1DocBegin and HttpCli1DocData.
void Tdownload::bodyArrived() {
    if (!bodyBegun_) {
        bodyBegun_ = true;
        setPhase(QStringLiteral("Downloading: ") + infolabel2_->text());
    }
    const QByteArray block = reply_->readAll();
    if (file_.write(block) != block.size()) {
        writeProblem_ = QStringLiteral("Unable to write to %1").arg(file_.fileName());
        if (reply_->isRunning()) reply_->abort();
        return;
    }
    received_ += block.size();
    setProgress(QStringLiteral("%1 bytes").arg(received_));
}

void Tdownload::transferEnded() {
    // What arrived with the end of the transfer is body like any other.
    if (!aborted_ && writeProblem_.isEmpty() && reply_->bytesAvailable() > 0) bodyArrived();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    const bool flushed = file_.flush();
    file_.close();
    getbutton_->setEnabled(true);
    abortbutton_->setEnabled(false);

    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (aborted_) {
        fail(kAborted);
    } else if (!writeProblem_.isEmpty() || !flushed) {
        fail(writeProblem_.isEmpty() ? QStringLiteral("Unable to write to %1").arg(file_.fileName())
                                     : writeProblem_);
    } else if (announced.isValid() && announced.toLongLong() != received_) {
        fail(
            QStringLiteral("Download incomplete: %1 of %2 bytes").arg(received_).arg(announced.toLongLong()));
    } else if (reply->error() != QNetworkReply::NoError) {
        fail(QStringLiteral("Download failed: %1").arg(reply->errorString()));
    } else if (!announced.isValid()) {
        // Without a length the end of the body cannot be told from a broken connection.
        fail(QStringLiteral("Download incomplete: the server did not give the file's size"));
    } else if (!secure(reply->url())) {
        fail(QStringLiteral("The lobby is downloaded only from an https address."));
    } else {
        setProgress(QStringLiteral("Received %1 bytes").arg(QFileInfo(file_.fileName()).size()));
        install();
    }
}

void Tdownload::fail(const QString& phase) {
    state_ = DownloadState::Failed;
    setProgress(kAborted);
    setPhase(phase);
}

void Tdownload::install() {
    setPhase(QStringLiteral("Installing"));
    // Handed to the desktop, which opens it with the program it keeps for such files.
    if (!openOnDesktop(QUrl::fromLocalFile(file_.fileName()))) {
        report_(QStringLiteral("An Error has Occurred."));
        return;
    }
    emit closeGameRequested();
}

void Tdownload::abortbuttonClick() {
    if (reply_ == nullptr) return;
    aborted_ = true;
    setProgress(QStringLiteral("Download has been aborted."));
    state_ = DownloadState::Failed;
    setPhase(kAborted);
    reply_->abort();
}

void Tdownload::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the desktop, not on the table behind it.
    if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
}

void Tdownload::playSolo() { hide(); }

void Tdownload::playWithOthers() {
    const QFileInfo program(programPath_);
    if (!programPath_.isEmpty() && program.isFile() && program.isExecutable()) {
        if (QProcess::startDetached(program.absoluteFilePath(), {})) {
            emit closeGameRequested();
            return;
        }
        report_(QStringLiteral("An Error has Occurred."));
        return;
    }
    hide();
    emit playWithOthersRequested();
}

}  // namespace quintrel
