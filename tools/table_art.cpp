#include "art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace quintrel::art {
namespace {

// Noise on a grid that wraps at the tile's edges, so the tile repeats without a seam.
std::vector<float> wrappedNoise(int size, int cells, std::mt19937& random) {
    std::vector<float> grid(static_cast<size_t>(cells * cells));
    for (float& value : grid) value = static_cast<float>(random() % 1000) / 1000.0f - 0.5f;
    auto at = [&](int x, int y) {
        return grid[static_cast<size_t>(((y % cells) + cells) % cells * cells +
                                        ((x % cells) + cells) % cells)];
    };
    std::vector<float> out(static_cast<size_t>(size * size));
    const float step = static_cast<float>(cells) / static_cast<float>(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float gx = x * step;
            const float gy = y * step;
            const int x0 = static_cast<int>(gx);
            const int y0 = static_cast<int>(gy);
            float fx = gx - x0;
            float fy = gy - y0;
            fx = fx * fx * (3 - 2 * fx);
            fy = fy * fy * (3 - 2 * fy);
            const float top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx;
            const float bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx;
            out[static_cast<size_t>(y * size + x)] = top * (1 - fy) + bottom * fy;
        }
    }
    return out;
}

QPainterPath roundedBadge(QRectF box, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

QColor teamColour(int team) { return team == 1 ? kGreenTeam : kNavyTeam; }
QString teamName(int team) { return team == 1 ? QStringLiteral("Green Team") : QStringLiteral("Blue Team"); }

void drawRibbonStar(QPainter& painter, QPointF centre, qreal outer) {
    const QPainterPath star = starPath(centre, outer, outer * 0.42);
    QRadialGradient shine(centre - QPointF(outer * 0.3, outer * 0.3), outer * 1.2);
    shine.setColorAt(0, QColor(255, 244, 170));
    shine.setColorAt(1, kGold.darker(115));
    painter.fillPath(star, shine);
    painter.setPen(QPen(QColor(150, 100, 0), 1));
    painter.drawPath(star);
}

void drawTrophy(QPainter& painter, QRectF box) {
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal x = box.left();
    const qreal y = box.top();
    QPainterPath cup;
    cup.moveTo(x + w * 0.18, y);
    cup.lineTo(x + w * 0.82, y);
    cup.cubicTo(x + w * 0.82, y + h * 0.45, x + w * 0.65, y + h * 0.58, x + w * 0.55, y + h * 0.6);
    cup.lineTo(x + w * 0.55, y + h * 0.75);
    cup.lineTo(x + w * 0.72, y + h * 0.86);
    cup.lineTo(x + w * 0.72, y + h);
    cup.lineTo(x + w * 0.28, y + h);
    cup.lineTo(x + w * 0.28, y + h * 0.86);
    cup.lineTo(x + w * 0.45, y + h * 0.75);
    cup.lineTo(x + w * 0.45, y + h * 0.6);
    cup.cubicTo(x + w * 0.35, y + h * 0.58, x + w * 0.18, y + h * 0.45, x + w * 0.18, y);
    cup.closeSubpath();
    QLinearGradient shine(box.topLeft(), box.topRight());
    shine.setColorAt(0, QColor(255, 236, 140));
    shine.setColorAt(0.45, kGold);
    shine.setColorAt(1, QColor(176, 124, 10));
    painter.setPen(QPen(QColor(130, 86, 0), 1.2));
    painter.setBrush(Qt::NoBrush);
    // handles
    painter.drawArc(QRectF(x, y + h * 0.06, w * 0.3, h * 0.3), 90 * 16, 180 * 16);
    painter.drawArc(QRectF(x + w * 0.7, y + h * 0.06, w * 0.3, h * 0.3), -90 * 16, 180 * 16);
    painter.fillPath(cup, shine);
    painter.drawPath(cup);
}

}  // namespace

QImage feltTile() {
    constexpr int kSize = 128;
    std::mt19937 random(20261208u);
    const std::vector<float> coarse = wrappedNoise(kSize, 4, random);
    const std::vector<float> medium = wrappedNoise(kSize, 16, random);
    const std::vector<float> fine = wrappedNoise(kSize, 64, random);
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const size_t i = static_cast<size_t>(y * kSize + x);
            const float grain = static_cast<float>(random() % 100) / 100.0f - 0.5f;
            const float shade = coarse[i] * 10 + medium[i] * 8 + fine[i] * 8 + grain * 7;
            auto channel = [&](int base, float weight) {
                return std::clamp(static_cast<int>(std::lround(base + shade * weight)), 0, 255);
            };
            image.setPixel(
                x, y,
                qRgb(channel(kFelt.red(), 0.5f), channel(kFelt.green(), 1.0f), channel(kFelt.blue(), 0.6f)));
        }
    }
    return image;
}

QImage eyesPicture() {
    QImage big = blankImage(104, 56);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 2; ++i) {
        const QRectF eye(4 + i * 50, 4, 46, 48);
        painter.setPen(QPen(QColor(20, 20, 20), 5));
        painter.setBrush(QColor(255, 255, 255));
        painter.drawEllipse(eye);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 90, 170));
        painter.drawEllipse(QRectF(eye.left() + 18, eye.top() + 14, 22, 22));
        painter.setBrush(QColor(10, 10, 10));
        painter.drawEllipse(QRectF(eye.left() + 23, eye.top() + 19, 12, 12));
        painter.setBrush(QColor(255, 255, 255));
        painter.drawEllipse(QRectF(eye.left() + 25, eye.top() + 20, 5, 5));
    }
    painter.end();
    return shrink(big, 26, 14);
}

QImage arrowPicture(const QColor& colour) {
    QImage big = blankImage(120, 88);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(6, 28);
    arrow.lineTo(66, 28);
    arrow.lineTo(66, 6);
    arrow.lineTo(114, 44);
    arrow.lineTo(66, 82);
    arrow.lineTo(66, 60);
    arrow.lineTo(6, 60);
    arrow.closeSubpath();
    QLinearGradient fill(0, 6, 0, 82);
    fill.setColorAt(0, colour.lighter(160));
    fill.setColorAt(0.5, colour);
    fill.setColorAt(1, colour.darker(130));
    painter.fillPath(arrow, fill);
    painter.setPen(QPen(QColor(250, 250, 240), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    painter.end();
    return shrink(big, 30, 22);
}

QImage barPicture(const QColor& colour) {
    QImage image(400, 6, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 0, 6);
    fill.setColorAt(0, colour.lighter(150));
    fill.setColorAt(0.5, colour);
    fill.setColorAt(1, colour.darker(140));
    painter.fillRect(image.rect(), fill);
    return image;
}

QImage turnMarker() {
    QImage big = blankImage(64, 64);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath marker;
    marker.moveTo(8, 6);
    marker.lineTo(58, 32);
    marker.lineTo(8, 58);
    marker.closeSubpath();
    QLinearGradient fill(0, 6, 0, 58);
    fill.setColorAt(0, QColor(255, 240, 150));
    fill.setColorAt(1, QColor(226, 150, 10));
    painter.fillPath(marker, fill);
    painter.setPen(QPen(QColor(90, 50, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(marker);
    painter.end();
    return shrink(big, 16, 16);
}

QImage roundWinner(int team, int width, int height) {
    QImage image = blankImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, width - 3, height - 3);
    const QPainterPath badge = roundedBadge(box, 12);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, teamColour(team).lighter(140));
    fill.setColorAt(1, teamColour(team).darker(130));
    painter.fillPath(badge, fill);
    painter.setPen(QPen(kGold, 3));
    painter.drawPath(badge);
    drawRibbonStar(painter, QPointF(width / 2.0, 30), 22);
    const QColor white(255, 255, 255);
    drawFitted(painter, QStringLiteral("ROUND"), dejaVu(17, true), QRectF(8, 56, width - 16, 14), white);
    drawFitted(painter, QStringLiteral("WON"), dejaVu(17, true), QRectF(8, 73, width - 16, 14),
               kGold.lighter(120));
    drawFitted(painter, teamName(team), dejaVu(12, true, true), QRectF(8, 91, width - 16, 10), white);
    return image;
}

QImage gameWinner(int team, int width, int height) {
    QImage image = blankImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, width - 3, height - 3);
    const QPainterPath badge = roundedBadge(box, 14);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, teamColour(team).lighter(150));
    fill.setColorAt(1, teamColour(team).darker(140));
    painter.fillPath(badge, fill);
    painter.setPen(QPen(kGold, 4));
    painter.drawPath(badge);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
    painter.drawPath(roundedBadge(box.adjusted(5, 5, -5, -5), 10));
    drawTrophy(painter, QRectF(12, 16, 52, 64));
    drawRibbonStar(painter, QPointF(24, height - 22.0), 9);
    drawRibbonStar(painter, QPointF(52, height - 22.0), 9);
    const QColor white(255, 255, 255);
    const qreal textLeft = 70;
    const qreal textWidth = width - textLeft - 10;
    drawFitted(painter, QStringLiteral("GAME"), dejaVu(22, true), QRectF(textLeft, 22, textWidth, 17), white);
    drawFitted(painter, QStringLiteral("WON!"), dejaVu(22, true), QRectF(textLeft, 45, textWidth, 17),
               kGold.lighter(125));
    drawFitted(painter, teamName(team), dejaVu(14, true, true), QRectF(textLeft, 75, textWidth, 12), white);
    drawFitted(painter, QStringLiteral("Well played!"), dejaVu(11, false, true),
               QRectF(textLeft, 93, textWidth, 10), white);
    return image;
}

QImage startButton() {
    QImage image = blankImage(100, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, 98, 30);
    const QPainterPath button = roundedBadge(box, 9);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(255, 226, 110));
    fill.setColorAt(0.5, QColor(236, 170, 24));
    fill.setColorAt(1, QColor(190, 120, 10));
    painter.fillPath(button, fill);
    painter.setPen(QPen(QColor(110, 66, 0), 1.6));
    painter.drawPath(button);
    painter.setPen(QPen(QColor(255, 250, 220, 170), 1));
    painter.drawPath(roundedBadge(box.adjusted(2, 2, -2, -2), 7));
    const QFont font = dejaVu(15, true);
    drawFitted(painter, QStringLiteral("Start Game"), font, QRectF(9, 10, 84, 12), QColor(90, 50, 0, 160));
    drawFitted(painter, QStringLiteral("Start Game"), font, QRectF(8, 9, 84, 12), QColor(255, 255, 255));
    return image;
}

}  // namespace quintrel::art
