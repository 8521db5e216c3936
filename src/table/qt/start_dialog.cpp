#include "table/qt/start_dialog.h"

#include "extras/qt/pictures.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintrel::table {

using Box = GameStartForm::Box;

StartCheckBox::StartCheckBox(const QString& text, Box box, StartDialog* dialog)
    : QCheckBox(text, dialog), box_(box), dialog_(dialog) {}

void StartCheckBox::nextCheckState() { dialog_->boxClicked(box_); }

StartDialog::StartDialog(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tgamestartform"));
    setWindowTitle(QStringLiteral("Quintrel - Start Game"));
    // One sheet for the dialog, read once, rather than one per box.
    setStyleSheet(QStringLiteral(
        "QCheckBox { color: #fdf6dc; spacing: 8px; } QCheckBox:disabled { color: #9fb9a4; }"
        "QCheckBox::indicator { width: 13px; height: 13px; border: 2px solid #d8be6e; border-radius: 3px;"
        " background: #fdf6dc; }"
        "QCheckBox::indicator:checked { background: #e0a82e; border-color: #fdf6dc; }"
        "QCheckBox::indicator:disabled { background: #6f8f77; border-color: #9fb9a4; }"
        "QCheckBox::indicator:checked:disabled { background: #b08a3a; }"
        "QFrame#separator { color: #d8be6e; }"
        "QPushButton#button_start { border: none; background: transparent; padding: 0; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(6);
    const struct {
        const char* name;
        const char* caption;
        Box box;
    } kBoxes[] = {
        {"full", "Play Full Game", Box::Full},          {"half", "Play Half Game", Box::Half},
        {"round", "Play One Round", Box::Round},        {"checkbox_bots", "Bots Just Watch", Box::Bots},
        {"checkbox_5000", "Play to 5000", Box::To5000}, {"checkbox_3000", "Play to 3000", Box::To3000},
    };
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        auto* box = new StartCheckBox(QString::fromLatin1(kBoxes[i].caption), kBoxes[i].box, this);
        box->setObjectName(QString::fromLatin1(kBoxes[i].name));
        box->setFont(font);
        box->setFocusPolicy(Qt::NoFocus);
        boxes_[i] = box;
        layout->addWidget(box);
        if (kBoxes[i].box == Box::Round) {
            auto* line = new QFrame(this);
            line->setObjectName(QStringLiteral("separator"));
            line->setFrameShape(QFrame::HLine);
            layout->addWidget(line);
        }
    }
    startButton_ = new QPushButton(this);
    startButton_->setObjectName(QStringLiteral("button_start"));
    startButton_->setIcon(QIcon(QPixmap::fromImage(Pictures::shipped().picture(Picture::StartButton))));
    startButton_->setIconSize(QSize(100, 32));
    startButton_->setFixedSize(100, 32);
    startButton_->setFlat(true);
    startButton_->setCursor(Qt::PointingHandCursor);
    startButton_->setToolTip(QStringLiteral("Start the game"));
    layout->addSpacing(4);
    layout->addWidget(startButton_, 0, Qt::AlignHCenter);
    connect(startButton_, &QPushButton::clicked, this, &StartDialog::startPressed);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    sync();
}

void StartDialog::offerBotOptions(bool offer) {
    form_ = GameStartForm(offer);
    sync();
}

void StartDialog::boxClicked(Box box) {
    form_.click(box);
    sync();
}

void StartDialog::sync() {
    for (StartCheckBox* box : boxes_) {
        const GameStartForm::CheckBox& state = form_.box(box->box());
        if (box->isChecked() != state.checked) box->setChecked(state.checked);
        if (box->isEnabled() != state.enabled) box->setEnabled(state.enabled);
        if (box->isVisibleTo(this) != state.visible) box->setVisible(state.visible);
    }
    if (form_.visible() && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!form_.visible() && isVisible()) {
        hide();
    }
}

void StartDialog::reject() {
    form_.hide();
    emit dismissed();
    QDialog::reject();
}

void StartDialog::paintEvent(QPaintEvent*) {
    // The table's felt, tiled.
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(Pictures::shipped().picture(Picture::Background)));
}

}  // namespace quintrel::table
