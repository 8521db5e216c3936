#pragma once
// The table's look for the side windows: the felt behind them, cream plates with a gold rim,
// gold buttons and dark ink, so that every window of the game reads as part of one table.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

#include <utility>
#include <vector>

class QFrame;
class QPushButton;
class QWidget;

namespace quintrel::look {

inline constexpr const char* kInk = "#3b2a05";
inline constexpr const char* kDarkGold = "#7a5a12";
inline constexpr const char* kCreamText = "#f4e7b5";
inline constexpr const char* kNoticeText = "#ffe58a";  // status and problem lines

QFont pixelFont(int pixels, bool bold = false);

// The window's background becomes the tiled felt.
void useFelt(QWidget* window);

// Text drawn in `colour`. Cheaper than a style sheet where the colour is all that changes.
void setTextColour(QWidget* widget, const QColor& colour);

// A cream plate with a gold rim; its labels take the dark ink.
QFrame* creamPlate(QWidget* parent, const char* name);

// A plate's heading: bold dark gold over a thin gold rule. Plain text.
QLabel* plateHeading(const QString& text, QWidget* parent, int pixels = 15);

// A gold button of the table's kind; `name` is its objectName.
QPushButton* goldButton(const QString& text, QWidget* parent, const char* name);

// A wrapped text in the ink, for a plate.
QLabel* plateText(const QString& text, QWidget* parent, int pixels = 13, bool bold = false);

// A label that wraps its text. It remembers the heights it measured, since a layout asks for
// the same widths again and again while a window is first laid out, and each answer lays the
// whole text out anew.
class WrappedLabel : public QLabel {
public:
    using QLabel::QLabel;
    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // What the heights were measured for, besides the font and style (changeEvent).
    struct Measured {
        QString text;
        int margin = 0, indent = 0;
        Qt::Alignment alignment;
        bool wrap = false;
        bool operator==(const Measured&) const = default;
    };
    Measured measuredFor() const { return {text(), margin(), indent(), alignment(), wordWrap()}; }
    mutable Measured measured_;
    mutable std::vector<std::pair<int, int>> heights_;  // width, height
};

// A cream text field of the plates' kind (line edits, combo and spin boxes).
QString fieldStyle();

// A one-line label that ends a text too long for it with an ellipsis instead of cutting it
// off; text() stays whole. A layout may shrink it below its text's width.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setElideMode(Qt::TextElideMode mode) { mode_ = mode; }
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode mode_ = Qt::ElideRight;
};

}  // namespace quintrel::look
