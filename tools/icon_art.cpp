#include "art.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace quintrel::art {
namespace {

constexpr qreal kCanvas = 256;
const QColor kCardEdge(52, 52, 62);
const QColor kCardWhite(253, 253, 248);
const QColor kBackNavy(26, 52, 134);

QPainterPath roundedRect(QRectF box, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

// A glyph's outline scaled to fill box, so the icon carries no font.
QPainterPath fittedGlyph(const QString& text, const QFont& font, QRectF box) {
    QPainterPath glyph;
    glyph.addText(0, 0, font, text);
    const QRectF bounds = glyph.boundingRect();
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    return place.map(glyph);
}

QPainterPath diamond(QPointF centre, qreal halfWidth, qreal halfHeight) {
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() - halfHeight);
    path.lineTo(centre.x() + halfWidth, centre.y());
    path.lineTo(centre.x(), centre.y() + halfHeight);
    path.lineTo(centre.x() - halfWidth, centre.y());
    path.closeSubpath();
    return path;
}

QString number(qreal value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString svgPathData(const QPainterPath& path) {
    QString data;
    auto point = [](const QPainterPath::Element& e) { return number(e.x) + ' ' + number(e.y); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) data += QStringLiteral("Z");
            data += 'M' + point(e);
        } else if (e.isLineTo()) {
            data += 'L' + point(e);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            data += 'C' + point(e) + ' ' + point(path.elementAt(i + 1)) + ' ' + point(path.elementAt(i + 2));
            i += 2;
        }
    }
    return data + 'Z';
}

}  // namespace

std::vector<IconShape> iconShapes(int pixels) {
    const qreal px = kCanvas / pixels;  // one target pixel in canvas units
    const bool small = pixels <= 24;
    const bool detailed = pixels >= 48;
    std::vector<IconShape> shapes;

    // The felt: a dark rim and the cloth, with a pool of light where the cards lie.
    const qreal margin = small ? 0 : std::round(kCanvas / 32 / px) * px;
    const QRectF table(margin, margin, kCanvas - 2 * margin, kCanvas - 2 * margin);
    const qreal rim = std::max(px, 6.0);
    shapes.push_back({roundedRect(table, 40), QColor(16, 66, 36)});
    shapes.push_back({roundedRect(table.adjusted(rim, rim, -rim, -rim), 40 - rim), kFelt});
    if (!small) {
        QPainterPath light;
        light.addEllipse(QPointF(128, 118), 96, 86);
        shapes.push_back({light, QColor(70, 150, 92, 90)});
    }

    // Two cards fanned: the back card leans left, the front card shows most of its face.
    const qreal edge = std::max(small ? 1.15 * px : px, 5.0);
    const QRectF card(0, 0, small ? 120 : 112, small ? 170 : 156);
    const qreal radius = small ? 20 : 15;
    auto placed = [&](QPointF centre, qreal degrees) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(degrees);
        t.translate(-card.center().x(), -card.center().y());
        return t;
    };
    auto addCard = [&](const QTransform& turn) {
        if (detailed) {
            shapes.push_back({turn.map(roundedRect(card.translated(7, 9), radius)), QColor(0, 0, 0, 80)});
        }
        shapes.push_back({turn.map(roundedRect(card, radius)), kCardEdge});
        shapes.push_back(
            {turn.map(roundedRect(card.adjusted(edge, edge, -edge, -edge), radius - edge)), kCardWhite});
    };

    // The back card: the table's navy back with its gold diamond.
    const QTransform back = small ? placed({93, 124}, -12) : placed({94, 122}, -13);
    addCard(back);
    const qreal border = small ? edge + px : 14;
    const QRectF panel = card.adjusted(border, border, -border, -border);
    shapes.push_back({back.map(roundedRect(panel, std::max(2.0, radius - border))), kBackNavy});
    if (detailed) {
        const QRectF frame = panel.adjusted(8, 8, -8, -8);
        QPainterPath line = roundedRect(frame, 6).subtracted(roundedRect(frame.adjusted(3, 3, -3, -3), 4));
        shapes.push_back({back.map(line), QColor(120, 150, 220)});
    }
    const QPointF middle = panel.center();
    shapes.push_back({back.map(diamond(middle, panel.width() * 0.3, panel.height() * 0.3)), kGold});
    if (!small)
        shapes.push_back({back.map(diamond(middle, panel.width() * 0.15, panel.height() * 0.15)), kBackNavy});

    // The front card: an ace of hearts, its heart big enough to read at 16 pixels.
    const QTransform front = small ? placed({170, 130}, 6) : placed({162, 134}, 8);
    addCard(front);
    const QString heart(QChar(0x2665));
    const QFont font = dejaVu(100, false);
    const qreal heartSize = small      ? card.width() * 0.74
                            : detailed ? card.width() * 0.56
                                       : card.width() * 0.66;
    const QPointF heartCentre = card.center() + QPointF(detailed ? 6 : 0, detailed ? 16 : small ? 4 : 8);
    const QRectF heartBox(heartCentre.x() - heartSize / 2, heartCentre.y() - heartSize / 2, heartSize,
                          heartSize);
    shapes.push_back({front.map(fittedGlyph(heart, font, heartBox)), kRed});
    if (detailed) {
        const QFont index = dejaVu(100, true, true);
        shapes.push_back({front.map(fittedGlyph(QStringLiteral("A"), index,
                                                QRectF(card.left() + 11, card.top() + 12, 24, 28))),
                          kRed});
        shapes.push_back(
            {front.map(fittedGlyph(heart, font, QRectF(card.left() + 11, card.top() + 46, 24, 22))), kRed});
    }
    return shapes;
}

QImage iconPicture(int pixels) {
    QImage image = blankImage(pixels, pixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kCanvas, pixels / kCanvas);
    for (const IconShape& shape : iconShapes(pixels)) painter.fillPath(shape.path, shape.fill);
    return image;
}

QByteArray iconSvg() {
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n");
    for (const IconShape& shape : iconShapes(static_cast<int>(kCanvas))) {
        svg += QStringLiteral("<path fill=\"") + shape.fill.name(QColor::HexRgb) + '"';
        if (shape.fill.alpha() < 255)
            svg += QStringLiteral(" fill-opacity=\"") + number(shape.fill.alphaF()) + '"';
        if (shape.path.fillRule() == Qt::OddEvenFill) svg += QStringLiteral(" fill-rule=\"evenodd\"");
        svg += QStringLiteral(" d=\"") + svgPathData(shape.path) + QStringLiteral("\"/>\n");
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

}  // namespace quintrel::art
