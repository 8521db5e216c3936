#include "extras/qt/table_look.h"

#include "extras/qt/pictures.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace quintrel::look {

QFont pixelFont(int pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void useFelt(QWidget* window) {
    QPalette felt = window->palette();
    felt.setBrush(QPalette::Window, QBrush(Pictures::shipped().picture(Picture::Background)));
    window->setPalette(felt);
    window->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        palette.color(QPalette::WindowText) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QFrame* creamPlate(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: #faf4e0; border: 2px solid #d8be6e; "
                       "border-radius: 8px; } QLabel { color: %2; background: transparent; }")
            .arg(QString::fromLatin1(name), QString::fromLatin1(kInk)));
    return frame;
}

QLabel* plateHeading(const QString& text, QWidget* parent, int pixels) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(pixelFont(pixels, true));
    label->setStyleSheet(
        QStringLiteral("color: #7a5a12; border-bottom: 1px solid #d8be6e; padding-bottom: 3px;"));
    return label;
}

QPushButton* goldButton(const QString& text, QWidget* parent, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(pixelFont(13, true));
    button->setMinimumHeight(30);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { color: #3b2a05; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbe7a1, "
        "stop:1 #d9a93c); border: 1px solid #7a5a12; border-radius: 7px; padding: 4px 14px; }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff3c4, stop:1 "
        "#e8bb52); }"
        "QPushButton:pressed, QPushButton:checked { background: #c7962e; }"
        "QPushButton:disabled { color: #8c7a55; background: #e6dcc0; border-color: #b8a67a; }"));
    return button;
}

QLabel* plateText(const QString& text, QWidget* parent, int pixels, bool bold) {
    auto* label = new WrappedLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(pixelFont(pixels, bold));
    return label;
}

QString fieldStyle() {
    return QStringLiteral(
        "QLineEdit, QComboBox, QSpinBox { background: #fffcf2; color: #3b2a05; border: 2px solid #d8be6e; "
        "border-radius: 5px; padding: 2px 4px; min-height: 20px; }"
        "QComboBox QAbstractItemView { background: #fffcf2; color: #3b2a05; "
        "selection-background-color: #efd58a; selection-color: #3b2a05; }");
}

int WrappedLabel::heightForWidth(int width) const {
    if (Measured now = measuredFor(); !(now == measured_)) {
        measured_ = std::move(now);
        heights_.clear();
    }
    for (const auto& [known, height] : heights_) {
        if (known == width) return height;
    }
    const int height = QLabel::heightForWidth(width);
    if (heights_.size() == 8) heights_.erase(heights_.begin());
    heights_.emplace_back(width, height);
    return height;
}

void WrappedLabel::changeEvent(QEvent* event) {
    // What the text measures depends on these too.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::ContentsRectChange)
        heights_.clear();
    QLabel::changeEvent(event);
}

QSize ElidedLabel::minimumSizeHint() const { return {20, QLabel::minimumSizeHint().height()}; }

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    painter.drawText(area, static_cast<int>(alignment()) | Qt::TextSingleLine,
                     fontMetrics().elidedText(text(), mode_, area.width()));
}

}  // namespace quintrel::look
