#pragma once
// PictureWidget: a picture control created at run time (card, book, square, pile, marker).
// It paints its picture stretched to its size and reports mouse presses; everything else
// (where it sits, whether it shows) is set from the table's state.

#include <QImage>
#include <QWidget>

namespace quintrel::table {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(QWidget* parent = nullptr);

    // A null image draws nothing (a cleared picture, or a transparent click area).
    void setPicture(const QImage& image);
    const QImage& picture() const { return picture_; }

    // A thin outline around the picture: the selected card.
    void setHighlighted(bool on);
    bool highlighted() const { return highlighted_; }

    // Moves and resizes only when something changed (the table redraws after every line).
    void place(int left, int top, int width, int height);
    void place(const QRect& where) { place(where.x(), where.y(), where.width(), where.height()); }

signals:
    void pressed(Qt::MouseButton button);
    void clicked();  // left button released over the picture

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool highlighted_ = false;
};

}  // namespace quintrel::table
