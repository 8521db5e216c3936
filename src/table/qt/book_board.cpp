#include "table/qt/book_board.h"

#include "extras/qt/pictures.h"
#include "extras/qt/table_look.h"
#include "table/qt/picture_widget.h"
#include "table/qt/stacking.h"
#include "table/table_state.h"
#include "table/tooltips.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace quintrel::table {
namespace {

const quintrel::PictureList& listOf(PictureList list) {
    const Pictures& pictures = Pictures::shipped();
    switch (list) {
        case PictureList::BigCards: return pictures.imagelist_bigcards();
        case PictureList::NormalTop: return pictures.imagelist_ntop();
        case PictureList::WildTop: return pictures.imagelist_wtop();
        case PictureList::Blank: break;
    }
    return pictures.imagelist_blank();
}

void setTip(QWidget* widget, const std::string& tip) {
    const QString text = QString::fromStdString(tip);
    if (widget->toolTip() != text) widget->setToolTip(text);
}

QColor teamColour(int team) { return team == 1 ? QColor(0, 128, 0) : QColor(0, 0, 128); }

QLabel* heading(const QString& text, int left, int top, int width, int pixels, QWidget* parent,
                ZoomedChildren& fixed) {
    auto* label = new QLabel(text, parent);
    fixed.add(label, QRect(left, top, width, pixels + 4), pixels, true);
    label->setAlignment(Qt::AlignCenter);
    look::setTextColour(label, QColor(look::kCreamText));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

QImage composeBook(const std::vector<PictureLayer>& layers, int width, int height, PictureDetail detail) {
    const int scale = detail == PictureDetail::Double ? 2 : 1;
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const PictureLayer& layer : layers) {
        const QImage& picture = listOf(layer.list).at(layer.index, detail);
        if (!picture.isNull()) painter.drawImage(layer.x, layer.y, picture);
    }
    return image;
}

BookBoard::BookBoard(int team, TableState& table, std::function<void()> afterClick, QWidget* parent)
    : QFrame(parent), team_(team), table_(table), afterClick_(std::move(afterClick)) {
    setObjectName(QStringLiteral("panel_board%1").arg(team));

    auto* caption = new QLabel(
        team == 1 ? QStringLiteral("Green Team's Books") : QStringLiteral("Blue Team's Books"), this);
    caption->setObjectName(QStringLiteral("caption_board%1").arg(team));
    fixed_.add(caption, QRect(4, 3, kWidth - 8, 18), 13, true);
    caption->setAlignment(Qt::AlignCenter);
    caption->setStyleSheet(
        QStringLiteral("color: %1; background: #faf4e0; border-radius: 4px;").arg(teamColour(team).name()));
    // The columns stand mirrored: completed books on the outer side of each board.
    const int workingLeft = team == 1 ? 109 : 13;
    const int completedLeft = team == 1 ? 13 : 90;
    heading(QStringLiteral("Working"), workingLeft - 8, 22, 82, 11, this, fixed_);
    heading(QStringLiteral("Completed"), completedLeft - 8, 22, 96, 11, this, fixed_);

    rwinner_ = new PictureWidget(this);
    rwinner_->setObjectName(QStringLiteral("image_rwinner%1").arg(team));
    rwinner_->setAttribute(Qt::WA_TransparentForMouseEvents);
    fixed_.add(rwinner_, team == 1 ? QRect(8, 40, 105, 109) : QRect(80, 40, 104, 108));
    winner_ = new PictureWidget(this);
    winner_->setObjectName(QStringLiteral("image_winner%1").arg(team));
    winner_->setAttribute(Qt::WA_TransparentForMouseEvents);
    fixed_.add(winner_, team == 1 ? QRect(16, 120, 166, 116) : QRect(16, 120, 165, 118));
    rwinner_->hide();
    winner_->hide();
    applyZoom();
    sync();
}

void BookBoard::setZoom(const TableZoom& zoom) {
    if (zoom == zoom_) return;
    zoom_ = zoom;
    applyZoom();
    sync();
    update();
}

void BookBoard::applyZoom() {
    setFixedWidth(zoom_.px(kWidth));
    setMinimumHeight(zoom_.px(kMinHeight));
    fixed_.apply(zoom_);
    // Drawn again at this zoom's detail by the next sync, if shown.
    rwinner_->setPicture(QImage());
    winner_->setPicture(QImage());
}

void BookBoard::showWinner(PictureWidget* widget, Picture picture, bool visible) {
    // Decoded when first shown: most of the time no winner is.
    if (visible && widget->picture().isNull())
        widget->setPicture(Pictures::shipped().picture(picture, zoom_.detail(this)));
    if (widget->isVisibleTo(this) != visible) widget->setVisible(visible);
}

void BookBoard::showBook(Book& shown, const std::vector<PictureLayer>& layers, int width, int height) {
    const PictureDetail detail = zoom_.detail(this);
    if (shown.layers == layers && shown.detail == detail && !shown.widget->picture().isNull()) return;
    shown.layers = layers;
    shown.detail = detail;
    shown.widget->setPicture(composeBook(layers, width, height, detail));
}

void BookBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(teamColour(team_).lighter(team_ == 1 ? 150 : 250), zoom_.factor() * 2));
    painter.setBrush(QColor(0, 0, 0, 55));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
}

void BookBoard::retire(PictureWidget* widget) {
    // Not deleted at once: the click that led here may still be running in it.
    widget->setObjectName(QString());
    widget->hide();
    widget->deleteLater();
}

PictureWidget* BookBoard::bookWidget(QHash<int, Book>& books, int slot, bool completed) {
    Book& book = books[slot];
    if (!book.widget) {
        book.widget = new PictureWidget(this);
        book.widget->setCursor(Qt::PointingHandCursor);
        connect(book.widget, &PictureWidget::clicked, this, [this, slot, completed] {
            if (completed)
                table_.playOnCompletedBook(team_, slot);
            else
                table_.playOnBook(team_, slot);
            if (afterClick_) afterClick_();
        });
        book.widget->show();
    }
    return book.widget;
}

void BookBoard::sync() {
    const auto& working = table_.workingBooks(team_);
    for (auto it = working_.begin(); it != working_.end();) {
        if (working.count(it.key())) {
            ++it;
        } else {
            retire(it.value().widget);
            it = working_.erase(it);
        }
    }
    for (const auto& [slot, book] : working) {
        PictureWidget* widget = bookWidget(working_, slot, false);
        Book& shown = working_[slot];
        widget->setObjectName(QString::fromStdString(book.name()));
        widget->setProperty("Tag", book.slot);
        widget->setProperty("hint", QString::fromStdString(book.hint()));
        setTip(widget, bookTip(book));
        widget->place(zoom_.rect(book.left, book.top, book.width, book.height));
        showBook(shown, book.layers, book.width, book.height);
    }

    const auto& completed = table_.completedBooks(team_);
    for (auto it = completed_.begin(); it != completed_.end();) {
        if (completed.count(it.key())) {
            ++it;
        } else {
            retire(it.value().widget);
            it = completed_.erase(it);
        }
    }
    for (const auto& [slot, book] : completed) {
        PictureWidget* widget = bookWidget(completed_, slot, true);
        Book& shown = completed_[slot];
        widget->setObjectName(QString::fromStdString(book.name()));
        widget->setProperty("Tag", book.slot);
        setTip(widget, bookTip(book));
        widget->place(zoom_.rect(book.left, book.top, book.width, book.height));
        showBook(shown, {book.face}, book.width, book.height);
    }

    showWinner(rwinner_, team_ == 1 ? Picture::RoundWinner1 : Picture::RoundWinner2,
               table_.roundWinner(team_).visible);
    showWinner(winner_, team_ == 1 ? Picture::GameWinner1 : Picture::GameWinner2,
               table_.gameWinner(team_).visible);
    restack();
}

void BookBoard::restack() {
    ZOrder order;
    for (const auto& [slot, book] : table_.workingBooks(team_))
        order.emplace_back(book.z, working_.value(slot).widget);
    for (const auto& [slot, book] : table_.completedBooks(team_))
        order.emplace_back(book.z, completed_.value(slot).widget);
    order.emplace_back(table_.roundWinner(team_).z, rwinner_);
    order.emplace_back(table_.gameWinner(team_).z, winner_);
    applyStacking(std::move(order), stacked_);
}

}  // namespace quintrel::table
