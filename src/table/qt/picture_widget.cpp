#include "table/qt/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace quintrel::table {

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_NoSystemBackground); }

void PictureWidget::setPicture(const QImage& image) {
    if (image.cacheKey() == picture_.cacheKey() && image.isNull() == picture_.isNull()) return;
    picture_ = image;
    update();
}

void PictureWidget::setHighlighted(bool on) {
    if (highlighted_ == on) return;
    highlighted_ = on;
    update();
}

void PictureWidget::place(int left, int top, int width, int height) {
    const QRect wanted(left, top, width, height);
    if (geometry() != wanted) setGeometry(wanted);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    if (picture_.isNull() && !highlighted_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!picture_.isNull()) painter.drawImage(rect(), picture_);
    if (highlighted_) {
        painter.setPen(QPen(QColor(255, 200, 40), 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.25, 1.25, -1.25, -1.25), 5, 5);
    }
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button());
    event->accept();
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    event->accept();
}

}  // namespace quintrel::table
