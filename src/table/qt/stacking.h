#pragma once
// Sibling widgets drawn in the order of the core state's z values (higher on top).

#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace quintrel::table {

using ZOrder = std::vector<std::pair<std::int64_t, QWidget*>>;

// Raises the widgets in z order unless `applied` already holds that order; raising is cheap
// but repaints, and the table redraws after every message.
inline void applyStacking(ZOrder order, std::vector<QWidget*>& applied) {
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> widgets;
    widgets.reserve(order.size());
    for (const auto& entry : order) widgets.push_back(entry.second);
    if (widgets == applied) return;
    for (QWidget* widget : widgets) widget->raise();
    applied = std::move(widgets);
}

}  // namespace quintrel::table
