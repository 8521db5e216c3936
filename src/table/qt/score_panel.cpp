#include "table/qt/score_panel.h"

#include "extras/qt/pictures.h"
#include "extras/qt/table_look.h"
#include "chat/qt/colour_qt.h"
#include "table/qt/picture_widget.h"
#include "table/qt/stacking.h"
#include "table/table_state.h"
#include "net/qt/latin1_text.h"

#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace quintrel::table {
namespace {

using look::ElidedLabel;

void setText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown) widget->setVisible(shown);
}

// Columns of the seat rows; the rows themselves stand at kSeatRowTop.
constexpr int kTurnLeft = 6;
constexpr int kNameLeft = 26, kNameWidth = 122;
constexpr int kEyesLeft = 150;
constexpr int kFootLeft = 180;
constexpr int kScoreLeft = 198, kScoreWidth = 58;
constexpr int kCardsLeftLeft = 258, kCardsLeftWidth = 30;
constexpr int kRowHeight = 20;
constexpr int kPlateRight = 294;

constexpr std::array<int, 4> kSquareLeft = {0, 11, 85, 159};
constexpr int kSquareTop = 101;

const quintrel::PictureList& bigcards() { return Pictures::shipped().imagelist_bigcards(); }

QString buttonStyle(const TableZoom& zoom) {
    return QStringLiteral(
               "QPushButton { color: #3b2a05; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 "
               "#fbe7a1, "
               "stop:1 #d9a93c); border: 1px solid #7a5a12; border-radius: %1px; }"
               "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff3c4, "
               "stop:1 "
               "#e8bb52); }"
               "QPushButton:pressed { background: #c7962e; }")
        .arg(zoom.px(7));
}

}  // namespace

ScorePanel::ScorePanel(TableState& table, std::function<void()> afterClick, QWidget* parent)
    : QFrame(parent), table_(table), afterClick_(std::move(afterClick)) {
    setObjectName(QStringLiteral("panel_score"));
    build();
    applyZoom();
    sync();
}

void ScorePanel::clicked(const std::function<void()>& action) {
    action();
    if (afterClick_) afterClick_();
}

PictureWidget* ScorePanel::makePicture(const char* name, int left, int top, int width, int height) {
    auto* picture = new PictureWidget(this);
    picture->setObjectName(QString::fromLatin1(name));
    fixed_.add(picture, QRect(left, top, width, height));
    return picture;
}

PictureWidget* ScorePanel::makeFixedPicture(const char* name, Picture which, int left, int top, int width,
                                            int height) {
    PictureWidget* picture = makePicture(name, left, top, width, height);
    fixedPictures_.emplace_back(picture, which);
    return picture;
}

QLabel* ScorePanel::makeLabel(QLabel* label, const QRect& logical, int fontPixels, bool bold) {
    fixed_.add(label, logical, fontPixels, bold);
    return label;
}

QPushButton* ScorePanel::makeButton(const char* name, const QString& text, int left, int top, int width) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    fixed_.add(button, QRect(left, top, width, 32), 13, true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    buttons_.push_back(button);
    return button;
}

void ScorePanel::setZoom(const TableZoom& zoom) {
    if (zoom == zoom_) return;
    zoom_ = zoom;
    applyZoom();
    sync();
    update();
}

void ScorePanel::applyZoom() {
    setFixedSize(zoom_.px(kWidth), zoom_.px(kHeight));
    fixed_.apply(zoom_);
    const Pictures& pictures = Pictures::shipped();
    const PictureDetail detail = zoom_.detail(this);
    for (const auto& [widget, which] : fixedPictures_) widget->setPicture(pictures.picture(which, detail));
    for (QPushButton* button : buttons_) button->setStyleSheet(buttonStyle(zoom_));
    // The icon's own pixels: it is drawn at the button's zoomed size.
    QImage start = pictures.picture(Picture::StartButton, detail);
    start.setDevicePixelRatio(1);
    startButton_->setIcon(QIcon(QPixmap::fromImage(start)));
    startButton_->setIconSize(zoom_.rect(146, 246, 100, 32).size());
}

void ScorePanel::build() {
    greenBar_ = makeFixedPicture("image_green", Picture::GreenBar, 0, 0, kWidth, 6);
    blueBar_ = makeFixedPicture("image_blue", Picture::BlueBar, 0, 0, kWidth, 6);

    for (int seat = 1; seat <= kSeats; ++seat) {
        const int top = kSeatRowTop[static_cast<std::size_t>(seat)];
        SeatWidgets& row = seats_[static_cast<std::size_t>(seat)];
        const QString n = QString::number(seat);
        row.name = makeLabel(new ElidedLabel(this), QRect(kNameLeft, top, kNameWidth, kRowHeight), 13, true);
        row.name->setObjectName(QStringLiteral("label_playername") + n);
        row.name->setProperty("Tag", seat);
        row.name->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(row.name, &QLabel::customContextMenuRequested, this, [this, seat](const QPoint& pos) {
            openSeatMenu(seat, seats_[static_cast<std::size_t>(seat)].name->mapToGlobal(pos));
        });
        row.eyes = makeFixedPicture(("image_eyes" + std::to_string(seat)).c_str(), Picture::Eyes, kEyesLeft,
                                    top + 3, 26, 14);
        row.eyes->setToolTip(QStringLiteral("Just watching"));
        row.foot = makeFixedPicture(("image_foot" + std::to_string(seat)).c_str(), Picture::Foot, kFootLeft,
                                    top, 15, 20);
        row.foot->setToolTip(QStringLiteral("Foot not yet taken up"));
        row.score = makeLabel(new QLabel(this), QRect(kScoreLeft, top, kScoreWidth, kRowHeight), 13, true);
        row.score->setObjectName(QStringLiteral("label_score") + n);
        row.score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.score->setToolTip(QStringLiteral("Team score"));
        row.cardsleft =
            makeLabel(new QLabel(this), QRect(kCardsLeftLeft, top, kCardsLeftWidth, kRowHeight), 12, false);
        row.cardsleft->setObjectName(QStringLiteral("label_cardsleft") + n);
        row.cardsleft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        look::setTextColour(row.cardsleft, QColor(0x33, 0x33, 0x33));
        row.cardsleft->setToolTip(QStringLiteral("Cards in hand"));
    }
    buildSeatMenu();
    turnMarker_ = makeFixedPicture("image_Turn", Picture::TurnMarker, kTurnLeft, 0, 16, 16);

    // The game and turn texts stand right of the seat rows; the status line under the hand.
    lengthLabel_ = makeLabel(new ElidedLabel(this), QRect(302, 12, kWidth - 308, 18), 12, true);
    lengthLabel_->setObjectName(QStringLiteral("label_full"));
    look::setTextColour(lengthLabel_, QColor(look::kCreamText));
    greenArrow_ = makeFixedPicture("image_greenarrow", Picture::GreenArrow, 302, 40, 30, 22);
    blueArrow_ = makeFixedPicture("image_bluearrow", Picture::BlueArrow, 302, 40, 30, 22);
    turnLabel_ = makeLabel(new ElidedLabel(this), QRect(336, 42, kWidth - 340, 18), 13, true);
    turnLabel_->setObjectName(QStringLiteral("label_turn"));
    look::setTextColour(turnLabel_, Qt::white);
    statusLabel_ = makeLabel(new ElidedLabel(this), QRect(8, kHeight - 24, kWidth - 16, 18), 13, true);
    statusLabel_->setObjectName(QStringLiteral("label_status"));
    look::setTextColour(statusLabel_, QColor(look::kNoticeText));

    for (int n = 1; n <= 3; ++n) {
        auto* frame =
            makeFixedPicture(("booksquare" + std::to_string(n)).c_str(), Picture::BookSquare,
                             kSquareLeft[static_cast<std::size_t>(n)], kSquareTop, kCardWidth, kCardHeight);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        PictureWidget* square =
            makePicture(("acard_place" + std::to_string(n)).c_str(), kSquareLeft[static_cast<std::size_t>(n)],
                        kSquareTop, kCardWidth, kCardHeight);
        connect(square, &PictureWidget::clicked, this,
                [this, n] { clicked([&] { table_.placeOnSquare(n); }); });
        squares_[static_cast<std::size_t>(n)] = square;
    }
    createButton_ = makeButton("button_create", QStringLiteral("Create"), 235, 119, 65);
    connect(createButton_, &QPushButton::clicked, this,
            [this] { clicked([&] { table_.createFromSquares(); }); });
    clearButton_ = makeButton("button_clearbook", QStringLiteral("Clear"), 235, 154, 65);
    connect(clearButton_, &QPushButton::clicked, this, [this] { clicked([&] { table_.clearSquares(); }); });

    discardPile_ = makePicture("image_discard", 309, 99, kCardWidth, kCardHeight);
    connect(discardPile_, &PictureWidget::clicked, this,
            [this] { clicked([&] { table_.discardSelected(); }); });
    // A transparent strip over the pile's right edge that discards as well.
    discardEdge_ = makePicture("Image4", 362, 101, 18, 61);
    connect(discardEdge_, &PictureWidget::clicked, this,
            [this] { clicked([&] { table_.discardSelected(); }); });

    pickupButton_ = makeButton("button_pickup", QStringLiteral("Pick Up"), 91, 246, 100);
    pickupButton_->setProperty("Tag", 2);
    connect(pickupButton_, &QPushButton::clicked, this,
            [this] { clicked([&] { table_.takeDiscardPile(); }); });
    drawButton_ = makeButton("button_draw", QStringLiteral("Draw"), 195, 246, 100);
    drawButton_->setProperty("Tag", 1);
    connect(drawButton_, &QPushButton::clicked, this, [this] { clicked([&] { table_.drawFromShoe(); }); });

    startButton_ = new QPushButton(this);
    startButton_->setObjectName(QStringLiteral("button_start"));
    fixed_.add(startButton_, QRect(146, 246, 100, 32));
    startButton_->setFlat(true);
    startButton_->setFocusPolicy(Qt::NoFocus);
    startButton_->setCursor(Qt::PointingHandCursor);
    startButton_->setToolTip(QStringLiteral("Start Game"));
    startButton_->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; padding: 0; }"));
    connect(startButton_, &QPushButton::clicked, this, &ScorePanel::startClicked);
}

void ScorePanel::buildSeatMenu() {
    seatMenu_ = new QMenu(this);
    seatMenu_->setObjectName(QStringLiteral("popup_kick"));
    seatMenu_->setStyleSheet(
        QStringLiteral("QMenu { background: #efe4c2; color: #3b2a05; border: 1px solid #b79a4e; }"
                       "QMenu::item { padding: 3px 18px; }"
                       "QMenu::item:selected { background: #d9a93c; }"
                       "QMenu::item:disabled { color: #a08f6a; }"));
    // The seat comes from the popup's own tag, set when it was opened.
    auto item = [this](const char* name, const QString& text, auto action) {
        QAction* added = seatMenu_->addAction(text);
        added->setObjectName(QString::fromLatin1(name));
        connect(added, &QAction::triggered, this,
                [this, action] { clicked([&] { action(table_.seatMenu().tag); }); });
        return added;
    };
    removeAction_ = item("RemoveFromGame1", QStringLiteral("Remove From Game"),
                         [this](int seat) { table_.kicking(seat); });
    setWatchAction_ = item("SettojustWatch1", QStringLiteral("Set to Just Watch"),
                           [this](int seat) { table_.setSeatWatching(seat); });
    unsetWatchAction_ = item("UnsetJustWatch1", QStringLiteral("Unset Just Watch"),
                             [this](int seat) { table_.unsetSeatWatching(seat); });
}

void ScorePanel::openSeatMenu(int seat, const QPoint& at) {
    table_.openSeatMenu(seat);
    const SeatMenu& state = table_.seatMenu();
    seatMenu_->setProperty("Tag", state.tag);
    removeAction_->setEnabled(state.removeEnabled);
    setWatchAction_->setEnabled(state.setWatchEnabled);
    unsetWatchAction_->setEnabled(state.unsetWatchEnabled);
    seatMenu_->popup(at);  // returns at once: no nested event loop inside the label's event
}

void ScorePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(zoom_.factor(), zoom_.factor());  // drawn in the panel's logical pixels
    // A darker baize for the panel, and a light plate under the seat rows so green and navy
    // names read well.
    painter.setPen(QPen(QColor(216, 190, 110), 2));
    painter.setBrush(QColor(0, 0, 0, 55));
    painter.drawRoundedRect(QRectF(0, 0, kWidth, kHeight).adjusted(1, 1, -1, -1), 8, 8);
    painter.setPen(QPen(QColor(150, 120, 60), 1));
    painter.setBrush(QColor(250, 244, 224));
    painter.drawRoundedRect(QRectF(3, 8, kPlateRight - 3, 92), 6, 6);
    // Where the discard pile lies while it is empty.
    const QRectF pile(309.5, 99.5, kCardWidth - 1, kCardHeight - 1);
    painter.setPen(QPen(QColor(216, 190, 110, 170), 1.5, Qt::DashLine));
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRoundedRect(pile, 6, 6);
    painter.setPen(QColor(216, 190, 110, 200));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pile, Qt::AlignCenter, QStringLiteral("Discard"));
}

void ScorePanel::syncSeats() {
    for (int seat = 1; seat <= kSeats; ++seat) {
        SeatWidgets& row = seats_[static_cast<std::size_t>(seat)];
        const SeatLabel& label = table_.seatLabel(seat);
        const SeatRow& state = table_.seatRow(seat);
        setText(row.name, latin1(label.caption));
        const QString tip = latin1(label.hint);
        if (row.name->toolTip() != tip) row.name->setToolTip(tip);
        const QColor colour = chat::toQColor(label.colour);
        look::setTextColour(row.name, colour);
        setShown(row.name, state.nameVisible);
        setText(row.score, latin1(state.score));
        look::setTextColour(row.score, colour);
        setShown(row.score, state.scoreVisible);
        setText(row.cardsleft, latin1(state.cardsleft));
        setShown(row.foot, state.footVisible);
        setShown(row.eyes, label.eyesShown);
    }
    const int turnTop = table_.turnMarkerTop();
    setShown(turnMarker_, turnTop >= 0);
    if (turnTop >= 0) turnMarker_->place(zoom_.rect(kTurnLeft, turnTop + 2, 16, 16));
}

void ScorePanel::syncCards() {
    const auto& cards = table_.cards();
    const PictureDetail detail = zoom_.detail(this);
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (cards.count(it.key())) {
            ++it;
            continue;
        }
        // Not deleted at once: the press that led here may still be running in it.
        PictureWidget* gone = it.value();
        gone->setObjectName(QString());
        gone->hide();
        gone->deleteLater();
        it = cards_.erase(it);
    }
    for (const auto& [slot, card] : cards) {
        PictureWidget*& widget = cards_[slot];
        if (!widget) {
            widget = new PictureWidget(this);
            widget->setCursor(Qt::PointingHandCursor);
            const int handSlot = slot;
            connect(widget, &PictureWidget::pressed, this, [this, handSlot](Qt::MouseButton button) {
                const MouseButton which = button == Qt::LeftButton    ? MouseButton::Left
                                          : button == Qt::RightButton ? MouseButton::Right
                                                                      : MouseButton::Middle;
                clicked([&] { table_.pressCard(handSlot, which); });
            });
        }
        const QString name = latin1(card.name());
        if (widget->objectName() != name) widget->setObjectName(name);
        widget->setProperty("Tag", card.slot);
        widget->setProperty("hint", latin1(card.hint()));
        widget->setPicture(bigcards().at(card.code, detail));
        widget->place(zoom_.rect(card.left, card.top, kCardWidth, kCardHeight));
        widget->setHighlighted(card.raised());
        setShown(widget, card.visible);
    }
}

void ScorePanel::restack() {
    ZOrder order;
    for (const auto& [slot, card] : table_.cards()) order.emplace_back(card.z, cards_.value(slot));
    order.emplace_back(table_.drawButton().z, drawButton_);
    order.emplace_back(table_.pickupButton().z, pickupButton_);
    order.emplace_back(table_.startButton().z, startButton_);
    applyStacking(std::move(order), stacked_);
}

void ScorePanel::sync() {
    syncSeats();
    setText(turnLabel_, latin1(table_.turnText()));
    setText(statusLabel_, latin1(table_.statusText()));
    setText(lengthLabel_, latin1(table_.lengthText()));
    setShown(greenArrow_, table_.greenArrow().visible);
    setShown(blueArrow_, table_.blueArrow().visible);
    setShown(greenBar_, table_.greenBar().visible);
    setShown(blueBar_, table_.blueBar().visible);

    for (int n = 1; n <= 3; ++n) {
        const Square& square = table_.square(n);
        PictureWidget* widget = squares_[static_cast<std::size_t>(n)];
        widget->setPicture(square.picture >= 0 ? bigcards().at(square.picture, zoom_.detail(this))
                                               : QImage());
        widget->setProperty("Tag", square.tag);
        widget->setProperty("hint", latin1(square.hint));
    }
    const int discard = table_.discardPicture();
    discardPile_->setPicture(discard >= 0 ? bigcards().at(discard, zoom_.detail(this)) : QImage());
    discardPile_->setProperty("Tag", table_.discardTag());
    discardPile_->setProperty("picture", discard);

    setShown(drawButton_, table_.drawButton().visible);
    setShown(pickupButton_, table_.pickupButton().visible);
    setShown(startButton_, table_.startButton().visible);
    syncCards();
    restack();
}

}  // namespace quintrel::table
