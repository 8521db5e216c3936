#include "table/qt/tooltips.h"

#include "table/tooltips.h"

#include <QWidget>

namespace quintrel::table {

void applyControlTips(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const std::string tip = controlTip(widget->objectName().toStdString());
        if (!tip.empty()) widget->setToolTip(QString::fromStdString(tip));
    }
}

}  // namespace quintrel::table
