#include "art.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <stdexcept>

namespace quintrel::art {
namespace {

struct PhraseLook {
    char32_t symbol;  // 0 = use text
    const char* text;
    QColor colour;
};

const PhraseLook kPhraseLooks[10] = {
    {0x2605, "", QColor(30, 90, 200)},   // star
    {0x2714, "", QColor(30, 150, 60)},   // check mark
    {0x263A, "", QColor(240, 140, 20)},  // smile
    {0x265B, "", QColor(130, 60, 170)},  // crown
    {0x2600, "", QColor(226, 172, 0)},   // sun
    {0, "!", QColor(210, 40, 40)},       // exclamation
    {0x2665, "", QColor(225, 70, 130)},  // heart
    {0x2691, "", QColor(20, 150, 150)},  // flag
    {0, "GG", QColor(30, 50, 140)},      // good game
    {0x263E, "", QColor(70, 80, 110)},   // moon
};

}  // namespace

QImage phrasePicture(int index) {
    const PhraseLook& look = kPhraseLooks[index % 10];
    QString text = QString::fromLatin1(look.text);
    if (look.symbol != 0) {
        text = QString::fromUcs4(&look.symbol, 1);
        if (!QFontMetrics(dejaVu(40, true)).inFont(QChar(static_cast<char16_t>(look.symbol)))) {
            throw std::runtime_error("DejaVu Sans lacks a phrase button symbol");
        }
    }
    QImage big = blankImage(96, 96);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(36, 32), 60);
    fill.setColorAt(0, look.colour.lighter(150));
    fill.setColorAt(1, look.colour.darker(120));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(255, 255, 255), 7));
    painter.drawEllipse(QRectF(5, 5, 86, 86));
    drawFitted(painter, text, dejaVu(64, true), QRectF(22, 22, 52, 52), QColor(255, 255, 255),
               Qt::AlignVCenter, true);
    painter.end();
    return shrink(big, 24, 24);
}

QImage banner() {
    QImage image(200, 120, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(image.rect(), QBrush(feltTile()));
    const int fan[] = {14, 27, 54, 53, 40};
    for (int i = 0; i < 5; ++i) {
        painter.save();
        painter.translate(100, 150);
        painter.rotate(-28 + i * 14);
        painter.scale(0.62, 0.62);
        painter.drawImage(QPointF(-35.5, -225), cardPicture(fan[i]));
        painter.restore();
    }
    QLinearGradient shade(0, 70, 0, 120);
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 150));
    painter.fillRect(QRectF(0, 70, 200, 50), shade);
    const QFont title = dejaVu(34, true, false, true);
    drawFitted(painter, QStringLiteral("Quintrel"), title, QRectF(12, 84, 178, 28), QColor(0, 0, 0, 170));
    drawFitted(painter, QStringLiteral("Quintrel"), title, QRectF(10, 82, 178, 28), kGold);
    return image;
}

}  // namespace quintrel::art
