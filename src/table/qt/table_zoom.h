#pragma once
// The table's zoom: one factor for everything on the felt. The game's positions and sizes
// stay logical pixels; only here do they become widget pixels, so a zoomed table is the same
// table drawn larger.

#include "extras/qt/pictures.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <array>
#include <cmath>
#include <vector>

namespace quintrel::table {

class TableZoom {
public:
    static constexpr std::array<int, 4> kLevels = {100, 125, 150, 200};

    // A percentage that is not one of kLevels gives 100.
    explicit TableZoom(int percent = 100) : percent_(valid(percent) ? percent : 100) {}
    static bool valid(int percent) {
        for (int level : kLevels)
            if (level == percent) return true;
        return false;
    }

    int percent() const { return percent_; }
    qreal factor() const { return percent_ / 100.0; }
    int px(int logical) const { return static_cast<int>(std::lround(logical * factor())); }
    // Edges are scaled, not sizes, so pictures that touch at 100 % still touch when zoomed.
    QRect rect(int left, int top, int width, int height) const {
        return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
    }
    QRect rect(const QRect& logical) const {
        return rect(logical.x(), logical.y(), logical.width(), logical.height());
    }
    QFont font(int pixels, bool bold) const {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(px(pixels));
        font.setBold(bold);
        return font;
    }
    // Pictures drawn larger than the shipped size (zoomed, or on a dense screen) come from the
    // double-size source, so they stay sharp.
    PictureDetail detail(const QWidget* on) const {
        const qreal scale = factor() * (on ? on->devicePixelRatioF() : 1.0);
        return scale > 1.01 ? PictureDetail::Double : PictureDetail::Normal;
    }

    bool operator==(const TableZoom&) const = default;

private:
    int percent_;
};

// The fixed children of a panel, kept with their logical places and font sizes so a new zoom
// can place them again.
class ZoomedChildren {
public:
    void add(QWidget* widget, const QRect& logical, int fontPixels = 0, bool bold = false) {
        children_.push_back({widget, logical, fontPixels, bold});
    }
    void apply(const TableZoom& zoom) const {
        for (const Child& child : children_) {
            child.widget->setGeometry(zoom.rect(child.logical));
            if (child.fontPixels > 0) child.widget->setFont(zoom.font(child.fontPixels, child.bold));
        }
    }

private:
    struct Child {
        QWidget* widget;
        QRect logical;
        int fontPixels;
        bool bold;
    };
    std::vector<Child> children_;
};

}  // namespace quintrel::table
