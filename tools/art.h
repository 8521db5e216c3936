#pragma once

// Drawing of the table's pictures for the generator. Everything is drawn on transparent
// ARGB images; the generator flattens them to JPEG colour plus a greyscale alpha mask.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <vector>

namespace quintrel::art {

inline const QColor kRed(204, 20, 36);
inline const QColor kBlack(18, 18, 24);
inline const QColor kFelt(30, 104, 58);
inline const QColor kGreenTeam(22, 140, 60);
inline const QColor kNavyTeam(24, 44, 140);
inline const QColor kGold(236, 190, 48);

// Every picture is drawn in its logical size. At scale 2 (the "@2x" files) its image has twice
// the pixels each way and a device pixel ratio of 2, so the same drawing comes out sharper.
void setScale(int scale);
int scale();
// A transparent picture of width x height logical pixels.
QImage blankImage(int width, int height);
// A picture drawn large for clean edges, brought down to width x height logical pixels.
QImage shrink(const QImage& big, int width, int height);
// A five-pointed star with its first point up.
QPainterPath starPath(QPointF centre, qreal outer, qreal inner);
QFont dejaVu(qreal pixelSize, bool bold, bool condensed = false, bool serif = false);

// Draws text so that its glyph outline fits box (shrunk if too big, grown to fill it when
// grow is set), centred horizontally; vertically per align (top, centre or bottom).
void drawFitted(QPainter& painter, const QString& text, const QFont& font, const QRectF& box,
                const QColor& colour, Qt::Alignment align = Qt::AlignVCenter, bool grow = false);

// Cards, indexed by card code 0..54 (0 = back).
QImage cardPicture(int code);
// Book faces, index = code mod 13 (0 King, 1 Ace, 2..12 Two..Queen).
QImage bookFace(int index, bool wild);
// Under-card edges of a working book, 0..4.
QImage underCard(int index);

QImage feltTile();
QImage footPicture();
QImage eyesPicture();
QImage arrowPicture(const QColor& colour);
QImage barPicture(const QColor& colour);
QImage turnMarker();
QImage roundWinner(int team, int width, int height);
QImage gameWinner(int team, int width, int height);
QImage startButton();
QImage bookSquare();
QImage banner();
// Phrase button pictures, 0..9.
QImage phrasePicture(int index);

// The application icon: filled outlines on a 256-unit square, drawn for a target size in
// pixels (the small sizes get bolder shapes and fewer details), written as PNG and as SVG.
struct IconShape {
    QPainterPath path;
    QColor fill;
};
std::vector<IconShape> iconShapes(int pixels);
QImage iconPicture(int pixels);
QByteArray iconSvg();

}  // namespace quintrel::art
