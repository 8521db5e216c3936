#include "art.h"

#include <QPainterPath>

#include <cmath>

namespace quintrel::art {

namespace {
int gScale = 1;
}  // namespace

void setScale(int scale) { gScale = scale; }
int scale() { return gScale; }

QImage blankImage(int width, int height) {
    QImage image(width * gScale, height * gScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(gScale);
    image.fill(Qt::transparent);
    return image;
}

QImage shrink(const QImage& big, int width, int height) {
    QImage small =
        big.scaled(width * gScale, height * gScale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    small.setDevicePixelRatio(gScale);
    return small;
}

QFont dejaVu(qreal pixelSize, bool bold, bool condensed, bool serif) {
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    if (condensed) font.setStretch(QFont::Condensed);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawFitted(QPainter& painter, const QString& text, const QFont& font, const QRectF& box,
                const QColor& colour, Qt::Alignment align, bool grow) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const qreal fit = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    const qreal scale = grow ? fit : std::min(1.0, fit);
    const qreal height = bounds.height() * scale;
    qreal top = box.top() + (box.height() - height) / 2;
    if (align & Qt::AlignTop) top = box.top();
    if (align & Qt::AlignBottom) top = box.bottom() - height;
    painter.save();
    painter.translate(box.center().x() - bounds.center().x() * scale, top - bounds.top() * scale);
    painter.scale(scale, scale);
    painter.fillPath(path, colour);
    painter.restore();
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    return star;
}

namespace {

enum class Suit { Clubs, Diamonds, Spades, Hearts };

QString suitGlyph(Suit suit) {
    switch (suit) {
        case Suit::Clubs: return QString(QChar(0x2663));
        case Suit::Diamonds: return QString(QChar(0x2666));
        case Suit::Spades: return QString(QChar(0x2660));
        case Suit::Hearts: return QString(QChar(0x2665));
    }
    return {};
}

QColor suitColour(Suit suit) { return suit == Suit::Diamonds || suit == Suit::Hearts ? kRed : kBlack; }

// Rank 2..14 (11 Jack, 12 Queen, 13 King, 14 Ace).
QString rankText(int rank) {
    switch (rank) {
        case 11: return QStringLiteral("J");
        case 12: return QStringLiteral("Q");
        case 13: return QStringLiteral("K");
        case 14: return QStringLiteral("A");
        default: return QString::number(rank);
    }
}

QPainterPath cardOutline(qreal width, qreal height, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
    return path;
}

void drawCardBase(QPainter& painter, int width, int height, qreal radius) {
    const QPainterPath outline = cardOutline(width, height, radius);
    painter.fillPath(outline, QColor(255, 255, 255));
    painter.setPen(QPen(QColor(96, 96, 104), 1));
    painter.drawPath(outline);
}

// The corner index: what shows when the cards are fanned 20 pixels apart.
void drawIndex(QPainter& painter, const QString& rank, const QString& symbol, const QColor& colour) {
    drawFitted(painter, rank, dejaVu(17, true, true), QRectF(2, 4, 17, 13), colour, Qt::AlignTop);
    drawFitted(painter, symbol, dejaVu(16, false), QRectF(3, 20.5, 15, 12), colour, Qt::AlignTop);
}

void drawBothIndices(QPainter& painter, const QString& rank, const QString& symbol, const QColor& colour,
                     int width, int height) {
    drawIndex(painter, rank, symbol, colour);
    painter.save();
    painter.translate(width, height);
    painter.rotate(180);
    drawIndex(painter, rank, symbol, colour);
    painter.restore();
}

void drawPip(QPainter& painter, Suit suit, QPointF centre, qreal size, bool upsideDown) {
    painter.save();
    painter.translate(centre);
    if (upsideDown) painter.rotate(180);
    drawFitted(painter, suitGlyph(suit), dejaVu(size * 1.4, false), QRectF(-size / 2, -size / 2, size, size),
               suitColour(suit));
    painter.restore();
}

// Classic pip layouts in a unit box: x 0 = left column, 0.5 centre, 1 right; y 0 top, 1 bottom.
struct PipPlace {
    qreal x;
    qreal y;
};

std::vector<PipPlace> pipLayout(int rank) {
    const std::vector<PipPlace> sides4 = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    const std::vector<PipPlace> sides6 = {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    const std::vector<PipPlace> sides8 = {{0, 0},       {1, 0},       {0, 1.0 / 3}, {1, 1.0 / 3},
                                          {0, 2.0 / 3}, {1, 2.0 / 3}, {0, 1},       {1, 1}};
    auto with = [](std::vector<PipPlace> base, std::initializer_list<PipPlace> more) {
        base.insert(base.end(), more);
        return base;
    };
    switch (rank) {
        case 2: return {{0.5, 0}, {0.5, 1}};
        case 3: return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
        case 4: return sides4;
        case 5: return with(sides4, {{0.5, 0.5}});
        case 6: return sides6;
        case 7: return with(sides6, {{0.5, 0.25}});
        case 8: return with(sides6, {{0.5, 0.25}, {0.5, 0.75}});
        case 9: return with(sides8, {{0.5, 0.5}});
        case 10: return with(sides8, {{0.5, 1.0 / 6}, {0.5, 5.0 / 6}});
        default: return {};
    }
}

void drawPips(QPainter& painter, Suit suit, int rank) {
    const QRectF area(26, 16, 19, 64);  // pip centres; the corner indices stay clear
    const qreal size = rank >= 9 ? 10 : rank >= 7 ? 12 : 13;
    for (const PipPlace& place : pipLayout(rank)) {
        const QPointF centre(area.left() + place.x * area.width(), area.top() + place.y * area.height());
        drawPip(painter, suit, centre, size, place.y > 0.5);
    }
}

void drawCrown(QPainter& painter, QRectF box, const QColor& edge) {
    QPainterPath crown;
    crown.moveTo(box.left(), box.bottom());
    crown.lineTo(box.left(), box.top() + box.height() * 0.25);
    crown.lineTo(box.left() + box.width() * 0.25, box.top() + box.height() * 0.6);
    crown.lineTo(box.center().x(), box.top());
    crown.lineTo(box.left() + box.width() * 0.75, box.top() + box.height() * 0.6);
    crown.lineTo(box.right(), box.top() + box.height() * 0.25);
    crown.lineTo(box.right(), box.bottom());
    crown.closeSubpath();
    painter.fillPath(crown, kGold);
    painter.setPen(QPen(edge, 0.8));
    painter.drawPath(crown);
}

void drawCourt(QPainter& painter, Suit suit, int rank) {
    const QColor colour = suitColour(suit);
    const QRectF panel(20.5, 9.5, 30, 77);
    QLinearGradient fill(panel.topLeft(), panel.bottomLeft());
    fill.setColorAt(0, QColor(255, 248, 220));
    fill.setColorAt(1, QColor(246, 226, 170));
    painter.setPen(QPen(colour, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(panel, 2, 2);
    painter.setBrush(Qt::NoBrush);
    if (rank >= 12) drawCrown(painter, QRectF(27, 14, 17, 10), colour);
    drawFitted(painter, rankText(rank), dejaVu(34, true, false, true), QRectF(22, 27, 27, 27), colour);
    drawPip(painter, suit, QPointF(35.5, 70), 16, false);
}

void drawStar(QPainter& painter, QPointF centre, qreal outer, qreal inner, const QColor& fill,
              const QColor& edge) {
    const QPainterPath star = starPath(centre, outer, inner);
    painter.fillPath(star, fill);
    painter.setPen(QPen(edge, 1));
    painter.drawPath(star);
}

void drawJoker(QPainter& painter, const QColor& colour) {
    const QString star(QChar(0x2605));
    drawIndex(painter, QStringLiteral("JK"), star, colour);
    painter.save();
    painter.translate(71, 96);
    painter.rotate(180);
    drawIndex(painter, QStringLiteral("JK"), star, colour);
    painter.restore();
    drawStar(painter, QPointF(35.5, 40), 17, 7, colour, colour.darker(140));
    drawStar(painter, QPointF(35.5, 40), 7, 3, kGold, kGold);
    drawFitted(painter, QStringLiteral("JOKER"), dejaVu(11, true, true), QRectF(19, 63, 33, 9), colour);
    drawFitted(painter, QStringLiteral("WILD"), dejaVu(9, true, true), QRectF(24, 76, 23, 7), colour);
}

void drawBack(QPainter& painter, QRectF card, qreal radius) {
    const QRectF inner = card.adjusted(3.5, 3.5, -3.5, -3.5);
    QPainterPath innerPath;
    innerPath.addRoundedRect(inner, radius * 0.6, radius * 0.6);
    painter.fillPath(innerPath, QColor(26, 52, 134));
    painter.save();
    painter.setClipPath(innerPath);
    painter.setPen(QPen(QColor(82, 120, 206), 1));
    for (qreal d = -card.height(); d < card.width() + card.height(); d += 6) {
        painter.drawLine(QPointF(d, 0), QPointF(d + card.height(), card.height()));
        painter.drawLine(QPointF(d, card.height()), QPointF(d + card.height(), 0));
    }
    painter.restore();
    painter.setPen(QPen(QColor(250, 250, 255), 1));
    painter.drawRoundedRect(inner.adjusted(2, 2, -2, -2), radius * 0.4, radius * 0.4);
    QPainterPath diamond;
    const QPointF c = card.center();
    diamond.moveTo(c.x(), c.y() - 13);
    diamond.lineTo(c.x() + 9, c.y());
    diamond.lineTo(c.x(), c.y() + 13);
    diamond.lineTo(c.x() - 9, c.y());
    diamond.closeSubpath();
    painter.fillPath(diamond, QColor(26, 52, 134));
    painter.setPen(QPen(kGold, 1.5));
    painter.drawPath(diamond);
}

}  // namespace

QImage cardPicture(int code) {
    QImage image = blankImage(71, 96);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCardBase(painter, 71, 96, 5);
    if (code == 0) {
        drawBack(painter, QRectF(0, 0, 71, 96), 5);
    } else if (code == 1 || code == 54) {
        drawJoker(painter, code == 1 ? kBlack : kRed);
    } else {
        const Suit suit = static_cast<Suit>((code - 2) / 13);
        const int rank = (code - 2) % 13 + 2;
        drawBothIndices(painter, rankText(rank), suitGlyph(suit), suitColour(suit), 71, 96);
        if (rank == 14) {
            drawPip(painter, suit, QPointF(35.5, 48), suit == Suit::Spades ? 34 : 28, false);
        } else if (rank >= 11) {
            drawCourt(painter, suit, rank);
        } else {
            drawPips(painter, suit, rank);
        }
    }
    return image;
}

QImage bookFace(int index, bool wild) {
    const int height = wild ? 49 : 48;
    QImage image = blankImage(36, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int rank = index == 0 ? 13 : index == 1 ? 14 : index;
    if (wild) {
        // The boards show every face 48 pixels high, so the card keeps clear of the last row.
        const QPainterPath outline = cardOutline(36, 48, 3.5);
        painter.fillPath(outline, QColor(255, 246, 200));
        painter.setPen(QPen(kRed, 1.4));
        painter.drawPath(outline);
        drawFitted(painter, rankText(rank), dejaVu(24, true, true), QRectF(3, 4, 30, 20), kRed);
        // the wild mark: a star over a red band reading WILD
        QPainterPath band;
        band.addRect(QRectF(1.2, 31, 33.6, 12));
        painter.fillPath(band, kRed);
        drawFitted(painter, QStringLiteral("WILD"), dejaVu(10, true, true), QRectF(4, 33, 28, 8),
                   QColor(255, 255, 255));
        drawStar(painter, QPointF(29.5, 6.5), 5, 2.2, kGold, QColor(170, 110, 0));
    } else {
        drawCardBase(painter, 36, height, 3.5);
        drawFitted(painter, rankText(rank), dejaVu(26, true, true), QRectF(3, 8, 30, 22), kBlack);
        painter.setPen(QPen(QColor(150, 150, 160), 1));
        painter.drawLine(QPointF(8, 36.5), QPointF(28, 36.5));
    }
    return image;
}

QImage underCard(int index) {
    static const QColor colours[5] = {QColor(190, 40, 40), QColor(36, 84, 180), QColor(232, 150, 20),
                                      QColor(120, 56, 160), QColor(20, 150, 140)};
    QImage image = blankImage(36, 48);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCardBase(painter, 36, 48, 3.5);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(2, 2, 32, 44), 2, 2);
    painter.fillPath(inner, colours[index % 5]);
    painter.setPen(QPen(colours[index % 5].lighter(150), 1));
    painter.drawLine(QPointF(3.5, 4), QPointF(3.5, 44));
    return image;
}

QImage footPicture() {
    // drawn four times larger and scaled down so the tiny card keeps clean edges
    QImage big = blankImage(60, 80);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 2; ++i) {
        painter.save();
        painter.translate(i * 8, i * 8);
        const QRectF card(0, 0, 52, 72);
        QPainterPath outline;
        outline.addRoundedRect(card.adjusted(1, 1, -1, -1), 6, 6);
        painter.fillPath(outline, QColor(255, 255, 255));
        painter.setPen(QPen(QColor(40, 40, 50), 3));
        painter.drawPath(outline);
        QPainterPath inner;
        inner.addRoundedRect(card.adjusted(7, 7, -7, -7), 3, 3);
        painter.fillPath(inner, QColor(26, 52, 134));
        painter.setPen(QPen(kGold, 3));
        painter.drawLine(QPointF(26, 20), QPointF(26, 52));
        painter.drawLine(QPointF(14, 36), QPointF(38, 36));
        painter.restore();
    }
    painter.end();
    return shrink(big, 15, 20);
}

QImage bookSquare() {
    QImage image = feltTile().copy(0, 0, 71, 96).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(1.5, 1.5, 68, 93), 5, 5);
    painter.save();
    painter.setClipPath(outline);
    painter.fillPath(outline, QColor(0, 0, 0, 40));
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (qreal d = -96; d < 71 + 96; d += 7) {
        painter.drawLine(QPointF(d, 0), QPointF(d + 96, 96));
        painter.drawLine(QPointF(d, 96), QPointF(d + 96, 0));
    }
    painter.restore();
    painter.setPen(QPen(QColor(230, 240, 230, 170), 1.5, Qt::DashLine));
    painter.drawPath(outline);
    return image;
}

}  // namespace quintrel::art
